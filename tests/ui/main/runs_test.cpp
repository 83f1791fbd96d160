// SPDX-License-Identifier: GPL-3.0-or-later
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>

#include "core/number_text.h"
#include "tests/ui/window_fixture.h"
#include "ui/widgets/bar_chart.h"
#include "ui/widgets/radio_group.h"

namespace tavolin::ui {
namespace {

using testing_support::RecordingDialogs;
using testing_support::Windows;

void set_probabilities(Windows& w, const std::vector<QString>& probs) {
    for (int row = 1; row <= 16; ++row)
        w.grid1()->setCell(2, row, row <= static_cast<int>(probs.size()) ? probs[row - 1] : "");
}

void choose_continuous(Windows& w, bool accumulate = true) {
    w.find<RadioGroup>("RadioGroup2")->setItemIndex(1);
    w.find<QCheckBox>("CheckBox1")->setChecked(!accumulate);
}

TEST(PacketMode, DefaultRunFillsEveryDisplay) {
    Windows w(',');
    w.start();
    w.find<QPushButton>("Button1")->click();
    EXPECT_TRUE(w.dialogs.messages.empty());
    EXPECT_EQ(w.text("Label10"), "1000");
    EXPECT_EQ(w.text("Label19"), "0,4286");
    for (const char* l : {"Label12", "Label14", "Label20", "Label21", "Label22"})
        EXPECT_TRUE(w.text(l).contains(QRegularExpression("^\\d,\\d{4}$")))
            << l << w.text(l).toStdString();
    for (int c : {1, 2})
        for (int s : {0, 1}) EXPECT_EQ(w.form2->chart(c)->bars(s), 1);
    // A second click draws on: other symbols, other noise, and one bar per series again.
    const Integer seed1 = w.st.seed1;
    w.form2->Button1Click();
    EXPECT_NE(w.st.seed1, seed1);
    EXPECT_EQ(w.form2->chart(1)->bars(0), 1);
}

struct AlphabetRefusal {
    const char* name;
    std::vector<QString> probs;
    const char* message;
};

class PacketRefusals : public testing::TestWithParam<AlphabetRefusal> {};

TEST_P(PacketRefusals, ShowTheirMessageAfterTheSize) {
    Windows w(',');
    w.start();
    set_probabilities(w, GetParam().probs);
    w.find<QLineEdit>("Edit2")->setText("2500");
    w.form2->Button1Click();
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].text, GetParam().message);
    EXPECT_EQ(w.dialogs.messages[0].caption, "Ввод начальных данных");
    EXPECT_EQ(w.dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_EQ(w.text("Label10"), "2500");
    EXPECT_EQ(w.text("Label14"), "");
}

std::vector<QString> sixteen_with_zero_in_row_5() {
    std::vector<QString> p(16, "0,0625");
    p[4] = "0";
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Alphabets, PacketRefusals,
    testing::Values(AlphabetRefusal{"eight", std::vector<QString>(8, "0,125"),
                                    "В алфивите должно быть не менее 9 символов"},
                    AlphabetRefusal{"zero_in_row_5", sixteen_with_zero_in_row_5(),
                                    "В алфивите должно быть не менее 9 символов"},
                    AlphabetRefusal{
                        "sum_order",
                        {"0,22", "0,18", "0,11", "0,24", "0,01", "0,03", "0,04", "0,08", "0,09"},
                        "Сумма вероятностей символов должна равнятся 1"}),
    [](const testing::TestParamInfo<AlphabetRefusal>& i) { return std::string(i.param.name); });

TEST(PacketMode, PastedSizesOutsideTheRangeAreRefused) {
    Windows w;
    w.start();
    for (const char* size : {"0", "65537", "50001"}) {
        w.dialogs.messages.clear();
        w.find<QLineEdit>("Edit2")->setText(size);
        w.form2->Button1Click();
        ASSERT_EQ(w.dialogs.messages.size(), 1u) << size;
        EXPECT_EQ(w.dialogs.messages[0].caption, "Ввод начальных данных");
        EXPECT_EQ(w.text("Label10"), size);
    }
}

TEST(PacketMode, ChannelCellThatIsNoNumberGoesToTheErrorReport) {
    Windows w;
    w.start();
    w.grid2()->setCell(1, 2, "abc");
    const Integer seed = w.st.seed1;
    w.form2->Button1Click();
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].text, "'abc' is not a valid floating point value");
    EXPECT_EQ(w.dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_EQ(w.st.seed1, seed);
    EXPECT_EQ(w.form2->chart(1)->bars(0), 0);
}

