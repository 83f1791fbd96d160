// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard focus: Tab and Shift+Tab walk the window's controls, passing out of the grids
// and over the charts, and the grids' current cell never rests on a header cell.
#include <QGroupBox>
#include <QTest>
#include <algorithm>

#include "tests/ui/window_fixture.h"
#include "ui/widgets/bar_chart.h"

namespace tavolin::ui {
namespace {

using testing_support::Windows;

// The control that holds the focus: the widget itself or the control it is part of (a radio
// button of a group, the cell editor of a grid).
bool holds_focus(QWidget* control) {
    QWidget* f = QApplication::focusWidget();
    return f && (f == control || control->isAncestorOf(f));
}

QString focus_name() {
    QString name;
    for (QWidget* f = QApplication::focusWidget(); f && name.isEmpty(); f = f->parentWidget())
        name = f->objectName();
    return name;
}

void focus_on(Windows& w, const char* control) {
    w.form2->activateWindow();
    w.find<QWidget>(control)->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(holds_focus(w.find<QWidget>(control))) << control;
}

// Whether a cell editor of the grid is open.
bool editing(const StringGrid* grid) {
    const QList<QLineEdit*> editors = grid->findChildren<QLineEdit*>();
    return std::any_of(editors.begin(), editors.end(),
                       [](const QLineEdit* e) { return e->isVisible(); });
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    QApplication::processEvents();
}

struct TabCase {
    const char* name;
    const char* from;
    Qt::KeyboardModifiers modifiers;  // Shift for Shift+Tab
    const char* to;
};

class TabKey : public testing::TestWithParam<TabCase> {};

TEST_P(TabKey, MovesToTheNextControlOfTheOrder) {
    const TabCase& c = GetParam();
    Windows w;
    w.start();
    focus_on(w, c.from);
    press(Qt::Key_Tab, c.modifiers);
    EXPECT_TRUE(holds_focus(w.find<QWidget>(c.to))) << focus_name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Order, TabKey,
    testing::Values(
        TabCase{"out_of_the_alphabet", "StringGrid1", Qt::NoModifier, "RadioGroup1"},
        TabCase{"out_of_the_alphabet_backwards", "StringGrid1", Qt::ShiftModifier, "Button4"},
        TabCase{"into_the_channel_grid", "RadioGroup1", Qt::NoModifier, "StringGrid2"},
        TabCase{"out_of_the_channel_grid", "StringGrid2", Qt::NoModifier, "Edit1"},
        TabCase{"out_of_the_channel_grid_backwards", "StringGrid2", Qt::ShiftModifier,
                "RadioGroup1"},
        TabCase{"into_the_alphabet_backwards", "RadioGroup1", Qt::ShiftModifier, "StringGrid1"},
        // Neither chart takes the focus; the stop button is hidden.
        TabCase{"over_the_charts", "Edit2", Qt::NoModifier, "Button3"},
        TabCase{"over_the_charts_backwards", "Button3", Qt::ShiftModifier, "Edit2"}),
    [](const testing::TestParamInfo<TabCase>& i) { return std::string(i.param.name); });

struct EditorCase {
    const char* name;
    const char* grid;
    int col, row;
    Qt::KeyboardModifiers modifiers;
    const char* to;
};

class TabFromAnEditor : public testing::TestWithParam<EditorCase> {};

TEST_P(TabFromAnEditor, KeepsTheTextAndLeavesTheGrid) {
    const EditorCase& c = GetParam();
    Windows w;
    w.start();
    focus_on(w, c.grid);
    auto* grid = w.find<StringGrid>(c.grid);
    grid->setCurrentCell(c.row, c.col);
    press(Qt::Key_1);  // opens the cell's editor with "1"
    ASSERT_TRUE(editing(grid));
    press(Qt::Key_Tab, c.modifiers);
    EXPECT_TRUE(holds_focus(w.find<QWidget>(c.to))) << focus_name().toStdString();
    EXPECT_FALSE(editing(grid));
    EXPECT_EQ(grid->cell(c.col, c.row), "1");
}

INSTANTIATE_TEST_SUITE_P(
    Grids, TabFromAnEditor,
    testing::Values(
        EditorCase{"alphabet_forwards", "StringGrid1", 1, 4, Qt::NoModifier, "RadioGroup1"},
        EditorCase{"channel_backwards", "StringGrid2", 1, 2, Qt::ShiftModifier, "RadioGroup1"},
        EditorCase{"channel_forwards", "StringGrid2", 1, 1, Qt::NoModifier, "Edit1"}),
    [](const testing::TestParamInfo<EditorCase>& i) { return std::string(i.param.name); });

TEST(GridArrows, MoveBetweenCellsInsideTheGrid) {
    Windows w;
    w.start();
    focus_on(w, "StringGrid1");
    StringGrid* g = w.grid1();
    g->setCurrentCell(1, 0);
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    EXPECT_EQ(g->currentColumn(), 1);
    EXPECT_EQ(g->currentRow(), 2);
    EXPECT_TRUE(holds_focus(g));
}

TEST(Charts, TakeNoFocusFromTheMouse) {
    Windows w;
    w.start();
    focus_on(w, "Edit1");
    for (int i : {1, 2}) {
        BarChart* c = w.form2->chart(i);
        QTest::mouseClick(c->viewport(), Qt::LeftButton, {}, c->viewport()->rect().center());
        EXPECT_TRUE(holds_focus(w.find<QWidget>("Edit1"))) << focus_name().toStdString();
    }
}

struct GridCase {
    const char* name;
    const char* grid;
    int first_col, first_row;      // the first editable cell
    Qt::KeyboardModifiers tab_in;  // Tab or Shift+Tab from RadioGroup1 enters the grid
};

class HeaderCells : public testing::TestWithParam<GridCase> {
  protected:
    void expect_current(const StringGrid* g, int col, int row) {
        EXPECT_EQ(g->currentColumn(), col);
        EXPECT_EQ(g->currentRow(), row);
    }
};

TEST_P(HeaderCells, CurrentCellStartsOnTheFirstEditableCell) {
    Windows w;
    w.start();
    const GridCase& c = GetParam();
    expect_current(w.find<StringGrid>(c.grid), c.first_col, c.first_row);
}

TEST_P(HeaderCells, KeysStopAtTheFirstEditableRowAndColumn) {
    const GridCase& c = GetParam();
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Up, Qt::NoModifier},
                                                              {Qt::Key_Left, Qt::NoModifier},
                                                              {Qt::Key_Home, Qt::NoModifier},
                                                              {Qt::Key_Home, Qt::ControlModifier},
                                                              {Qt::Key_PageUp, Qt::NoModifier}};
    Windows w;
    w.start();
    focus_on(w, c.grid);
    StringGrid* g = w.find<StringGrid>(c.grid);
    for (const auto& [key, modifiers] : keys) {
        g->setCurrentCell(c.first_row + 1, c.first_col);
        press(key, modifiers);
        press(key, modifiers);
        SCOPED_TRACE(QKeySequence(key | modifiers).toString().toStdString());
        EXPECT_FALSE(g->isFixed(g->currentColumn(), g->currentRow()));
        EXPECT_GE(g->currentColumn(), c.first_col);
        EXPECT_GE(g->currentRow(), c.first_row);
    }
}

