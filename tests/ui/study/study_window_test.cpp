// SPDX-License-Identifier: GPL-3.0-or-later
// The study window: opened from the main window's menu, it runs studies on worker threads,
// draws them as they grow, stops at once, and saves and opens the command's files.
#include "ui/study/study_window.h"

#include <QAction>
#include <QAreaSeries>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsTextItem>
#include <QGroupBox>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenu>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

#include "app/sim/sim_command.h"
#include "tests/ui/window_fixture.h"
#include "ui/study/study_chart.h"
#include "ui/widgets/radio_group.h"

namespace tavolin::ui {
namespace {

using testing_support::Windows;

const char* const kAllCodes[] = {"CyclicBox", "HammingBox", "ContinuousBox", "NoneBox"};

// A study's inputs as typed into the window, with a comma; the command's options for the same.
struct StudySetup {
    Varied varied = Varied::p;
    QString from = "0,02", to = "0,1";
    int points = 3;
    bool log = false;
    std::vector<const char*> codes = {std::begin(kAllCodes), std::end(kAllCodes)};
    QString polynomial = "1101", frame = "3";
    QString size = "200", min_distorted = "30", max_symbols = "20000";
    bool exact = true;        // the box "Точный расчёт"
    bool exact_only = false;  // started by "Только точные значения"

    std::vector<std::string> command() const {
        auto point = [](QString s) { return s.replace(',', '.').toStdString(); };
        std::vector<std::string> args = {"sweep",
                                         "--vary",
                                         varied_name(varied),
                                         "--from",
                                         point(from),
                                         "--to",
                                         point(to),
                                         "--points",
                                         std::to_string(points),
                                         "--size",
                                         size.toStdString(),
                                         "--min-distorted",
                                         min_distorted.toStdString(),
                                         "--max-symbols",
                                         max_symbols.toStdString()};
        if (log) args.emplace_back("--log");
        if (!exact) args.emplace_back("--no-exact");
        if (exact_only) args.emplace_back("--exact-only");
        std::string list;
        for (const char* c : codes) {
            const std::string name =
                c == std::string("CyclicBox")       ? "cyclic:" + polynomial.toStdString()
                : c == std::string("HammingBox")    ? "hamming"
                : c == std::string("ContinuousBox") ? "continuous:" + frame.toStdString()
                                                    : "none";
            list += (list.empty() ? "" : ",") + name;
        }
        args.insert(args.end(), {"--codes", list});
        return args;
    }
};

class StudyTest : public testing::Test {
  protected:
    explicit StudyTest(char sep = ',') : w_(sep) {
        w_.start();
        w_.find<QAction>("N8")->trigger();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<StudyWindow*>(top)) study_ = s;
    }