// Records the order in which controls are enabled, disabled, shown and hidden.
class StateRecorder : public QObject {
  public:
    StateRecorder(const Windows& w, std::initializer_list<const char*> names) {
        for (const char* n : names) w.find<QWidget>(n)->installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        const QString name = o->objectName();
        auto* widget = static_cast<QWidget*>(o);
        if (e->type() == QEvent::EnabledChange)
            log.push_back(name + (widget->isEnabled() ? ":enabled" : ":disabled"));
        else if (e->type() == QEvent::ShowToParent)
            log.push_back(name + ":shown");
        else if (e->type() == QEvent::HideToParent)
            log.push_back(name + ":hidden");
        return false;
    }
    std::vector<QString> log;
};

TEST(ContinuousMode, ThreeTicksAccumulateAndTheWindowLocksInOrder) {
    Windows w(',');
    w.start();
    w.form2->Button4Click();
    choose_continuous(w);
    StateRecorder rec(w, {"Button1", "Button2", "CheckBox1", "CheckBox2", "RadioGroup1",
                          "RadioGroup2", "Edit1", "Edit2", "StringGrid1", "StringGrid2", "N1"});
    w.form2->Button1Click();
    EXPECT_TRUE(w.find<QTimer>("Timer1")->isActive());
    EXPECT_EQ(w.text("Label10"), "");  // the start sends nothing
    const std::vector<QString> locked = {
        "Button2:enabled",      "Button2:shown",  "Button1:disabled",
        "CheckBox1:disabled",   "Button1:hidden", "RadioGroup2:disabled",
        "RadioGroup1:disabled", "Edit2:disabled", "StringGrid1:disabled",
        "N1:disabled",          "Edit1:disabled", "StringGrid2:disabled"};
    EXPECT_EQ(rec.log, locked);
    EXPECT_TRUE(w.find<QPushButton>("Button3")->isEnabled());
    EXPECT_TRUE(w.find<QPushButton>("Button4")->isEnabled());

    for (int tick = 0; tick < 3; ++tick) w.form2->Timer1Timer();
    EXPECT_EQ(w.text("Label10"), "3000");
    Count drawn = 0;
    for (Count c : w.st.totals.sym_povt) drawn += c;
    EXPECT_EQ(drawn, 3000u);
    EXPECT_EQ(w.form9->mat2().size(), 16u);
    EXPECT_EQ(w.form9->mat1(), w.st.totals.k_m_main);
    EXPECT_EQ(w.text("Label14"),
              QString::fromStdString(
                  format_label(static_cast<Extended>(w.st.errors.oshib) / w.st.errors.iskaj, ',')));

    rec.log.clear();
    w.find<QPushButton>("Button2")->click();
    const std::vector<QString> unlocked = {
        "Button1:enabled",     "Button1:shown",       "Button2:disabled",    "Button2:hidden",
        "Edit2:enabled",       "CheckBox1:enabled",   "CheckBox2:enabled",   "Edit1:enabled",
        "StringGrid2:enabled", "RadioGroup1:enabled", "RadioGroup2:enabled", "StringGrid1:enabled",
        "N1:enabled"};
    EXPECT_EQ(rec.log, unlocked);
    EXPECT_FALSE(w.find<QTimer>("Timer1")->isActive());
    EXPECT_EQ(w.st.errors, ErrorCounters{});
    EXPECT_TRUE(w.st.totals.sym_povt.empty());
    EXPECT_TRUE(w.st.totals.k_m_main.empty());
    EXPECT_EQ(w.text("Label10"), "3000");  // the displays keep the last tick
    EXPECT_TRUE(w.find<QCheckBox>("CheckBox2")->isHidden());
}

