// SPDX-License-Identifier: GPL-3.0-or-later
// Typing as a user would: key clicks into the real grids and edit boxes.
#include <QAction>
#include <QTest>

#include "tests/ui/window_fixture.h"
#include "ui/widgets/radio_group.h"

namespace tavolin::ui {
namespace {

using testing_support::Windows;

// Sends each key to whatever has the focus in the window: the grid, then its open editor.
void type_keys(QWidget* start, const QString& keys) {
    for (QChar ch : keys) {
        QWidget* target = start->window()->focusWidget();
        if (!target) target = start;
        if (ch == QChar(8))
            QTest::keyClick(target, Qt::Key_Backspace);
        else
            QTest::keyClick(target, ch.toLatin1());
    }
}

void type_into_cell(StringGrid* g, int col, int row, const QString& keys) {
    g->setFocus();
    g->setCurrentIndex(QModelIndex());  // closes an editor still open from earlier keys
    g->setCurrentCell(row, col);
    QApplication::processEvents();
    type_keys(g, keys);
}

struct CellCase {
    const char* name;
    char sep;
    int col;
    const char* before;
    const char* keys;
    const char* after;
};

class AlphabetTyping : public testing::TestWithParam<CellCase> {};

TEST_P(AlphabetTyping, KeepsOnlyWhatTheFilterAllows) {
    const CellCase& c = GetParam();
    Windows w(c.sep);
    w.start();
    w.grid1()->setCell(c.col, 3, c.before);
    type_into_cell(w.grid1(), c.col, 3, c.keys);
    EXPECT_EQ(w.grid1()->cell(c.col, 3), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, AlphabetTyping,
    testing::Values(
        // A key on a cell not being edited opens it with the key as its whole text.
        CellCase{"code_digits", ',', 1, "0010", "1101", "1101"},
        CellCase{"code_refuses_two_and_letters", ',', 1, "", "12a0", "10"},
        CellCase{"code_stops_at_eight", ',', 1, "", "1010101011", "10101010"},
        CellCase{"code_full_cell_refuses_a_fresh_edit", ',', 1, "10101010", "1", "10101010"},
        CellCase{"code_backspace", ',', 1, "", "101\b", "10"},
        CellCase{"probability_comma", ',', 2, "", "0,5", "0,5"},
        CellCase{"probability_leading_comma", ',', 2, "", ",5", ",5"},
        CellCase{"probability_minus_refused", ',', 2, "", "-0,5", "0,5"},
        CellCase{"probability_exponent", ',', 2, "", "1e-3", "1e-3"},
        CellCase{"probability_point_in_comma_locale", ',', 2, "", "0.5", "05"},
        CellCase{"probability_point", '.', 2, "", "0.5", "0.5"},
        CellCase{"symbol_any_text", ',', 0, "", "AB", "AB"},
        CellCase{"symbol_digit", ',', 0, "", "7", "7"}),
    [](const testing::TestParamInfo<CellCase>& i) { return std::string(i.param.name); });

TEST(SumLabels, FollowEveryEditUpToTheFirstZero) {
    Windows w(',');
    w.start();
    w.grid1()->setCell(2, 1, "0,5");
    w.grid1()->setCell(2, 3, "0,5");
    type_into_cell(w.grid1(), 2, 2, "0");
    EXPECT_EQ(w.text("Label4"), "0,500000");
    EXPECT_EQ(w.text("Label5"), "0,500000");
    type_into_cell(w.grid1(), 2, 2, "\b");  // an empty cell reads as zero too
    EXPECT_EQ(w.text("Label4"), "0,500000");
    w.grid1()->setCell(2, 2, "0,25");  // a program write does not refresh
    EXPECT_EQ(w.text("Label4"), "0,500000");
    type_into_cell(w.grid1(), 0, 5, "Z");     // an edit in the symbol column does
    EXPECT_EQ(w.text("Label4"), "2,062500");  // 0,5 + 0,25 + 0,5 + 13 x 0,0625
    EXPECT_EQ(w.text("Label5"), "-1,062500");
}

TEST(SumLabels, DefaultAlphabetAfterAnEditSumsToOne) {
    Windows w('.');
    w.start();
    type_into_cell(w.grid1(), 1, 1, "0");
    EXPECT_EQ(w.text("Label4"), "1.000000");
    EXPECT_EQ(w.text("Label5"), "0.000000");
}

struct EditCase {
    const char* name;
    const char* edit;
    const char* before;
    bool select_all;
    const char* keys;
    const char* after;
};

class EditTyping : public testing::TestWithParam<EditCase> {};

TEST_P(EditTyping, JudgesTheWholeTextPlusTheKey) {
    const EditCase& c = GetParam();
    Windows w(',');
    w.start();
    auto* edit = w.find<QLineEdit>(c.edit);
    edit->setText(c.before);
    edit->setFocus();
    if (c.select_all)
        edit->selectAll();
    else
        edit->end(false);
    type_keys(edit, c.keys);
    EXPECT_EQ(edit->text(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, EditTyping,
    testing::Values(EditCase{"size_over_limit", "Edit2", "5000", false, "1", "5000"},
                    EditCase{"size_at_limit", "Edit2", "5000", false, "0", "50000"},
                    EditCase{"size_over_selection", "Edit2", "1000", true, "9", "9"},
                    EditCase{"size_letters", "Edit2", "10", false, "x", "10"},
                    EditCase{"size_backspace", "Edit2", "1000", false, "\b", "1000"},
                    EditCase{"bit_time_backspace", "Edit1", "0,0002", false, "\b", "0,0002"},
                    EditCase{"bit_time_digits", "Edit1", "0,000", false, "25", "0,00025"},
                    EditCase{"bit_time_letter", "Edit1", "1", false, "s", "1"}),
    [](const testing::TestParamInfo<EditCase>& i) { return std::string(i.param.name); });

TEST(EditTyping, DeleteWorksWhereBackspaceDoesNot) {
    Windows w;
    w.start();
    auto* edit = w.find<QLineEdit>("Edit2");
    edit->setFocus();
    edit->home(false);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), "000");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);  // Ctrl+V is a refused character
    EXPECT_EQ(edit->text(), "000");
}

TEST(ChannelTyping, RowSumOfInversionAndErasureAtMostOne) {
    Windows w(',');
    w.start();
    w.find<RadioGroup>("RadioGroup1")->setItemIndex(1);
    w.grid2()->setCell(1, 1, "0,6");
    // 0,6 + 0,5 is refused at its last character; 0,3 then fits.
    type_into_cell(w.grid2(), 2, 1, "\b0,5");
    EXPECT_EQ(w.grid2()->cell(2, 1), "0,");
    type_keys(w.grid2(), "3");
    EXPECT_EQ(w.grid2()->cell(2, 1), "0,3");
    // Without the erasure column an inversion probability up to 1 is accepted.
    w.find<RadioGroup>("RadioGroup1")->setItemIndex(0);
    type_into_cell(w.grid2(), 1, 2, "1");
    EXPECT_EQ(w.grid2()->cell(1, 2), "1");
    type_into_cell(w.grid2(), 1, 2, "5");
    EXPECT_EQ(w.grid2()->cell(1, 2), "1");
}

struct Layout {
    int table_width, left;
};

void expect_layout(const Windows& w, Layout l) {
    EXPECT_EQ(w.grid2()->width(), l.table_width);
    for (const char* name : {"RadioGroup2", "Button1", "Button2", "CheckBox1"})
        EXPECT_EQ(w.find<QWidget>(name)->x(), l.left) << name;
    EXPECT_EQ(w.find<QWidget>("CheckBox2")->x(), 696);
}

TEST(NoiseType, SwitchingAlwaysLeavesOneOfTheTwoLayouts) {
    Windows w(',');
    w.start();
    auto* group = w.find<RadioGroup>("RadioGroup1");
    for (int round = 0; round < 5; ++round) {
        group->setItemIndex(1);
        expect_layout(w, {200, 637});
        ASSERT_EQ(w.grid2()->colCount(), 3);
        EXPECT_EQ(w.grid2()->cell(2, 0), "Стирание");
        EXPECT_EQ(w.grid2()->cell(2, 1), "0");
        EXPECT_EQ(w.grid2()->cell(2, 2), "0");
        w.grid2()->setCell(2, 1, "0,25");  // forgotten at the next switch
        group->setItemIndex(1);            // the selected item again: nothing moves
        expect_layout(w, {200, 637});
        group->setItemIndex(0);
        expect_layout(w, {136, 573});
        EXPECT_EQ(w.grid2()->colCount(), 2);
    }
}

TEST(NoiseType, ErasureWithdrawsTheContinuousCode) {
    Windows w;
    w.start();
    auto* n4 = w.find<QAction>("N4");
    w.form2->N4Click();
    ASSERT_EQ(w.st.coding_type, kContinuous);
    w.find<RadioGroup>("RadioGroup1")->setItemIndex(1);
    EXPECT_EQ(w.st.coding_type, kCyclic);
    EXPECT_TRUE(w.find<QAction>("N2")->isChecked());
    EXPECT_FALSE(n4->isChecked());
    EXPECT_FALSE(n4->isEnabled());
    w.find<RadioGroup>("RadioGroup1")->setItemIndex(0);
    EXPECT_TRUE(n4->isEnabled());
    EXPECT_FALSE(n4->isChecked());
    EXPECT_EQ(w.st.coding_type, kCyclic);
}

TEST(OperatingMode, NoAccumulationBoxFollowsTheModeAndKeepsItsTick) {
    Windows w;
    w.start();
    auto* box = w.find<QCheckBox>("CheckBox1");
    auto* mode = w.find<RadioGroup>("RadioGroup2");
    mode->setItemIndex(1);
    EXPECT_TRUE(box->isEnabled());
    box->setChecked(true);
    mode->setItemIndex(0);
    EXPECT_FALSE(box->isEnabled());
    EXPECT_TRUE(box->isChecked());
    mode->setItemIndex(1);
    EXPECT_TRUE(box->isEnabled());
    EXPECT_TRUE(box->isChecked());
}

}  // namespace
}  // namespace tavolin::ui
