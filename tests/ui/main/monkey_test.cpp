// SPDX-License-Identifier: GPL-3.0-or-later
// The main window under a few thousand random actions from a fixed seed: buttons, check boxes,
// radio buttons, menu commands, random and hostile text typed and pasted into every grid cell
// and edit box, timer ticks, the matrix window opened and closed, continuous runs started and
// stopped, with the dialogs answered through the seam. After every action the invariants that
// must always hold are checked; a failure names the seed and the action that broke them.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtCharts/QBarSet>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>

#include "core/defaults.h"
#include "core/number_text.h"
#include "tests/ui/window_fixture.h"
#include "ui/widgets/bar_chart.h"
#include "ui/widgets/radio_group.h"

namespace tavolin::ui {
namespace {

using testing_support::Windows;

constexpr int kProbabilityColumn = 2;

// Texts a user might paste or type on purpose to break things: not numbers, numbers at and past
// the edges of the range, separators of both kinds, control characters, other scripts, and
// numbers that make a run slow, empty, or its results overflow.
const char* const kHostile[] = {
    "",        "abc",        "0",          "1",          "-1",           "0,5",
    "0.5",     ",",          ".",          "1e-",        "1e4932",       "1e4933",
    "1e-4950", "1e-320",     "-0",         "   ",        "50000",        "50001",
    "65536",   "$FFFF",      "0x7FFFFFFF", "2147483648", "1,5E+3",       "NaN",
    "inf",     "0,0625",     "0.0625",     "1101",       "11111111",     "\t",
    "\n",      "\x7f",       "Ж",          "😀",          "1 2",          "1e-3",
    "0,99999", "9,99E-5000", "+0,1",       "00000000",   "1000001010011"};

// Characters typed one by one: digits, separators, signs, exponents, letters, spaces, Cyrillic.
const char16_t kTyped[] = u"0123456789,.,.eE+- xX$aZЖ";

// Keys with no character of their own, or control characters.
const Qt::Key kControlKeys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Escape,
                                Qt::Key_Left,      Qt::Key_Right,  Qt::Key_Home,   Qt::Key_End,
                                Qt::Key_Up,        Qt::Key_Down,   Qt::Key_Tab,    Qt::Key_F2};

// Settings prompts' answers: polynomials and frame sizes, good and bad.
const char* const kPromptAnswers[] = {
    "1011", "10011", "1000001010011", "1111", "", "0", "abc", "1", "3", "4", "5", "0x2",
    " 1",   "-1",    "10000000011011"};

class Monkey {
  public:
    Monkey(Windows& w, std::uint32_t seed) : w_(w), rng_(seed) {
        // Ticks come from the monkey alone, so a seed replays the same run: the timer's own
        // interval never elapses during the test.
        timer()->setInterval(24 * 3600 * 1000);
    }

    // Runs `actions` actions; returns the first broken invariant with the action that broke it.
    std::string run(int actions) {
        for (action_ = 1; action_ <= actions; ++action_) {
            before_ = snapshot();
            act();
            QCoreApplication::sendPostedEvents();
            const std::string broken = check();
            if (!broken.empty())
                return "action " + std::to_string(action_) + " (" + done_ + "): " + broken;
        }
        return {};
    }

  private:
    // What the invariants compare across one action.
    struct Snapshot {
        bool running = false;
        bool accumulating = false;
        long long run_id = 0;
        QStringList inputs;  // every input text, read while locked
        Count iskaj = 0, oshib = 0, ispr = 0, drawn = 0;
        long long sent = 0;
    };

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(int percent) { return pick(100) < percent; }
    template <typename T, std::size_t N>
    const T& one_of(const T (&items)[N]) {
        return items[pick(static_cast<int>(N))];
    }

    QTimer* timer() const { return w_.form2->findChild<QTimer*>("Timer1"); }
    QPushButton* button(const char* name) const { return w_.find<QPushButton>(name); }
    QLineEdit* edit(const char* name) const { return w_.find<QLineEdit>(name); }
    RadioGroup* group(const char* name) const { return w_.find<RadioGroup>(name); }
    bool running() const { return timer()->isActive(); }