TEST_P(HeaderCells, ClicksOnHeadersLeaveTheCurrentCell) {
    const GridCase& c = GetParam();
    Windows w;
    w.start();
    focus_on(w, c.grid);
    StringGrid* g = w.find<StringGrid>(c.grid);
    g->setCurrentCell(c.first_row + 1, c.first_col);
    for (int row = 0; row < g->rowCount(); ++row)
        for (int col = 0; col < g->colCount(); ++col) {
            if (!g->isFixed(col, row)) continue;
            const QRect cell = g->visualItemRect(g->item(row, col));
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
            expect_current(g, c.first_col, c.first_row + 1);
            EXPECT_FALSE(g->item(row, col)->isSelected());
        }
}

TEST_P(HeaderCells, TabbingInLandsOnTheFirstEditableCell) {
    const GridCase& c = GetParam();
    Windows w;
    w.start();
    focus_on(w, "RadioGroup1");
    press(Qt::Key_Tab, c.tab_in);
    StringGrid* g = w.find<StringGrid>(c.grid);
    ASSERT_TRUE(holds_focus(g));
    expect_current(g, c.first_col, c.first_row);
}

INSTANTIATE_TEST_SUITE_P(
    Grids, HeaderCells,
    testing::Values(GridCase{"alphabet", "StringGrid1", 0, 1, Qt::ShiftModifier},
                    GridCase{"channel", "StringGrid2", 1, 1, Qt::NoModifier}),
    [](const testing::TestParamInfo<GridCase>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace tavolin::ui