TEST(ContinuousMode, RefusedStartLeavesTheWindowIdle) {
    Windows w(',');
    w.start();
    choose_continuous(w);
    set_probabilities(w, {"0,22", "0,18", "0,11", "0,24", "0,01", "0,03", "0,04", "0,08", "0,09"});
    w.form2->Button1Click();
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].text, "Сумма вероятностей символов должна равнятсяся 1");
    EXPECT_FALSE(w.find<QTimer>("Timer1")->isActive());
    EXPECT_TRUE(w.find<QPushButton>("Button1")->isVisible());
    EXPECT_TRUE(w.st.totals.sym_povt.empty());
}

TEST(ContinuousMode, WithoutAccumulationEveryTickIsAPacket) {
    Windows w(',');
    w.start();
    choose_continuous(w, false);
    w.form2->Button1Click();
    ASSERT_TRUE(w.find<QTimer>("Timer1")->isActive());
    EXPECT_TRUE(w.st.totals.sym_povt.empty());
    w.form2->Timer1Timer();
    const ErrorCounters first = w.st.errors;
    w.form2->Timer1Timer();
    EXPECT_EQ(w.text("Label10"), "1000");
    EXPECT_LE(w.st.errors.iskaj, 1000u);  // the last tick's counts alone
    EXPECT_NE(w.st.errors, first);
    w.form2->Button2Click();
    EXPECT_EQ(w.st.errors, ErrorCounters{});
}

TEST(ContinuousMode, WithoutAccumulationRefusedInputsAreSaidOnceAtTheStart) {
    Windows w(',');
    w.start();
    choose_continuous(w, false);
    set_probabilities(w, std::vector<QString>(8, "0,125"));
    w.form2->Button1Click();
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].text, "В алфивите должно быть не менее 9 символов");
    EXPECT_FALSE(w.find<QTimer>("Timer1")->isActive());
}

// A message box runs the event loop: a tick delivered while one is open must not open another.
struct TickingDialogs final : Dialogs {
    TForm2* form = nullptr;
    int open = 0, most_open = 0, shown = 0;
    void message(QWidget*, const QString&, const QString&, Icon) override {
        ++shown;
        most_open = std::max(most_open, ++open);
        form->Timer1Timer();
        form->Timer1Timer();
        --open;
    }
    QString prompt(QWidget*, const QString&, const QString&, const QString& d) override {
        return d;
    }
};

TEST(ContinuousMode, MessagesNeverStack) {
    QLocale::setDefault(testing_support::locale_with(','));
    SimState st;
    TickingDialogs dialogs;
    TForm9 form9(',');
    TForm2 form2(
        st, form9, dialogs, [] { return 5; }, false);
    dialogs.form = &form2;
    form2.show();
    form2.findChild<RadioGroup*>("RadioGroup2")->setItemIndex(1);
    form2.findChild<QCheckBox*>("CheckBox1")->setChecked(true);
    form2.Button1Click();
    ASSERT_EQ(dialogs.shown, 0);
    // Inputs that went wrong behind the locked controls (a paste, say) refuse at the next tick.
    form2.findChild<QLineEdit*>("Edit2")->setText("0");
    form2.Timer1Timer();
    EXPECT_EQ(dialogs.shown, 1);
    EXPECT_EQ(dialogs.most_open, 1);
    form2.Button2Click();
    form2.hide();
}

TEST(ContinuousMode, MatrixWindowOpenedDuringARunFollowsIt) {
    Windows w;
    w.start();
    choose_continuous(w);
    w.form2->Button1Click();
    w.form2->Timer1Timer();
    EXPECT_TRUE(w.form9->mat2().empty());
    w.find<QPushButton>("Button4")->click();
    w.form2->Timer1Timer();
    EXPECT_EQ(w.form9->mat2().size(), 16u);
    EXPECT_EQ(w.form9->findChild<StringGrid*>("StringGrid2")->rowCount(), 17);
    w.find<QPushButton>("Button3")->click();
    EXPECT_EQ(w.form2->chart(2)->bars(1), 0);
    w.form2->Timer1Timer();
    EXPECT_EQ(w.form2->chart(2)->bars(1), 1);
    w.form2->Button2Click();
}

}  // namespace
}  // namespace tavolin::ui