    template <typename T>
    T* find(const char* name) const {
        T* widget = study_->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString sep_text(QString s) const { return w_.sep_text(s.toUtf8().constData()); }

    void set(const StudySetup& s) {
        study_->open();  // as the user comes back to it, after changes in the main window
        auto* varied = find<QComboBox>("VariedBox");
        const int at = varied->findData(static_cast<int>(s.varied));
        ASSERT_GE(at, 0) << varied_name(s.varied);
        varied->setCurrentIndex(at);
        find<QLineEdit>("FromEdit")->setText(sep_text(s.from));
        find<QLineEdit>("ToEdit")->setText(sep_text(s.to));
        find<QSpinBox>("PointsBox")->setValue(s.points);
        find<QCheckBox>("LogBox")->setChecked(s.log);
        for (const char* box : kAllCodes)
            find<QCheckBox>(box)->setChecked(
                std::find_if(s.codes.begin(), s.codes.end(),
                             [&](const char* c) { return QString(c) == box; }) != s.codes.end());
        find<QLineEdit>("PolynomialEdit")->setText(s.polynomial);
        find<QLineEdit>("FrameEdit")->setText(s.frame);
        find<QLineEdit>("SizeEdit")->setText(s.size);
        find<QLineEdit>("MinDistortedEdit")->setText(s.min_distorted);
        find<QLineEdit>("MaxSymbolsEdit")->setText(s.max_symbols);
        find<QCheckBox>("ExactBox")->setChecked(s.exact);
    }

    void start(bool exact_only = false) {
        find<QPushButton>(exact_only ? "ExactOnlyButton" : "StartButton")->click();
    }
    bool finish(int ms = 300000) {
        return QTest::qWaitFor([this] { return !study_->running(); }, ms);
    }
    void run(const StudySetup& s) {
        set(s);
        start(s.exact_only);
        ASSERT_TRUE(study_->running());
        ASSERT_TRUE(finish());
    }

    QString progress() const { return find<QProgressBar>("StudyProgress")->text(); }
    int rows() const { return find<QTableView>("StudyTable")->model()->rowCount(); }
    QString cell_text(int row, int column) const {
        const QAbstractItemModel* m = find<QTableView>("StudyTable")->model();
        return m->data(m->index(row, column)).toString();
    }
    std::size_t curves() const {
        std::size_t n = 0;
        while (study_->chart()->curve(n)) ++n;
        return n;
    }

    // Saves through the button the dialog answers with `path` and the filter `filter`.
    void save(const char* button, const QString& path, const QString& filter = {}) {
        w_.dialogs.file_answers.push_back({path, filter});
        find<QPushButton>(button)->click();
    }

    Windows w_;
    StudyWindow* study_ = nullptr;
    QTemporaryDir dir_;
};

QByteArray file_bytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

// The command's output for `args` with the window's seeds, written to `path`.
QByteArray command_output(std::vector<std::string> args, const StudyPlan& plan,
                          const QString& path) {
    args.insert(args.end(),
                {"--seed1", std::to_string(plan.seed1), "--seed2", std::to_string(plan.seed2),
                 "--threads", "2", "--quiet", "--out", path.toStdString()});
    std::ostringstream out, err;
    EXPECT_EQ(sim::run_sim(args, out, err, [] { return 1; }), 0) << err.str();
    return file_bytes(path);
}

// ---------------------------------------------------------------------------------------------
// The menu

TEST_F(StudyTest, MenuOpensOneWindowAndIsLockedDuringAContinuousRun) {
    ASSERT_NE(study_, nullptr);
    EXPECT_TRUE(study_->isVisible());
    EXPECT_EQ(study_->windowTitle(), "Зависимость от вероятности помех");
    auto* menu = w_.find<QMenu>("N7");
    EXPECT_EQ(menu->title(), "Исследование");
    EXPECT_EQ(w_.find<QAction>("N8")->text(), "Зависимость от вероятности помех…");
    study_->close();
    w_.find<QAction>("N8")->trigger();
    int windows = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        windows += qobject_cast<StudyWindow*>(top) != nullptr;
    EXPECT_EQ(windows, 1);
    EXPECT_TRUE(study_->isVisible());

    w_.find<RadioGroup>("RadioGroup2")->setItemIndex(1);
    w_.form2->Button1Click();
    EXPECT_FALSE(w_.find<QAction>("N8")->isEnabled());
    EXPECT_FALSE(w_.find<QMenu>("N1")->isEnabled());
    // The transmission log follows a run, so it opens during one.
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_TRUE(w_.find<QAction>("PacketLogAction")->isEnabled());
    w_.form2->Button2Click();
    EXPECT_TRUE(w_.find<QAction>("N8")->isEnabled());
}

TEST_F(StudyTest, TakesTheMainWindowsCodeSettingsAndPacketSizeWhenOpened) {
    study_->close();
    w_.st.Polinom_default = 0b1011;
    w_.st.L_default = 2;
    w_.find<QLineEdit>("Edit2")->setText("750");
    w_.find<QAction>("N8")->trigger();
    EXPECT_EQ(find<QLineEdit>("PolynomialEdit")->text(), "1011");
    EXPECT_EQ(find<QLineEdit>("FrameEdit")->text(), "2");
    EXPECT_EQ(find<QLineEdit>("SizeEdit")->text(), "750");
}

TEST_F(StudyTest, TheChoicesFollowTheChannelType) {
    auto* varied = find<QComboBox>("VariedBox");
    EXPECT_EQ(varied->count(), 3);
    EXPECT_TRUE(find<QCheckBox>("ContinuousBox")->isEnabled());
    w_.find<RadioGroup>("RadioGroup1")->setItemIndex(1);
    study_->open();
    ASSERT_EQ(varied->count(), 6);
    EXPECT_EQ(varied->itemText(5), "Вероятности стирания 0 и 1");
    EXPECT_FALSE(find<QCheckBox>("ContinuousBox")->isEnabled());
    varied->setCurrentIndex(4);
    w_.find<RadioGroup>("RadioGroup1")->setItemIndex(0);
    study_->open();
    EXPECT_EQ(varied->count(), 3);
    EXPECT_EQ(varied->currentText(), "Вероятности инверсии 0 и 1");
}

// ---------------------------------------------------------------------------------------------
// Studies drawn

struct DrawnCase {
    const char* name;
    friend void PrintTo(const DrawnCase& c, std::ostream* os) { *os << c.name; }
    StudySetup setup;
    bool erasure;
};

class StudyDrawn : public StudyTest, public testing::WithParamInterface<DrawnCase> {};

StudySetup erasure_setup() {
    StudySetup s;
    s.varied = Varied::e;
    s.from = "0,01";
    s.to = "0,2";
    s.points = 2;
    s.log = true;
    s.codes = {"CyclicBox", "HammingBox", "NoneBox"};
    return s;
}

StudySetup one_code_setup() {
    StudySetup s;
    s.varied = Varied::p0;
    s.points = 4;
    s.codes = {"HammingBox"};
    return s;
}

TEST_P(StudyDrawn, OneCurvePerCodeWithAPointPerValue) {
    const DrawnCase& c = GetParam();
    if (c.erasure) w_.find<RadioGroup>("RadioGroup1")->setItemIndex(1);
    const QString symbols_shown = w_.text("Label10");
    run(c.setup);

    const std::size_t codes = c.setup.codes.size();
    const auto points = static_cast<std::size_t>(c.setup.points);
    ASSERT_EQ(study_->cells().size(), codes * points);
    EXPECT_TRUE(std::all_of(study_->cells().begin(), study_->cells().end(),
                            [](const StudyCell& cell) { return cell.complete; }));
    EXPECT_EQ(curves(), codes);
    for (std::size_t i = 0; i < codes; ++i) {
        EXPECT_EQ(study_->chart()->curve(i)->count(), c.setup.points) << i;
        EXPECT_EQ(study_->chart()->band(i)->upperSeries()->count(), c.setup.points) << i;
        EXPECT_TRUE(study_->chart()->band(i)->isVisible());
    }
    EXPECT_EQ(rows(), static_cast<int>(codes * points));
    EXPECT_EQ(progress(), QString("Готово, ячеек: %1 из %1").arg(codes * points));
    EXPECT_TRUE(find<QPushButton>("SaveButton")->isEnabled());
    // The study reads the main window's inputs and leaves its displays alone.
    EXPECT_EQ(w_.text("Label10"), symbols_shown);
    EXPECT_TRUE(w_.dialogs.messages.empty());

    // The useful information has the capacity as its limit, one value per point.
    find<QComboBox>("MeasureBox")->setCurrentIndex(3);
    EXPECT_TRUE(study_->chart()->capacity()->isVisible());
    EXPECT_EQ(study_->chart()->capacity()->count(), c.setup.points);
    EXPECT_FALSE(study_->chart()->band(0)->isVisible());
    for (std::size_t i = 0; i < codes; ++i)
        EXPECT_EQ(study_->chart()->curve(i)->count(), c.setup.points) << i;
}

// The table's columns of the exact values, beside their measured ones.
constexpr int kDetectedExactColumn = 5, kCorrectedExactColumn = 8, kWrongExactColumn = 11,
              kUsefulColumn = 12, kUsefulExactColumn = 13;
constexpr int kExactColumns[] = {kDetectedExactColumn, kCorrectedExactColumn, kWrongExactColumn,
                                 kUsefulExactColumn};

// Every measure that has an exact value has a thin line of it per code, a point per cell, in
// the code's colour and named "(точно)" in the legend; the rate has none.
TEST_P(StudyDrawn, ExactLinesBesideTheMeasuredCurves) {
    const DrawnCase& c = GetParam();
    if (c.erasure) w_.find<RadioGroup>("RadioGroup1")->setItemIndex(1);
    run(c.setup);
    const std::size_t codes = c.setup.codes.size();
    auto* measure = find<QComboBox>("MeasureBox");
    for (int m = 0; m < measure->count(); ++m) {
        measure->setCurrentIndex(m);
        const bool has_exact = m != 4;
        for (std::size_t i = 0; i < codes; ++i) {
            QLineSeries* exact = study_->chart()->exact_curve(i);
            ASSERT_NE(exact, nullptr);
            const QString what = measure->currentText() + " " + exact->name();
            EXPECT_EQ(exact->name(), study_->chart()->curve(i)->name() + " (точно)");
            EXPECT_EQ(exact->pen().color(), study_->chart()->curve(i)->pen().color());
            EXPECT_LT(exact->pen().widthF(), study_->chart()->curve(i)->pen().widthF());
            // A share is drawn where it exists (none detects nothing, so corrects nothing), and
            // on a logarithmic axis where it is above 0; the rest at every point.
            int drawn = 0;
            for (const StudyCell& cell : study_->cells()) {
                const std::optional<Extended> v = m == 0   ? cell.detected_share_exact
                                                  : m == 1 ? cell.corrected_share_exact
                                                  : m == 2 ? cell.wrong_rate_exact
                                                           : cell.useful_per_bit_exact;
                if (cell.code == i && has_exact && v &&
                    (*v > 0 || !study_->chart()->logarithmic_values()))
                    ++drawn;
            }
            if (m >= 2 && has_exact) {
                EXPECT_EQ(drawn, c.setup.points) << what.toStdString();
            }
            EXPECT_EQ(exact->count(), drawn) << what.toStdString();
            EXPECT_EQ(exact->isVisible(), drawn > 0) << what.toStdString();
        }
    }
    EXPECT_EQ(study_->chart()->exact_curve(codes), nullptr);
    for (int row = 0; row < rows(); ++row)
        for (int column : {kWrongExactColumn, kUsefulExactColumn})
            EXPECT_NE(cell_text(row, column), "—") << row << " " << column;
}

INSTANTIATE_TEST_SUITE_P(
    Channels, StudyDrawn,
    testing::Values(DrawnCase{"inversion_four_codes", StudySetup{}, false},
                    DrawnCase{"erasure_three_codes_logarithmic", erasure_setup(), true},
                    DrawnCase{"one_code_five_points", one_code_setup(), false}),
    [](const testing::TestParamInfo<DrawnCase>& i) { return std::string(i.param.name); });

// Exact values alone, from 1e-12 on: no measured curve or its name, every name in the legend
// and every axis label whole, however many decades the values span.
TEST_F(StudyTest, ExactValuesAloneOverManyDecadesReadWhole) {
    StudySetup s;
    s.from = "1e-12";
    s.to = "0,1";
    s.points = 23;
    s.log = true;
    s.exact_only = true;
    run(s);
    study_->chart()->resize(900, 500);
    auto* measure = find<QComboBox>("MeasureBox");
    for (int m : {0, 2, 3}) {
        measure->setCurrentIndex(m);
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the axes replaced
        const std::string what = measure->currentText().toStdString();
        int entries = 0;
        for (QLegendMarker* marker : study_->chart()->chart()->legend()->markers())
            if (marker->isVisible() && marker->series()->isVisible()) {
                ++entries;
                EXPECT_TRUE(marker->label().endsWith(" (точно)") ||
                            marker->series() == study_->chart()->capacity())
                    << what << " " << marker->label().toStdString();
            }
        EXPECT_EQ(entries, 4 + (m == 3 ? 1 : 0)) << what;
        int texts = 0;
        for (const QGraphicsItem* item : study_->chart()->scene()->items())
            if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item);
                text && text->isVisible()) {
                ++texts;
                EXPECT_FALSE(text->toPlainText().contains("..."))
                    << what << " " << text->toPlainText().toStdString();
            }
        EXPECT_GE(texts, 10) << what;
    }
    measure->setCurrentIndex(2);  // the wrong-symbol rate spans 24 decades
    EXPECT_TRUE(study_->chart()->logarithmic_values());
}