    void act() {
        switch (pick(16)) {
            case 0:
                return click_button();
            case 1:
                return toggle_check_box();
            case 2:
                return choose_radio();
            case 3:
                return menu_command();
            case 4:
            case 5:
                return type_into_cell();
            case 6:
                return paste_into_cell();
            case 7:
                return type_into_edit();
            case 8:
                return paste_into_edit();
            case 9:
            case 10:
                return tick();
            case 11:
                return matrix_window();
            case 12:
                return continuous_run();
            case 13:
                return context_command();
            case 14:
                return repair_alphabet();
            default:
                return repair_channel_and_sizes();
        }
    }

    // The user can press only what is shown and enabled.
    void click_button() {
        const char* names[] = {"Button1", "Button2", "Button3", "Button4"};
        QPushButton* b = button(one_of(names));
        done_ = "click " + b->objectName().toStdString();
        if (b->isVisible() && b->isEnabled()) QTest::mouseClick(b, Qt::LeftButton);
    }

    void toggle_check_box() {
        auto* box = w_.find<QCheckBox>("CheckBox1");
        done_ = "toggle CheckBox1";
        if (box->isVisible() && box->isEnabled()) QTest::mouseClick(box, Qt::LeftButton);
    }

    void choose_radio() {
        RadioGroup* g = group(chance(50) ? "RadioGroup1" : "RadioGroup2");
        const int item = pick(2);
        done_ = "choose " + g->objectName().toStdString() + " item " + std::to_string(item);
        QRadioButton* b = g->button(item);
        if (g->isEnabled() && b->isEnabled()) QTest::mouseClick(b, Qt::LeftButton);
    }

    // A command of the menu bar's menus, as far as the menu and the command are enabled; the
    // settings prompt gets an answer from the list, or the default when it is cancelled.
    void menu_command() {
        std::vector<QAction*> commands;
        for (QMenu* menu : w_.form2->menuBar()->findChildren<QMenu*>())
            for (QAction* a : menu->actions())
                if (!a->isSeparator() && !a->menu()) commands.push_back(a);
        QAction* a = commands[static_cast<std::size_t>(pick(static_cast<int>(commands.size())))];
        auto* menu = qobject_cast<QMenu*>(a->parent());
        done_ = "menu " + a->objectName().toStdString() + " " + a->text().toStdString();
        if (menu && !menu->isEnabled()) return;
        if (!a->isEnabled()) return;
        if (chance(80)) w_.dialogs.answers.push_back(one_of(kPromptAnswers));
        a->trigger();
        w_.dialogs.answers.clear();
    }

    // A command of a context menu (copy, save): the file dialogs cancel or name a file in a
    // folder of the test's own.
    void context_command() {
        std::vector<QAction*> commands;
        for (QWidget* window :
             {static_cast<QWidget*>(w_.form2.get()), static_cast<QWidget*>(w_.form9.get())}) {
            QList<QWidget*> widgets = window->findChildren<QWidget*>();
            widgets.prepend(window);
            for (QWidget* widget : widgets)
                for (QAction* a : widget->actions())
                    if (!a->isSeparator() && !a->menu()) commands.push_back(a);
        }
        if (commands.empty()) return;
        QAction* a = commands[static_cast<std::size_t>(pick(static_cast<int>(commands.size())))];
        done_ = "context " + a->objectName().toStdString() + " " + a->text().toStdString();
        if (!a->isEnabled()) return;
        if (chance(50)) {
            const char* names[] = {"out.csv", "out.png", "out.svg", "out"};
            w_.dialogs.file_answers.push_back({files_.filePath(one_of(names)), {}});
        }
        a->trigger();
        w_.dialogs.file_answers.clear();
    }

    // A random editable cell of either grid, made current as a click would make it.
    std::pair<StringGrid*, std::pair<int, int>> some_cell() {
        StringGrid* g = chance(70) ? w_.grid1() : w_.grid2();
        const int col = g->isFixed(0, 1) ? 1 + pick(g->colCount() - 1) : pick(g->colCount());
        const int row = 1 + pick(g->rowCount() - 1);
        return {g, {col, row}};
    }