TEST_F(StudyTest, RatesSpanningDecadesTakeALogarithmicAxis) {
    StudySetup s;
    s.from = "0,0005";
    s.to = "0,3";
    s.points = 4;
    s.log = true;
    s.codes = {"HammingBox"};
    s.min_distorted = "2000";
    s.max_symbols = "300000";
    run(s);
    auto* measure = find<QComboBox>("MeasureBox");
    measure->setCurrentIndex(2);  // the share of symbols received wrong
    EXPECT_TRUE(study_->chart()->logarithmic_values());
    // Both axes are logarithmic now, and every decade of each reads in one form.
    study_->chart()->resize(900, 600);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the axes replaced
    QStringList numbers;
    for (const QGraphicsItem* item : study_->chart()->scene()->items())
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item))
            if (QRegularExpression("^[-+0-9,.Ee]+$").match(text->toPlainText()).hasMatch())
                numbers << text->toPlainText();
    EXPECT_GE(numbers.size(), 5) << numbers.join(' ').toStdString();
    for (const QString& n : numbers)
        EXPECT_TRUE(QRegularExpression("^1E[-+]\\d\\d$").match(n).hasMatch()) << n.toStdString();
    measure->setCurrentIndex(0);  // the share of detected errors stays between 0,5 and 1
    EXPECT_FALSE(study_->chart()->logarithmic_values());
}

// ---------------------------------------------------------------------------------------------
// Stopping, closing, responsiveness

StudySetup long_setup() {
    StudySetup s;
    s.points = 100;
    s.from = "0,001";
    s.to = "0,3";
    return s;
}

// Cells that hold their workers until the test lets them go. A released cell ends complete;
// a held one ends incomplete as soon as the study is stopped, as run_cell does, after one step.
class CellGate {
  public:
    CellFunction cell() {
        return [this](const StudyPlan& plan, int point, std::size_t code,
                      const std::atomic<bool>& stop) {
            std::unique_lock lock(m_);
            ++held_;
            changed_.notify_all();
            // Woken by a release; the stop flag has no signal of its own, so it is looked at
            // every millisecond.
            while (released_ == 0 && !stop.load())
                changed_.wait_for(lock, std::chrono::milliseconds(1));
            --held_;
            StudyCell c;
            c.point = point;
            c.code = code;
            c.value = point_value(plan, point);
            c.ticks = c.symbols = c.distorted = c.detected = 1;
            c.detected_share = 1;
            c.detected_ci = Interval{0.5L, 1};  // a point on the detected share's curve
            c.complete = released_ > 0;
            if (c.complete) --released_;
            return c;
        };
    }
    // Lets `n` more cells end.
    void release(int n) {
        const std::lock_guard lock(m_);
        released_ += n;
        changed_.notify_all();
    }
    int held() {
        const std::lock_guard lock(m_);
        return held_;
    }

  private:
    std::mutex m_;
    std::condition_variable changed_;
    int released_ = 0, held_ = 0;
};

class StudyHeld : public StudyTest {
  protected:
    StudyHeld() { study_->set_cell_function(gate_.cell()); }
    ~StudyHeld() override { gate_.release(1 << 20); }  // nothing held past the test

    // Waits, as long as it takes, for the workers to hold a cell each.
    void wait_held() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return gate_.held() >= kWorkers; }, 300000));
    }

    const int kWorkers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    CellGate gate_;
};

TEST_F(StudyHeld, StopEndsTheCellsUnderWayAndKeepsTheFinishedOnes) {
    set(long_setup());
    start();
    gate_.release(5);
    // The curves grow while the study runs, redrawn on the window's own timer.
    auto drawn = [this] {
        int points = 0;
        for (std::size_t i = 0; i < curves(); ++i) points += study_->chart()->curve(i)->count();
        return points;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return drawn() == 5; }, 300000));
    wait_held();
    EXPECT_EQ(study_->cells().size(), 5u);
    EXPECT_TRUE(study_->running());
    EXPECT_TRUE(progress().startsWith("Вычисляется, ячеек: 5 из 400, осталось около "))
        << progress().toStdString();
    EXPECT_FALSE(find<QPushButton>("SaveButton")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("OpenButton")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>("FromEdit")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("StartButton")->isVisible());

    find<QPushButton>("StopButton")->click();
    ASSERT_TRUE(finish());
    const std::vector<StudyCell>& cells = study_->cells();
    // The five finished, and the one each worker held, ended early.
    EXPECT_EQ(cells.size(), 5u + static_cast<std::size_t>(kWorkers));
    EXPECT_EQ(
        std::count_if(cells.begin(), cells.end(), [](const StudyCell& c) { return c.complete; }),
        5);
    EXPECT_TRUE(
        std::is_sorted(cells.begin(), cells.end(), [](const StudyCell& a, const StudyCell& b) {
            return std::pair(a.point, a.code) < std::pair(b.point, b.code);
        }));
    EXPECT_EQ(rows(), static_cast<int>(cells.size()));
    EXPECT_TRUE(progress().startsWith("Остановлено, ячеек: ")) << progress().toStdString();
    EXPECT_TRUE(find<QPushButton>("StartButton")->isVisible());
    EXPECT_TRUE(find<QPushButton>("SaveButton")->isEnabled());
}

TEST_F(StudyHeld, ClosingTheWindowStopsTheStudy) {
    set(long_setup());
    start();
    wait_held();
    study_->close();
    EXPECT_TRUE(finish());
    EXPECT_FALSE(study_->isVisible());
    EXPECT_TRUE(std::none_of(study_->cells().begin(), study_->cells().end(),
                             [](const StudyCell& c) { return c.complete; }));
}

TEST_F(StudyHeld, ClosingTheProgramDuringAStudyEndsItCleanly) {
    set(long_setup());
    start();
    gate_.release(1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !study_->cells().empty(); }, 300000));
    w_.form2->close();
    EXPECT_FALSE(study_->isVisible());
    EXPECT_TRUE(finish());
    // The fixture then destroys both windows, the study window with them.
}

// While every worker is held the windows go on answering: the windows' thread never waits for
// a worker. Then a burst of every cell at once is collected whole.
TEST_F(StudyHeld, TheWindowsAnswerWhileEveryWorkerIsHeld) {
    StudySetup s = long_setup();
    s.points = 250;  // a thousand cells
    set(s);
    start();
    wait_held();
    bool answered = false;
    QTimer::singleShot(0, study_, [&answered] { answered = true; });
    ASSERT_TRUE(QTest::qWaitFor([&answered] { return answered; }, 300000));
    find<QComboBox>("MeasureBox")->setCurrentIndex(2);
    EXPECT_EQ(study_->chart()->chart()->title(), "Доля неверно принятых символов");
    EXPECT_TRUE(study_->running());
    EXPECT_TRUE(study_->cells().empty());

    gate_.release(1000);
    ASSERT_TRUE(finish());
    EXPECT_EQ(study_->cells().size(), 1000u);
    EXPECT_EQ(rows(), 1000);
    EXPECT_TRUE(progress().startsWith("Готово, ячеек: 1000 из 1000")) << progress().toStdString();
}

// ---------------------------------------------------------------------------------------------
// Refusals

struct RefusalCase {
    const char* name;
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
    std::function<void(Windows& main, StudySetup& s)> prepare;
    QString text, caption;
};