    void open_cell(StringGrid* g, int col, int row) {
        g->setFocus();
        if (chance(60)) g->setCurrentIndex(QModelIndex());  // closes an editor left open
        g->setCurrentCell(row, col);
        QCoreApplication::sendPostedEvents();
    }

    // Sends a key to whatever has the focus in the window, as the keyboard would.
    void key(QWidget* fallback, int k, Qt::KeyboardModifiers modifiers, const QString& text) {
        QWidget* target = fallback->window()->focusWidget();
        if (!target) target = fallback;
        QKeyEvent press(QEvent::KeyPress, k, modifiers, text);
        QKeyEvent release(QEvent::KeyRelease, k, modifiers, text);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
        // What the event loop delivers between two keystrokes (an editor's queued commit).
        QCoreApplication::sendPostedEvents();
    }

    void typed_keys(QWidget* at, int count) {
        for (int i = 0; i < count; ++i) {
            if (chance(15)) {
                const Qt::Key k = one_of(kControlKeys);
                key(at, k, Qt::NoModifier, k == Qt::Key_Backspace ? QString(QChar(8)) : QString());
            } else {
                const QChar c(kTyped[pick(static_cast<int>(std::size(kTyped)) - 1)]);
                key(at, c.toUpper().unicode(), Qt::NoModifier, QString(c));
            }
        }
    }

    void type_into_cell() {
        const auto [g, at] = some_cell();
        const int count = 1 + pick(8);
        done_ = "type " + std::to_string(count) + " keys into " + g->objectName().toStdString() +
                " [" + std::to_string(at.first) + "," + std::to_string(at.second) + "]";
        open_cell(g, at.first, at.second);
        typed_keys(g, count);
    }