class StudyRefused : public StudyTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(StudyRefused, ShowsItsMessageAndStartsNothing) {
    const RefusalCase& c = GetParam();
    StudySetup s;
    c.prepare(w_, s);
    set(s);
    const QString symbols_shown = w_.text("Label10");
    start();
    EXPECT_FALSE(study_->running());
    EXPECT_TRUE(study_->cells().empty());
    ASSERT_EQ(w_.dialogs.messages.size(), 1u);
    EXPECT_EQ(w_.dialogs.messages[0].text, c.text);
    EXPECT_EQ(w_.dialogs.messages[0].caption, c.caption);
    EXPECT_EQ(w_.dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_EQ(w_.text("Label10"), symbols_shown);
    EXPECT_EQ(progress(), "Исследование не проводилось");
}

const QString kStudyCaption = "Ввод параметров исследования";
const QString kInputCaption = "Ввод начальных данных";

INSTANTIATE_TEST_SUITE_P(
    Inputs, StudyRefused,
    testing::Values(
        RefusalCase{"polynomial_not_recommended",
                    [](Windows&, StudySetup& s) { s.polynomial = "1111"; },
                    "Этот полином использовать не рекомендуется", "Проверка полинома"},
        RefusalCase{"polynomial_not_binary", [](Windows&, StudySetup& s) { s.polynomial = "12"; },
                    "Двоичное число не содержит знаков, либо содержит запрещенные знаки",
                    "Ошибка разбора числа"},
        RefusalCase{"frame_out_of_range", [](Windows&, StudySetup& s) { s.frame = "5"; },
                    "Введите размер кадра из диапазона 1..4", "Проверка параметров"},
        RefusalCase{"no_code", [](Windows&, StudySetup& s) { s.codes.clear(); },
                    "Выберите хотя бы один код", kStudyCaption},
        RefusalCase{"from_empty", [](Windows&, StudySetup& s) { s.from = ""; },
                    "Начало диапазона должно быть числом от 0 до 1", kStudyCaption},
        RefusalCase{"to_above_one", [](Windows&, StudySetup& s) { s.to = "1,5"; },
                    "Конец диапазона должен быть числом от 0 до 1", kStudyCaption},
        RefusalCase{"from_above_to",
                    [](Windows&, StudySetup& s) {
                        s.from = "0,3";
                        s.to = "0,2";
                    },
                    "Начало диапазона больше его конца", kStudyCaption},
        RefusalCase{"logarithmic_from_zero",
                    [](Windows&, StudySetup& s) {
                        s.from = "0";
                        s.log = true;
                    },
                    "Логарифмический шаг не может начинаться с 0", kStudyCaption},
        RefusalCase{"no_distorted_words", [](Windows&, StudySetup& s) { s.min_distorted = "0"; },
                    "Число искаженных слов и число символов должны быть целыми не меньше 1",
                    kStudyCaption},
        RefusalCase{"packet_size", [](Windows&, StudySetup& s) { s.size = "0"; },
                    "Размер пакета должен быть от 1 до 50000 символов", kInputCaption},
        // A study's cells are continuous runs: the continuous start's own text, as the
        // command gives it.
        RefusalCase{"alphabet_sum",
                    [](Windows& w, StudySetup&) { w.grid1()->setCell(2, 3, "0,1"); },
                    "Сумма вероятностей символов должна равнятсяся 1", kInputCaption},
        RefusalCase{"channel_cell_no_number",
                    [](Windows& w, StudySetup&) { w.grid2()->setCell(1, 2, "abc"); },
                    "'abc' is not a valid floating point value", "Tavolin"},
        RefusalCase{"channel_row_above_one",
                    [](Windows& w, StudySetup& s) {
                        w.find<RadioGroup>("RadioGroup1")->setItemIndex(1);
                        w.grid2()->setCell(2, 1, "0,95");
                        s.varied = Varied::p0;
                        s.to = "0,1";
                    },
                    "При значении 0,1 сумма вероятностей инверсии и стирания больше 1",
                    kStudyCaption}),
    [](const testing::TestParamInfo<RefusalCase>& i) { return std::string(i.param.name); });

// The same bad inputs given to the window and to the command meet the same check: the window
// shows its message, the command names the option.
struct BothCase {
    const char* name;
    friend void PrintTo(const BothCase& c, std::ostream* os) { *os << c.name; }
    std::function<void(Windows& main, StudySetup& s)> prepare;
    std::vector<std::string> command_base;  // the main window's changes, as options
    QString text;
    const char* option;
};

class BothFrontEnds : public StudyTest, public testing::WithParamInterface<BothCase> {};

TEST_P(BothFrontEnds, RefuseTheSameInputs) {
    const BothCase& c = GetParam();
    StudySetup s;
    c.prepare(w_, s);
    set(s);
    start();
    EXPECT_FALSE(study_->running());
    ASSERT_EQ(w_.dialogs.messages.size(), 1u);
    EXPECT_EQ(w_.dialogs.messages[0].text, c.text);

    std::vector<std::string> args = s.command();
    args.insert(args.end(), c.command_base.begin(), c.command_base.end());
    std::ostringstream out, err;
    EXPECT_EQ(sim::run_sim(args, out, err, [] { return 1; }), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str().rfind(c.option, 0), 0u) << err.str();
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BothFrontEnds,
    testing::Values(BothCase{"from_above_to",
                             [](Windows&, StudySetup& s) {
                                 s.from = "0,3";
                                 s.to = "0,2";
                             },
                             {},
                             "Начало диапазона больше его конца",
                             "--from: 0.3 is above --to 0.2"},
                    BothCase{"to_above_one",
                             [](Windows&, StudySetup& s) { s.to = "1,5"; },
                             {},
                             "Конец диапазона должен быть числом от 0 до 1",
                             "--to: 1.5"},
                    BothCase{"logarithmic_from_zero",
                             [](Windows&, StudySetup& s) {
                                 s.from = "0";
                                 s.log = true;
                             },
                             {},
                             "Логарифмический шаг не может начинаться с 0",
                             "--from: a logarithmic spacing"},
                    BothCase{"frame_out_of_range",
                             [](Windows&, StudySetup& s) { s.frame = "5"; },
                             {},
                             "Введите размер кадра из диапазона 1..4",
                             "--codes: continuous:5"},
                    BothCase{"alphabet_too_short",
                             [](Windows& w, StudySetup&) {
                                 for (int row = 10; row <= 16; ++row)
                                     w.grid1()->setCell(2, row, "");
                                 for (int row = 1; row <= 9; ++row)
                                     w.grid1()->setCell(2, row, "0,1");
                                 w.grid1()->setCell(2, 1, "0,2");
                                 w.grid1()->setCell(2, 9, "");
                             },
                             {"--probs", "0.2,0.1,0.1,0.1,0.1,0.1,0.1,0.1"},
                             "В алфивите должно быть не менее 9 символов",
                             "--probs: В алфивите"},
                    BothCase{"channel_row_above_one",
                             [](Windows& w, StudySetup& s) {
                                 w.find<RadioGroup>("RadioGroup1")->setItemIndex(1);
                                 w.grid2()->setCell(2, 1, "0,95");
                                 s.varied = Varied::p0;
                                 s.codes = {"HammingBox"};
                             },
                             {"--noise", "erasure", "--p0", "0", "--e0", "0.95", "--p1", "0",
                              "--e1", "0"},
                             "При значении 0,1 сумма вероятностей инверсии и стирания больше 1",
                             "--vary p0: at 0.1"}),
    [](const testing::TestParamInfo<BothCase>& i) { return std::string(i.param.name); });

// ---------------------------------------------------------------------------------------------
// Files

struct SavedCase {
    const char* name;
    friend void PrintTo(const SavedCase& c, std::ostream* os) { *os << c.name; }
    const char* file;    // as chosen in the dialog
    const char* filter;  // the filter chosen, or none
    const char* saved;   // the file written
    bool erasure;
    bool exact = true;
};

class StudySaved : public StudyTest, public testing::WithParamInterface<SavedCase> {};

// A study of the main window's own inputs, changed from the start-up ones, so that the base is
// seen to come from there.
TEST_P(StudySaved, EqualsTheCommandsOutputForTheSameSeeds) {
    const SavedCase& c = GetParam();
    StudySetup s;
    std::vector<std::string> base;
    w_.grid1()->setCell(2, 1, "0,5");
    for (int row = 2; row <= 9; ++row) w_.grid1()->setCell(2, row, "0,0625");
    for (int row = 10; row <= 16; ++row) w_.grid1()->setCell(2, row, "");
    base = {"--probs", "0.5,0.0625,0.0625,0.0625,0.0625,0.0625,0.0625,0.0625,0.0625"};
    if (c.erasure) {
        w_.find<RadioGroup>("RadioGroup1")->setItemIndex(1);
        w_.grid2()->setCell(2, 2, "0,05");
        s = erasure_setup();
        s.varied = Varied::e0;
        s.points = 3;
        base.insert(base.end(), {"--noise", "erasure", "--e1", "0.05"});
    } else {
        w_.grid2()->setCell(1, 2, "0,15");
        w_.find<QLineEdit>("Edit1")->setText("0,001");
        s.polynomial = "1011";
        s.frame = "2";
        base.insert(base.end(), {"--p1", "0.15", "--bit-time", "0.001"});
    }
    s.exact = c.exact;
    run(s);
    const QString path = dir_.filePath(c.file);
    save("SaveButton", path, c.filter);
    EXPECT_TRUE(w_.dialogs.messages.empty());
    ASSERT_EQ(w_.dialogs.file_requests.size(), 1u);
    EXPECT_EQ(w_.dialogs.file_requests[0].caption, "Сохранить исследование");
    EXPECT_EQ(w_.dialogs.file_requests[0].filters,
              "Таблица CSV (*.csv);;Исследование JSON (*.json)");

    std::vector<std::string> args = s.command();
    args.insert(args.end(), base.begin(), base.end());
    const QString saved = dir_.filePath(c.saved);
    const QString by_command = dir_.filePath("command." + QFileInfo(saved).suffix().toLower());
    const QByteArray expected = command_output(args, study_->plan(), by_command);
    EXPECT_FALSE(expected.isEmpty());
    EXPECT_EQ(file_bytes(saved), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, StudySaved,
    testing::Values(
        SavedCase{"csv", "study.csv", nullptr, "study.csv", false},
        SavedCase{"json", "study.json", nullptr, "study.json", false},
        SavedCase{"json_erasure", "study.JSON", nullptr, "study.JSON", true},
        SavedCase{"json_by_filter", "study", "Исследование JSON (*.json)", "study.json", false},
        SavedCase{"json_without_exact", "study.json", nullptr, "study.json", false, false},
        SavedCase{"csv_erasure_without_exact", "study.csv", nullptr, "study.csv", true, false}),
    [](const testing::TestParamInfo<SavedCase>& i) { return std::string(i.param.name); });

TEST_F(StudyTest, WithoutTheExactBoxNoExactLineAndNoExactColumn) {
    StudySetup s;
    s.exact = false;
    run(s);
    ASSERT_EQ(study_->cells().size(), 12u);
    EXPECT_FALSE(study_->plan().exact);
    auto* measure = find<QComboBox>("MeasureBox");
    for (int m = 0; m < measure->count(); ++m) {
        measure->setCurrentIndex(m);
        for (std::size_t i = 0; i < curves(); ++i) {
            EXPECT_EQ(study_->chart()->exact_curve(i)->count(), 0) << m << " " << i;
            EXPECT_FALSE(study_->chart()->exact_curve(i)->isVisible()) << m << " " << i;
        }
    }
    for (int row = 0; row < rows(); ++row)
        for (int column : kExactColumns) EXPECT_EQ(cell_text(row, column), "—") << row;
    EXPECT_NE(cell_text(0, kUsefulColumn), "—");
}

// The exact values alone, for a range no simulation would reach: every point of every code,
// the measured curves and columns empty, and the file the command writes for the same.
TEST_F(StudyTest, ExactOnlyDrawsEveryPointWithoutMeasuring) {
    StudySetup s;
    s.from = "1e-12";
    s.to = "0,1";
    s.points = 12;
    s.log = true;
    s.exact_only = true;
    s.exact = false;  // the exact values alone need no box
    run(s);
    ASSERT_EQ(study_->cells().size(), 48u);
    EXPECT_TRUE(study_->plan().exact_only);
    EXPECT_EQ(progress(), "Готово, ячеек: 48 из 48");
    auto* measure = find<QComboBox>("MeasureBox");
    for (int m : {3, 2}) {  // the useful information and the wrong symbols: every code has them
        measure->setCurrentIndex(m);
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(study_->chart()->curve(i)->count(), 0) << m << " " << i;
            EXPECT_EQ(study_->chart()->exact_curve(i)->count(), 12) << m << " " << i;
        }
    }
    EXPECT_TRUE(study_->chart()->logarithmic_values());  // the wrong symbols, over 20 decades
    for (int row = 0; row < rows(); ++row) {
        EXPECT_EQ(cell_text(row, 3), "—") << row;
        EXPECT_EQ(cell_text(row, kUsefulColumn), "—") << row;
        EXPECT_NE(cell_text(row, kWrongExactColumn), "—") << row;
    }

    // Saved as the command writes it, and opened again with its exact lines.
    s.exact = true;
    for (const char* name : {"exact.json", "exact.csv"}) {
        save("SaveButton", dir_.filePath(name));
        const QString by_command = dir_.filePath(QString("command_") + name);
        EXPECT_EQ(file_bytes(dir_.filePath(name)),
                  command_output(s.command(), study_->plan(), by_command))
            << name;
    }
    run(StudySetup{});
    w_.dialogs.file_answers.push_back({dir_.filePath("exact.json"), {}});
    find<QPushButton>("OpenButton")->click();
    EXPECT_TRUE(w_.dialogs.messages.empty());
    EXPECT_TRUE(study_->plan().exact_only);
    measure->setCurrentIndex(2);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(study_->chart()->curve(i)->count(), 0) << i;
        EXPECT_EQ(study_->chart()->exact_curve(i)->count(), 12) << i;
    }
    save("SaveButton", dir_.filePath("again.json"));
    EXPECT_EQ(file_bytes(dir_.filePath("again.json")), file_bytes(dir_.filePath("exact.json")));
}

// Why a measured curve of useful information can lie above its exact line, where the user
// looks at the curves.
TEST_F(StudyTest, TheMeasureAndTheChartSayWhyMeasuredUsefulInformationIsHigher) {
    for (QWidget* w : {static_cast<QWidget*>(find<QComboBox>("MeasureBox")),
                       static_cast<QWidget*>(study_->chart())})
        EXPECT_TRUE(w->toolTip().contains("при малом числе символов завышена"))
            << w->toolTip().toStdString();
}

TEST_F(StudyTest, PicturesAreWrittenAsPngAndSvgAtReportSize) {
    run(StudySetup{});
    save("SaveChartButton", dir_.filePath("chart.png"));
    save("SaveChartButton", dir_.filePath("chart"), "Изображение SVG (*.svg)");
    EXPECT_TRUE(w_.dialogs.messages.empty());
    ASSERT_EQ(w_.dialogs.file_requests.size(), 2u);
    EXPECT_EQ(w_.dialogs.file_requests[0].filters,
              "Изображение PNG (*.png);;Изображение SVG (*.svg)");

    const QSize on_screen = study_->chart()->chart()->size().toSize();
    const QImage png(dir_.filePath("chart.png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), on_screen * 3);
    EXPECT_NEAR(png.dotsPerMeterX(), 11811, 1);
    // The first curve's blue is in the picture.
    bool blue = false;
    for (int y = 0; y < png.height() && !blue; ++y)
        for (int x = 0; x < png.width() && !blue; ++x)
            blue = png.pixelColor(x, y) == QColor(0, 0, 255);
    EXPECT_TRUE(blue);

    QSvgRenderer svg(dir_.filePath("chart.svg"));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox().size(), on_screen);
    EXPECT_TRUE(file_bytes(dir_.filePath("chart.svg")).contains("Доля обнаруженных ошибок"));
}

TEST_F(StudyTest, AFileThatCannotBeWrittenIsReported) {
    run(StudySetup{});
    const QString path = dir_.filePath("missing/study.csv");
    save("SaveButton", path);
    ASSERT_EQ(w_.dialogs.messages.size(), 1u);
    EXPECT_TRUE(w_.dialogs.messages[0].text.startsWith("Не удалось записать файл " + path));
    EXPECT_EQ(w_.dialogs.messages[0].caption, "Сохранение исследования");
}

TEST_F(StudyTest, OpensACommandsStudyAndSavesItAgainUnchanged) {
    StudySetup s;
    s.points = 4;
    s.log = true;
    const QString made = dir_.filePath("made.json");
    StudyPlan seeds;
    seeds.seed1 = 17;
    seeds.seed2 = -5;
    const QByteArray original = command_output(s.command(), seeds, made);

    w_.dialogs.file_answers.push_back({made, {}});
    find<QPushButton>("OpenButton")->click();
    EXPECT_TRUE(w_.dialogs.messages.empty());
    EXPECT_EQ(w_.dialogs.file_requests.at(0).mode, Dialogs::FileMode::Open);
    EXPECT_EQ(study_->cells().size(), 16u);
    EXPECT_EQ(curves(), 4u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(study_->chart()->curve(i)->count(), 4);
    EXPECT_EQ(rows(), 16);
    EXPECT_EQ(cell_text(0, 1), "Циклический код (1101)");
    EXPECT_EQ(progress(), "Открыт файл made.json, ячеек: 16");

    save("SaveButton", dir_.filePath("again.json"));
    EXPECT_EQ(file_bytes(dir_.filePath("again.json")), original);
    save("SaveButton", dir_.filePath("again.csv"));
    EXPECT_EQ(file_bytes(dir_.filePath("again.csv")),
              command_output(s.command(), seeds, dir_.filePath("made.csv")));
}

// Studies the command writes at the edges of the numbers: each opens, every measure is drawn
// without a crash (values the axes cannot hold left out, with a note), and saving it again
// gives the command's own bytes.
struct EdgeCase {
    const char* name;
    std::vector<std::string> args;
    std::size_t cells;
};

class EdgeStudy : public StudyTest, public testing::WithParamInterface<EdgeCase> {};

TEST_P(EdgeStudy, OpensDrawsEveryMeasureAndSavesUnchanged) {
    const QString made = dir_.filePath("edge.json");
    std::vector<std::string> args = {"sweep"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    StudyPlan seeds;
    seeds.seed1 = 1;
    seeds.seed2 = 2;
    const QByteArray original = command_output(args, seeds, made);
    ASSERT_FALSE(original.isEmpty());

    w_.dialogs.file_answers.push_back({made, {}});
    find<QPushButton>("OpenButton")->click();
    ASSERT_TRUE(w_.dialogs.messages.empty()) << w_.dialogs.messages[0].text.toStdString();
    EXPECT_EQ(study_->cells().size(), GetParam().cells);
    auto* measure = find<QComboBox>("MeasureBox");
    for (int m = 0; m < measure->count(); ++m) {
        measure->setCurrentIndex(m);
        study_->chart()->resize(800, 500);
        QApplication::processEvents();
        EXPECT_FALSE(study_->chart()->grab().isNull());
    }
    save("SaveButton", dir_.filePath("again.json"));
    EXPECT_EQ(file_bytes(dir_.filePath("again.json")), original);
}

INSTANTIATE_TEST_SUITE_P(
    Files, EdgeStudy,
    testing::Values(
        // Rates near the largest double: the decade above them is infinite.
        EdgeCase{"rates_near_the_largest_double",
                 {"--vary", "p", "--from", "0.001", "--to", "0.5", "--points", "2", "--codes",
                  "none", "--bit-time", "7e-309", "--max-symbols", "50000", "--size", "50000"},
                 2},
        // One point below the normal doubles: an axis of no width.
        EdgeCase{"zero_width_axis",
                 {"--vary", "p", "--from", "1e-323", "--to", "1e-323", "--points", "1", "--codes",
                  "none", "--max-symbols", "1000"},
                 1},
        // Inputs beyond a double, in the file as written.
        EdgeCase{"bit_time_beyond_a_double",
                 {"--vary", "p", "--from", "0.01", "--to", "0.02", "--points", "2", "--codes",
                  "hamming", "--bit-time", "1e4000", "--max-symbols", "2000"},
                 2},
        EdgeCase{"negative_zero",
                 {"--vary", "p", "--from", "-0", "--to", "0.1", "--points", "2", "--codes", "none",
                  "--max-symbols", "2000"},
                 2}),
    [](const testing::TestParamInfo<EdgeCase>& i) { return std::string(i.param.name); });

struct BrokenCase {
    const char* name;
    friend void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }
    std::function<QByteArray(QByteArray)> spoil;  // from a good study
    QString reason;                               // how the message's reason begins
};

class BrokenStudy : public StudyTest, public testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenStudy, IsRefusedAndNothingChanges) {
    StudySetup s;
    s.points = 2;
    const QString good = dir_.filePath("good.json");
    StudyPlan seeds;
    const QByteArray original = command_output(s.command(), seeds, good);
    run(StudySetup{});
    const std::vector<StudyCell> cells = study_->cells();
    const QString shown = progress();
    const int points = study_->chart()->curve(0)->count();

    const QString broken = dir_.filePath("broken.json");
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(GetParam().spoil(original));
    }
    w_.dialogs.file_answers.push_back({broken, {}});
    find<QPushButton>("OpenButton")->click();
    ASSERT_EQ(w_.dialogs.messages.size(), 1u);
    EXPECT_TRUE(w_.dialogs.messages[0].text.startsWith(
        "Файл broken.json не является исследованием: " + GetParam().reason))
        << w_.dialogs.messages[0].text.toStdString();
    EXPECT_EQ(w_.dialogs.messages[0].caption, "Открытие исследования");
    ASSERT_EQ(study_->cells().size(), cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(study_->cells()[i].seed1, cells[i].seed1);
    EXPECT_EQ(progress(), shown);
    EXPECT_EQ(study_->chart()->curve(0)->count(), points);
    EXPECT_EQ(rows(), static_cast<int>(cells.size()));
}

QByteArray replaced(QByteArray text, const char* from, const char* to) {
    EXPECT_TRUE(text.contains(from)) << from;
    return text.replace(from, to);
}

// Every field `name` of the JSON text given the value `value`.
QByteArray with_field(const QByteArray& text, const QString& name, const QString& value) {
    QString s = QString::fromUtf8(text);
    s.replace(QRegularExpression('"' + name + "\":[^,]*"), '"' + name + "\":" + value);
    return s.toUtf8();
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenStudy,
    testing::Values(
        BrokenCase{"cut_short", [](QByteArray text) { return text.left(text.size() / 2); },
                   "это не JSON (ошибка в позиции "},
        BrokenCase{"not_an_object", [](QByteArray) { return QByteArray("[1, 2, 3]"); },
                   "это не объект JSON"},
        BrokenCase{"no_cells",
                   [](QByteArray text) { return replaced(text, "\"cells\":", "\"cels\":"); },
                   "неверное или отсутствующее поле «cells»"},
        BrokenCase{"unknown_code",
                   [](QByteArray text) {
                       return replaced(text, "\"code\":\"hamming\"", "\"code\":\"golay\"");
                   },
                   "неверное или отсутствующее поле «code»"},
        BrokenCase{"point_outside",
                   [](QByteArray text) { return replaced(text, "{\"point\":1,", "{\"point\":7,"); },
                   "неверное или отсутствующее поле «point»"},
        BrokenCase{"from_above_to", [](QByteArray text) { return with_field(text, "from", "0.5"); },
                   "неверное или отсутствующее поле «to»"},
        BrokenCase{"log_from_zero",
                   [](QByteArray text) {
                       return replaced(with_field(text, "from", "0"), "\"log\":false",
                                       "\"log\":true");
                   },
                   "неверное или отсутствующее поле «from»"},
        BrokenCase{"value_beyond_a_double",
                   [](QByteArray text) { return with_field(text, "value", "1e4000"); },
                   "неверное или отсутствующее поле «value»"},
        BrokenCase{"count_as_text",
                   [](QByteArray text) {
                       return replaced(text, "\"symbols\":", "\"symbols\":\"1\",\"x\":");
                   },
                   "неверное или отсутствующее поле «symbols»"}),
    [](const testing::TestParamInfo<BrokenCase>& i) { return std::string(i.param.name); });

// ---------------------------------------------------------------------------------------------
// Regional numbers

class StudySeparator : public StudyTest, public testing::WithParamInterface<char> {
  protected:
    StudySeparator() : StudyTest(GetParam()) {}
};

TEST_P(StudySeparator, NumbersUseTheRegionalSeparator) {
    EXPECT_EQ(find<QLineEdit>("FromEdit")->text(), sep_text("0,001"));
    StudySetup s;
    s.codes = {"NoneBox"};
    s.from = "0,025";
    s.to = "0,075";
    s.points = 2;
    run(s);
    EXPECT_TRUE(w_.dialogs.messages.empty());
    EXPECT_EQ(cell_text(0, 0), sep_text("0,025"));
    EXPECT_EQ(cell_text(1, 0), sep_text("0,075"));
    EXPECT_EQ(cell_text(0, 1), "Без кодирования");
    EXPECT_TRUE(cell_text(0, 4).startsWith("[")) << cell_text(0, 4).toStdString();
    EXPECT_TRUE(cell_text(0, 4).contains("; "));
}

INSTANTIATE_TEST_SUITE_P(Separators, StudySeparator, testing::Values(',', '.'),
                         [](const testing::TestParamInfo<char>& i) {
                             return std::string(i.param == ',' ? "comma" : "point");
                         });

}  // namespace
}  // namespace tavolin::ui