    // Ctrl+V, Shift+Insert, or the editor's own context menu command.
    void paste(QWidget* at, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        switch (pick(3)) {
            case 0:
                key(at, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
                break;
            case 1:
                key(at, Qt::Key_Insert, Qt::ShiftModifier, QString());
                break;
            default:
                if (auto* editor = qobject_cast<QLineEdit*>(at->window()->focusWidget()))
                    if (editor->isEnabled() && !editor->isReadOnly()) editor->paste();
                break;
        }
    }

    void paste_into_cell() {
        const auto [g, at] = some_cell();
        const QString text = QString::fromUtf8(one_of(kHostile));
        done_ = "paste \"" + text.toStdString() + "\" into " + g->objectName().toStdString() +
                " [" + std::to_string(at.first) + "," + std::to_string(at.second) + "]";
        open_cell(g, at.first, at.second);
        if (chance(50)) typed_keys(g, 1);  // opens the editor with a key first
        paste(g, text);
    }

    void focus_edit(QLineEdit* e) {
        e->setFocus();
        if (chance(40))
            e->selectAll();
        else
            e->setCursorPosition(pick(static_cast<int>(e->text().size()) + 1));
    }

    void type_into_edit() {
        QLineEdit* e = edit(chance(50) ? "Edit1" : "Edit2");
        const int count = 1 + pick(6);
        done_ = "type " + std::to_string(count) + " keys into " + e->objectName().toStdString();
        focus_edit(e);
        typed_keys(e, count);
    }

    void paste_into_edit() {
        QLineEdit* e = edit(chance(50) ? "Edit1" : "Edit2");
        const QString text = QString::fromUtf8(one_of(kHostile));
        done_ = "paste \"" + text.toStdString() + "\" into " + e->objectName().toStdString();
        focus_edit(e);
        paste(e, text);
    }

    // The timer's tick, when the timer runs (it never ticks otherwise).
    void tick() {
        done_ = "tick";
        if (running()) w_.form2->Timer1Timer();
    }

    // The matrix window: opened by its button, closed by its own button or its title bar.
    void matrix_window() {
        switch (pick(3)) {
            case 0:
                done_ = "open the matrix window";
                if (button("Button4")->isEnabled())
                    QTest::mouseClick(button("Button4"), Qt::LeftButton);
                break;
            case 1:
                done_ = "close the matrix window by its button";
                if (w_.form9->isVisible())
                    QTest::mouseClick(w_.form9->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
                break;
            default:
                done_ = "close the matrix window by its title bar";
                w_.form9->close();
                break;
        }
    }

    // A continuous run started (in a mode the check box chooses) or stopped, in one go.
    void continuous_run() {
        if (running()) {
            done_ = "stop the continuous run";
            QTest::mouseClick(button("Button2"), Qt::LeftButton);
            return;
        }
        done_ = "start a continuous run";
        if (!group("RadioGroup2")->isEnabled()) return;
        QTest::mouseClick(group("RadioGroup2")->button(1), Qt::LeftButton);
        if (chance(30)) QTest::mouseClick(w_.find<QCheckBox>("CheckBox1"), Qt::LeftButton);
        QTest::mouseClick(button("Button1"), Qt::LeftButton);
    }

    // Texts written with the window's separator.
    QString regional(const char* text) const {
        QString t = QString::fromUtf8(text);
        t.replace('.', QChar(w_.form2->separator()));
        return t;
    }

    // A cell's text replaced as a user does it: the editor opened, its text selected and
    // deleted, the new text typed key by key (each key still judged by the filter).
    void retype_cell(StringGrid* g, int col, int row, const QString& text) {
        open_cell(g, col, row);
        key(g, Qt::Key_F2, Qt::NoModifier, QString());
        key(g, Qt::Key_A, Qt::ControlModifier, QString());
        key(g, Qt::Key_Delete, Qt::NoModifier, QString());
        for (QChar c : text) key(g, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        key(g, Qt::Key_Return, Qt::NoModifier, QString(QChar(13)));
    }

    void retype_edit(QLineEdit* e, const QString& text) {
        e->setFocus();
        e->selectAll();
        key(e, Qt::Key_Delete, Qt::NoModifier, QString());
        for (QChar c : text) key(e, c.toUpper().unicode(), Qt::NoModifier, QString(c));
    }

    // A user putting things right: an alphabet that sums to exactly 1 (the row after it read as
    // zero), so that runs are made again and not only refused.
    void repair_alphabet() {
        static const std::vector<const char*> alphabets[] = {
            std::vector<const char*>(16, "0.0625"),
            {"0.5", "0.25", "0.125", "0.0625", "0.03125", "0.015625", "0.0078125", "0.00390625",
             "0.00390625"},
            {"0.25", "0.125", "0.125", "0.0625", "0.0625", "0.0625", "0.0625", "0.0625", "0.0625",
             "0.03125", "0.03125", "0.03125", "0.03125"}};
        const auto& probs = alphabets[pick(3)];
        done_ = "type an alphabet of " + std::to_string(probs.size()) + " symbols";
        for (std::size_t i = 0; i < probs.size(); ++i)
            retype_cell(w_.grid1(), kProbabilityColumn, static_cast<int>(i) + 1,
                        regional(probs[i]));
        if (probs.size() < kMaxSymbols)
            retype_cell(w_.grid1(), kProbabilityColumn, static_cast<int>(probs.size()) + 1, "0");
    }

    // The channel's probabilities, the packet size and the bit time typed afresh.
    void repair_channel_and_sizes() {
        const char* inversions[] = {"0", "0.01", "0.1", "0.2", "0.5"};
        const char* erasures[] = {"0", "0.05", "0.2"};
        const char* sizes[] = {"1", "9", "50", "200", "1000"};
        // Bit times the filter lets through at the edges of the range: rates that overflow a
        // chart's value, and rates that vanish.
        const char* bit_times[] = {"0.0002", "1", "0", "1e-3", "1e-320", "1e-4950", "1e4900"};
        done_ = "type the channel, the packet size and the bit time";
        StringGrid* g = w_.grid2();
        for (int row = 1; row <= 2; ++row) {
            if (g->colCount() == 3) retype_cell(g, 2, row, "0");
            retype_cell(g, 1, row, regional(one_of(inversions)));
            if (g->colCount() == 3) retype_cell(g, 2, row, regional(one_of(erasures)));
        }
        retype_edit(edit("Edit2"), one_of(sizes));
        retype_edit(edit("Edit1"), regional(one_of(bit_times)));
    }

    QStringList input_texts() const {
        QStringList texts = {edit("Edit1")->text(), edit("Edit2")->text()};
        for (StringGrid* g : {w_.grid1(), w_.grid2()})
            for (int r = 0; r < g->rowCount(); ++r)
                for (int c = 0; c < g->colCount(); ++c) texts << g->cell(c, r);
        texts << QString::number(group("RadioGroup1")->itemIndex())
              << QString::number(group("RadioGroup2")->itemIndex())
              << QString::number(w_.find<QCheckBox>("CheckBox1")->isChecked());
        return texts;
    }

    Snapshot snapshot() const {
        Snapshot s;
        s.running = running();
        s.accumulating = s.running && !w_.find<QCheckBox>("CheckBox1")->isChecked();
        s.run_id = run_id_;
        s.inputs = input_texts();
        s.iskaj = w_.st.errors.iskaj;
        s.oshib = w_.st.errors.oshib;
        s.ispr = w_.st.errors.ispr;
        for (Count c : w_.st.totals.sym_povt) s.drawn += c;
        s.sent = w_.text("Label10").toLongLong();
        return s;
    }

    // The sum labels as the alphabet cells give them: the probabilities up to the first cell that
    // reads as zero (empty or no number), in the fixed format; before any edit, the start texts.
    std::string check_sum_labels() const {
        const char sep = w_.form2->separator();
        Extended sum = 0;
        for (int row = 1; row <= kMaxSymbols; ++row) {
            const Extended v =
                to_number_or(w_.grid1()->cell(kProbabilityColumn, row).toStdString(), sep, 0);
            if (v == 0) break;
            sum += v;
        }
        const QString label4 = w_.text("Label4"), label5 = w_.text("Label5");
        const bool shown = label4 == QString::fromStdString(format_fixed(sum, 9, 6, sep)) &&
                           label5 == QString::fromStdString(format_fixed(1 - sum, 9, 6, sep));
        const bool at_start = sum == 1 && label4 == QString::fromStdString(format_label(1, sep)) &&
                              label5 == QString::fromStdString(format_label(0, sep));
        if (shown || at_start) return {};
        return "the sum labels show " + label4.toStdString() + " and " + label5.toStdString() +
               " for an alphabet summing to " + format_round_trip(sum);
    }

    std::string check_locking() const {
        const bool run = running();
        QPushButton *b1 = button("Button1"), *b2 = button("Button2");
        auto* box1 = w_.find<QCheckBox>("CheckBox1");
        auto* n1 = w_.find<QMenu>("N1");
        if (b2->isVisible() != run || b2->isEnabled() != run || b1->isVisible() == run ||
            b1->isEnabled() == run)
            return std::string("the start and stop buttons do not show ") +
                   (run ? "a run" : "an idle window");
        const QWidget* inputs[] = {group("RadioGroup1"), group("RadioGroup2"), edit("Edit1"),
                                   edit("Edit2"),        w_.grid1(),           w_.grid2()};
        for (const QWidget* input : inputs)
            if (input->isEnabled() == run)
                return input->objectName().toStdString() +
                       (run ? " is enabled during a run" : " is disabled after a run");
        if (n1->isEnabled() == run)
            return run ? "the coding menu is enabled during a run"
                       : "the coding menu is disabled after a run";
        const bool continuous_mode = group("RadioGroup2")->itemIndex() == 1;
        if (box1->isEnabled() != (!run && continuous_mode))
            return "CheckBox1 is " + std::string(box1->isEnabled() ? "enabled" : "disabled") +
                   (run               ? " during a run"
                    : continuous_mode ? " in continuous mode"
                                      : " in packet mode");
        if (run && before_.running && before_.run_id == run_id_ && input_texts() != before_.inputs)
            return "an input changed during a run";
        return {};
    }

    std::string check_counters() {
        const Snapshot now = snapshot();
        if (now.running && !before_.running) ++run_id_;  // a run started by this action
        if (!(now.running && before_.running && before_.accumulating)) return {};
        if (now.iskaj < before_.iskaj || now.oshib < before_.oshib || now.ispr < before_.ispr ||
            now.drawn < before_.drawn ||
            // Label10 keeps the last run's count until the new run's first tick.
            (before_.drawn > 0 && now.sent < before_.sent))
            return "a counter of the accumulating run went down";
        return {};
    }

    std::string check_charts() const {
        for (int c : {1, 2})
            for (int s : {0, 1}) {
                const QBarSet* set = w_.form2->chart(c)->series(s);
                for (int k = 0; k < set->count(); ++k)
                    if (!std::isfinite(set->at(k))) {
                        std::ostringstream o;
                        o << "Chart" << c << " shows a bar of " << set->at(k);
                        return o.str();
                    }
            }
        return {};
    }

    std::string check_headers() const {
        const QString alphabet[] = {"Символ", "Код", "Вероятность"};
        for (int c = 0; c < 3; ++c)
            if (w_.grid1()->cell(c, 0) != alphabet[c]) return "an alphabet header changed";
        if (w_.grid2()->cell(0, 1) != "0" || w_.grid2()->cell(0, 2) != "1" ||
            w_.grid2()->cell(1, 0) != "Инверсия")
            return "a channel header changed";
        return {};
    }

    // Every message box the action opened says something under a caption.
    std::string check_messages() {
        for (; messages_seen_ < w_.dialogs.messages.size(); ++messages_seen_) {
            const auto& m = w_.dialogs.messages[messages_seen_];
            if (m.text.isEmpty() || m.caption.isEmpty()) return "an empty message box";
        }
        return {};
    }

    std::string check() {
        for (const std::string& broken : {check_counters(), check_locking(), check_sum_labels(),
                                          check_charts(), check_headers(), check_messages()})
            if (!broken.empty()) return broken;
        return {};
    }

    Windows& w_;
    std::mt19937 rng_;
    QTemporaryDir files_;
    int action_ = 0;
    long long run_id_ = 0;
    std::size_t messages_seen_ = 0;
    Snapshot before_;
    std::string done_;
};

struct MonkeyCase {
    const char* name;
    char sep;
    std::uint32_t seed;
    int actions;
};

class MonkeyTest : public testing::TestWithParam<MonkeyCase> {};

// The offscreen platform says at every raise of the matrix window that it cannot raise it;
// other messages pass on.
class QuietAboutRaise {
  public:
    QuietAboutRaise() { previous_ = qInstallMessageHandler(&handle); }
    ~QuietAboutRaise() { qInstallMessageHandler(previous_); }

  private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (text.contains("does not support raise()")) return;
        if (previous_)
            previous_(type, context, text);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
    }
    static inline QtMessageHandler previous_ = nullptr;
};

TEST_P(MonkeyTest, InvariantsHoldAfterEveryAction) {
    const MonkeyCase& c = GetParam();
    const QuietAboutRaise quiet;
    Windows w(c.sep);
    w.start();
    Monkey monkey(w, c.seed);
    const std::string broken = monkey.run(c.actions);
    EXPECT_EQ(broken, "") << "seed " << c.seed << ", separator '" << c.sep << "'";
    w.form2->Button2Click();  // a run left going is stopped as the user would
}

INSTANTIATE_TEST_SUITE_P(Seeds, MonkeyTest,
                         testing::Values(MonkeyCase{"comma", ',', 17, 2000},
                                         MonkeyCase{"point", '.', 4242, 2000}),
                         [](const testing::TestParamInfo<MonkeyCase>& i) { return i.param.name; });

}  // namespace
}  // namespace tavolin::ui
