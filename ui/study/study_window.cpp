// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study/study_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <charconv>
#include <cmath>
#include <sstream>
#include <thread>

#include "codes/bitstring.h"
#include "codes/cyclic.h"
#include "core/defaults.h"
#include "core/number_text.h"
#include "engine/code_settings.h"
#include "engine/run_inputs.h"
#include "engine/study_check.h"
#include "engine/study_codes.h"
#include "engine/study_file.h"
#include "ui/export/chart_export.h"
#include "ui/export/save_file.h"
#include "ui/regional.h"
#include "ui/study/study_chart.h"
#include "ui/study/study_names.h"
#include "ui/study/study_runner.h"
#include "ui/study/study_table.h"
#include "ui/widgets/input_filters.h"

namespace tavolin::ui {

namespace {

constexpr int kInputsWidth = 300;
constexpr int kMostPoints = 1000;
constexpr int kProgressTickMs = 1000;
constexpr int kRedrawMs = 100;
constexpr int kCountDigits = 18;  // the stop rule's counts stay far below 2^64

const QString kInputCaption = "Ввод параметров исследования";
const QString kSaveCaption = "Сохранение исследования";
const QString kPictureCaption = "Сохранение рисунка";
const QString kOpenCaption = "Открытие исследования";
const QString kStudyFilters = kCsvFilter + ";;" + kStudyFilter;
const QString kPictureFilters = kPngFilter + ";;" + kSvgFilter;
const QString kOpenFilters = kStudyFilter + ";;Все файлы (*)";

// Reading the main window's inputs for a study writes only its refusals, to the main window's
// message display; the packet size a packet run would show there is not shown.
class RefusalsOnly final : public RunOutputs {
  public:
    explicit RefusalsOnly(RunOutputs& main) : main_(main) {}
    void show_symbols_sent(std::int64_t) override {}
    void show_value(ValueLabel, Extended) override {}
    void show_bars(Chart, std::optional<double>, std::optional<double>) override {}
    bool wants_matrices() const override { return false; }
    void set_mat1(const matr&) override {}
    void set_mat2(const matr&) override {}
    void show_matrix() override {}
    void refuse(Refusal why) override { main_.refuse(why); }
    void report_error(const std::string& description) override { main_.report_error(description); }

  private:
    RunOutputs& main_;
};

// The main window's inputs with the study's own packet size.
class StudyInputs final : public RunInputs {
  public:
    StudyInputs(const RunInputs& main, std::string size) : main_(main), size_(std::move(size)) {}
    std::string packet_size_text() const override { return size_; }
    std::string probability_text(int row) const override { return main_.probability_text(row); }
    int noise_type() const override { return main_.noise_type(); }
    std::string channel_text(int col, int row) const override {
        return main_.channel_text(col, row);
    }
    bool model_switch() const override { return main_.model_switch(); }
    bool counting_switch() const override { return main_.counting_switch(); }
    std::string bit_time_text() const override { return main_.bit_time_text(); }
    char decimal_separator() const override { return main_.decimal_separator(); }

  private:
    const RunInputs& main_;
    std::string size_;
};

QString time_text(double seconds) {
    const auto s = static_cast<long long>(std::llround(seconds));
    if (s < 60) return QString("%1 с").arg(s);
    if (s < 3600) return QString("%1 мин %2 с").arg(s / 60).arg(s % 60);
    return QString("%1 ч %2 мин").arg(s / 3600).arg(s % 3600 / 60);
}

std::optional<Count> count_text(const QString& text) {
    const std::string s = text.toStdString();
    Count v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || res.ec != std::errc() || res.ptr != s.data() + s.size() || v < 1)
        return std::nullopt;
    return v;
}

QLabel* label(const QString& text) {
    return new QLabel(text);
}

QLineEdit* line_edit(const char* name, const QString& text) {
    auto* e = new QLineEdit(text);
    e->setObjectName(name);
    return e;
}

QCheckBox* check_box(const char* name, const QString& text, bool checked) {
    auto* b = new QCheckBox(text);
    b->setObjectName(name);
    b->setChecked(checked);
    return b;
}

QPushButton* button(const char* name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    return b;
}

bool count_key(const QString& text, QChar typed) {
    return typed == kBackspace || (typed >= '0' && typed <= '9' && text.size() < kCountDigits);
}

}  // namespace

StudyWindow::StudyWindow(const RunInputs& inputs, RunOutputs& messages, const SimState& st,
                         Dialogs& dialogs, std::function<Integer()> clock, QWidget* parent)
    : QWidget(parent, Qt::Window),
      inputs_(inputs),
      messages_(messages),
      st_(st),
      dialogs_(dialogs),
      clock_(std::move(clock)),
      sep_(regional_separator()),
      runner_(std::make_unique<StudyRunner>([this](std::vector<StudyCell> c) { cells_done(c); },
                                            [this](bool stopped) { finished(stopped); })) {
    build();
    take_main_settings();
    follow_channel();
    show_study(StudyPlan{}, {});
    lock(false);
    show_progress();
}

StudyWindow::~StudyWindow() {
    runner_.reset();  // its workers end before the widgets they report to
}

void StudyWindow::build() {
    setObjectName("StudyWindow");
    setWindowTitle("Зависимость от вероятности помех");

    range_box_ = new QGroupBox("Изменяемая величина");
    auto* range = new QGridLayout(range_box_);
    varied_ = new QComboBox;
    varied_->setObjectName("VariedBox");
    from_ = line_edit("FromEdit", QString::fromStdString(format_general(0.001L, sep_)));
    to_ = line_edit("ToEdit", QString::fromStdString(format_general(0.1L, sep_)));
    points_ = new QSpinBox;
    points_->setObjectName("PointsBox");
    points_->setRange(1, kMostPoints);
    points_->setValue(7);
    log_ = check_box("LogBox", "Логарифмический шаг", true);
    range->addWidget(varied_, 0, 0, 1, 2);
    range->addWidget(label("От:"), 1, 0);
    range->addWidget(from_, 1, 1);
    range->addWidget(label("До:"), 2, 0);
    range->addWidget(to_, 2, 1);
    range->addWidget(label("Точек:"), 3, 0);
    range->addWidget(points_, 3, 1);
    range->addWidget(log_, 4, 0, 1, 2);

    codes_box_ = new QGroupBox("Сравниваемые коды");
    auto* codes = new QGridLayout(codes_box_);
    cyclic_ = check_box("CyclicBox", "Циклический, полином:", true);
    polynomial_ = line_edit("PolynomialEdit", "");
    hamming_ = check_box("HammingBox", "Хемминга", true);
    continuous_ = check_box("ContinuousBox", "Непрерывный, кадр:", true);
    frame_ = line_edit("FrameEdit", "");
    none_ = check_box("NoneBox", "Без кодирования", true);
    codes->addWidget(cyclic_, 0, 0);
    codes->addWidget(polynomial_, 0, 1);
    codes->addWidget(hamming_, 1, 0, 1, 2);
    codes->addWidget(continuous_, 2, 0);
    codes->addWidget(frame_, 2, 1);
    codes->addWidget(none_, 3, 0, 1, 2);

    stop_box_ = new QGroupBox("Ячейка исследования");
    auto* stop = new QGridLayout(stop_box_);
    size_ = line_edit("SizeEdit", "");
    min_distorted_ = line_edit("MinDistortedEdit", "1000");
    max_symbols_ = line_edit("MaxSymbolsEdit", "10000000");
    stop->addWidget(label("Размер пакета, симв.:"), 0, 0);
    stop->addWidget(size_, 0, 1);
    stop->addWidget(label("До искаженных слов:"), 1, 0);
    stop->addWidget(min_distorted_, 1, 1);
    stop->addWidget(label("или до символов:"), 2, 0);
    stop->addWidget(max_symbols_, 2, 1);
    exact_ = check_box("ExactBox", "Точный расчёт", true);
    exact_->setToolTip(
        "Рядом с каждым измеренным значением — его точное значение, вычисленное "
        "по всем исходам слова кода");
    stop->addWidget(exact_, 3, 0, 1, 2);

    start_ = button("StartButton", "Начать");
    stop_ = button("StopButton", "Остановить");
    exact_only_ = button("ExactOnlyButton", "Только точные значения");
    exact_only_->setToolTip(
        "Точные значения во всех точках сразу, без моделирования: для любого "
        "диапазона, хоть до 10⁻¹²");
    progress_ = new QProgressBar;
    progress_->setObjectName("StudyProgress");
    progress_->setTextVisible(true);
    progress_->setAlignment(Qt::AlignCenter);
    progress_timer_ = new QTimer(this);
    progress_timer_->setInterval(kProgressTickMs);
    redraw_timer_ = new QTimer(this);
    redraw_timer_->setSingleShot(true);
    redraw_timer_->setInterval(kRedrawMs);
    open_ = button("OpenButton", "Открыть…");
    save_ = button("SaveButton", "Сохранить…");
    save_chart_ = button("SaveChartButton", "Сохранить рисунок…");

    auto* inputs = new QWidget;
    inputs->setFixedWidth(kInputsWidth);
    auto* left = new QVBoxLayout(inputs);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(range_box_);
    left->addWidget(codes_box_);
    left->addWidget(stop_box_);
    auto* run_buttons = new QHBoxLayout;
    run_buttons->addWidget(start_);
    run_buttons->addWidget(stop_);
    left->addLayout(run_buttons);
    left->addWidget(exact_only_);
    left->addWidget(progress_);
    left->addSpacing(12);
    for (QPushButton* b : {open_, save_, save_chart_}) left->addWidget(b);
    left->addStretch(1);

    measure_ = new QComboBox;
    measure_->setObjectName("MeasureBox");
    for (StudyMeasure m : kStudyMeasures) measure_->addItem(measure_title(m));
    chart_ = new StudyChart(sep_, nullptr);
    chart_->setObjectName("StudyChart");
    chart_->setMinimumSize(420, 280);
    chart_->setToolTip(kMeasuredUsefulNote);
    measure_->setToolTip(kMeasuredUsefulNote);
    table_model_ = new StudyTable(sep_, this);
    table_ = new QTableView;
    table_->setObjectName("StudyTable");
    table_->setModel(table_model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Columns fit the rows in view, not every row of a study of thousands.
    table_->horizontalHeader()->setResizeContentsPrecision(0);

    auto* measure_row = new QHBoxLayout;
    measure_row->addWidget(label("Показатель:"));
    measure_row->addWidget(measure_);
    measure_row->addStretch(1);
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(chart_);
    splitter->addWidget(table_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({430, 270});
    splitter->setChildrenCollapsible(false);
    auto* right = new QVBoxLayout;
    right->addLayout(measure_row);
    right->addWidget(splitter, 1);

    auto* all = new QHBoxLayout(this);
    all->addWidget(inputs);
    all->addLayout(right, 1);
    resize(1120, 740);

    install_key_filter(
        from_, [this](const QString& t, QChar c) { return probability_cell_accepts(t, c, sep_); });
    install_key_filter(
        to_, [this](const QString& t, QChar c) { return probability_cell_accepts(t, c, sep_); });
    install_key_filter(size_, packet_size_accepts);
    install_key_filter(min_distorted_, count_key);
    install_key_filter(max_symbols_, count_key);

    connect(start_, &QPushButton::clicked, this, [this] { start_study(false); });
    connect(exact_only_, &QPushButton::clicked, this, [this] { start_study(true); });
    connect(stop_, &QPushButton::clicked, this, &StudyWindow::stop_study);
    connect(open_, &QPushButton::clicked, this, &StudyWindow::open_study);
    connect(save_, &QPushButton::clicked, this, &StudyWindow::save_study);
    connect(save_chart_, &QPushButton::clicked, this, &StudyWindow::save_chart);
    connect(progress_timer_, &QTimer::timeout, this, &StudyWindow::show_progress);
    connect(redraw_timer_, &QTimer::timeout, this, &StudyWindow::redraw);
    connect(measure_, &QComboBox::currentIndexChanged, this,
            [this](int i) { chart_->set_measure(kStudyMeasures[i]); });
}

void StudyWindow::take_main_settings() {
    const auto digits = static_cast<Byte>(degree(st_.Polinom_default) + 1);
    polynomial_->setText(QString::fromStdString(IntToBin(st_.Polinom_default, digits)));
    frame_->setText(QString::number(st_.L_default));
    size_->setText(QString::fromStdString(inputs_.packet_size_text()));
}

// The quantities a study can vary are those of the main window's channel type; the continuous
// code, which the coding menu offers only without erasures, likewise.
void StudyWindow::follow_channel() {
    if (running()) return;
    const bool erasure = inputs_.noise_type() == 1;
    const QVariant current = varied_->currentData();
    varied_->clear();
    for (Varied v : {Varied::p0, Varied::p1, Varied::p, Varied::e0, Varied::e1, Varied::e})
        if (erasure || !varies_erasure(v)) varied_->addItem(varied_title(v), static_cast<int>(v));
    const int at = varied_->findData(current.isValid() ? current : static_cast<int>(Varied::p));
    varied_->setCurrentIndex(at >= 0 ? at : varied_->findData(static_cast<int>(Varied::p)));
    const bool continuous = !erasure || code_kind(kContinuous).on_erasure;
    continuous_->setEnabled(continuous);
    frame_->setEnabled(continuous);
}

void StudyWindow::open() {
    if (!isVisible() && !running()) take_main_settings();
    follow_channel();
    show();
    raise();
    activateWindow();
}

void StudyWindow::set_cell_function(CellFunction cell) {
    runner_->set_cell_function(std::move(cell));
}

bool StudyWindow::running() const {
    return runner_->running();
}

bool StudyWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) follow_channel();
    return QWidget::event(e);
}

void StudyWindow::closeEvent(QCloseEvent* e) {
    runner_->stop();
    e->accept();
}

void StudyWindow::refuse(const QString& text) {
    dialogs_.message(this, text, kInputCaption, Dialogs::Icon::Error);
}

std::optional<std::vector<StudyCode>> StudyWindow::read_codes() {
    struct Choice {
        QCheckBox* box;
        QLineEdit* parameter;
        Byte type;
    };
    const Choice choices[] = {{cyclic_, polynomial_, kCyclic},
                              {hamming_, nullptr, kHamming},
                              {continuous_, frame_, kContinuous},
                              {none_, nullptr, kNoCoding}};
    std::vector<StudyCode> codes;
    for (const Choice& c : choices) {
        if (!c.box->isChecked() || !c.box->isEnabled()) continue;
        std::string name = code_kind(c.type).name;
        if (c.parameter) name += ":" + c.parameter->text().toStdString();
        // The same checks and messages as the coding menu's prompts.
        const StudyCodeRead read = read_study_code(name);
        if (read.refusal) {
            const SettingMessage m = setting_message(*read.refusal);
            dialogs_.message(this, QString::fromUtf8(m.text), QString::fromUtf8(m.caption),
                             Dialogs::Icon::Error);
            return std::nullopt;
        }
        codes.push_back(*read.code);
    }
    return codes;
}

QString StudyWindow::refusal_text(const StudyRefusal& r) const {
    switch (r.fault) {
        case StudyFault::NoCodes:
            return "Выберите хотя бы один код";
        case StudyFault::CodeOnErasure:
            return QString("Код %1 не применяется в канале со стиранием").arg(code_title(r.detail));
        case StudyFault::VariesErasure:
            return "Вероятности стирания изменяются только в канале со стиранием";
        case StudyFault::FromOutOfRange:
            return "Начало диапазона должно быть числом от 0 до 1";
        case StudyFault::ToOutOfRange:
            return "Конец диапазона должен быть числом от 0 до 1";
        case StudyFault::FromAboveTo:
            return "Начало диапазона больше его конца";
        case StudyFault::LogFromZero:
            return "Логарифмический шаг не может начинаться с 0";
        case StudyFault::PointsOutOfRange:
            return QString("Число точек должно быть от 1 до %1").arg(kMostStudyPoints);
        case StudyFault::RowAboveOne:
            return QString("При значении %1 сумма вероятностей инверсии и стирания больше 1")
                .arg(QString::fromStdString(format_general(r.at, sep_)));
        case StudyFault::RunRefused:
            return QString::fromStdString(r.detail);
        case StudyFault::StopRuleBelowOne:
            return "Число искаженных слов и число символов должны быть целыми не меньше 1";
        case StudyFault::ConfidenceOutOfRange:
            return "Доверительная вероятность должна быть больше 0 и меньше 1";
    }
    return {};
}

std::optional<StudyPlan> StudyWindow::read_plan(bool exact_only) {
    StudyPlan s;
    s.exact = exact_only || exact_->isChecked();
    s.exact_only = exact_only;
    std::optional<std::vector<StudyCode>> codes = read_codes();
    if (!codes) return std::nullopt;
    s.codes = std::move(*codes);
    s.varied = static_cast<Varied>(varied_->currentData().toInt());
    // Texts that are no numbers are refused as numbers out of range; the rest the plan's checks.
    const std::optional<Extended> from = parse_number(from_->text().toStdString(), sep_);
    const std::optional<Extended> to = parse_number(to_->text().toStdString(), sep_);
    s.from = from.value_or(-1);
    s.to = to.value_or(-1);
    s.points = points_->value();
    s.log = log_->isChecked();
    s.stop = {count_text(min_distorted_->text()).value_or(0),
              count_text(max_symbols_->text()).value_or(0)};

    // The base: the main window's inputs as a cell's continuous start reads them, with its
    // messages.
    const StudyInputs in(inputs_, size_->text().toStdString());
    RefusalsOnly out(messages_);
    const std::optional<RunSetup> setup = read_run_inputs(in, out, ReadMode::Continuous);
    if (!setup) return std::nullopt;
    RunTexts& b = s.base;
    b.size = std::to_string(setup->sz);
    b.probs.clear();
    for (Extended p : setup->probs) b.probs.push_back(format_round_trip(p));
    b.erasure = setup->isk[0].size() == 3;
    b.p0 = format_round_trip(setup->isk[0][1]);
    b.p1 = format_round_trip(setup->isk[1][0]);
    if (b.erasure) {
        b.e0 = format_round_trip(setup->isk[0][2]);
        b.e1 = format_round_trip(setup->isk[1][2]);
    }
    b.bit_time = format_round_trip(
        to_number_or(inputs_.bit_time_text(), inputs_.decimal_separator(), kStartup.bit_time));
    b.plain_apriori = !inputs_.model_switch();

    if (const std::optional<StudyRefusal> r = check_study(s)) {
        refuse(refusal_text(*r));
        return std::nullopt;
    }
    s.seed1 = clock_();
    s.seed2 = clock_();
    return s;
}

void StudyWindow::show_study(const StudyPlan& plan, std::vector<StudyCell> cells) {
    plan_ = plan;
    cells_ = std::move(cells);
    chart_->set_study(plan_);
    chart_->set_cells(cells_);
    table_model_->set_study(plan_);
    table_model_->set_cells(cells_);
    table_->resizeColumnsToContents();
    columns_fitted_ = !cells_.empty();
}

void StudyWindow::start_study(bool exact_only) {
    if (running()) return;
    follow_channel();
    const std::optional<StudyPlan> plan = read_plan(exact_only);
    if (!plan) return;
    opened_.reset();
    stopped_ = false;
    show_study(*plan, {});
    total_cells_ = shard_points(plan_).size() * plan_.codes.size();
    elapsed_.start();
    runner_->start(plan_, static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    lock(true);
    progress_timer_->start();
    show_progress();
}

void StudyWindow::stop_study() {
    runner_->stop();
    stop_->setEnabled(false);  // until the workers have ended
}

// Cells may finish by the thousand in a second: they go into the table as they come, but the
// chart and the progress are drawn again at most every kRedrawMs.
void StudyWindow::cells_done(const std::vector<StudyCell>& cells) {
    cells_.insert(cells_.end(), cells.begin(), cells.end());
    table_model_->add(cells);
    if (!redraw_timer_->isActive()) redraw_timer_->start();
}

void StudyWindow::redraw() {
    chart_->set_cells(cells_);
    show_progress();
    if (!columns_fitted_ && !cells_.empty()) {
        table_->resizeColumnsToContents();
        columns_fitted_ = true;
    }
}

// The cells are put in (point, code) order, as run_study returns them and the files are written.
void StudyWindow::finished(bool stopped) {
    std::stable_sort(cells_.begin(), cells_.end(), [](const StudyCell& a, const StudyCell& b) {
        return std::pair(a.point, a.code) < std::pair(b.point, b.code);
    });
    stopped_ = stopped;
    redraw_timer_->stop();
    progress_timer_->stop();
    lock(false);
    redraw();
    table_->resizeColumnsToContents();
}

void StudyWindow::show_progress() {
    const std::size_t done = cells_.size();
    progress_->setMaximum(static_cast<int>(std::max<std::size_t>(1, total_cells_)));
    progress_->setValue(static_cast<int>(std::min(done, total_cells_)));
    const QString count = QString("ячеек: %1 из %2").arg(done).arg(total_cells_);
    QString text;
    if (running()) {
        text = "Вычисляется, " + count;
        if (done > 0 && done < total_cells_) {
            const double per_cell =
                static_cast<double>(elapsed_.elapsed()) / 1000.0 / static_cast<double>(done);
            text += ", осталось около " +
                    time_text(per_cell * static_cast<double>(total_cells_ - done));
        }
    } else if (opened_) {
        text = QString("Открыт файл %1, ячеек: %2").arg(*opened_).arg(done);
    } else if (total_cells_ == 0) {
        text = "Исследование не проводилось";
    } else {
        text = (stopped_ ? "Остановлено, " : "Готово, ") + count;
    }
    progress_->setFormat(text);
}

void StudyWindow::lock(bool running) {
    for (QWidget* w : std::initializer_list<QWidget*>{range_box_, codes_box_, stop_box_, open_})
        w->setEnabled(!running);
    for (QWidget* w : std::initializer_list<QWidget*>{save_, save_chart_})
        w->setEnabled(!running && !cells_.empty());
    for (QPushButton* b : {start_, exact_only_}) {
        b->setVisible(!running);
        b->setEnabled(!running);
    }
    stop_->setVisible(running);
    stop_->setEnabled(running);
}

void StudyWindow::save_study() {
    if (running() || cells_.empty()) return;
    QString filter = kCsvFilter;
    const QString chosen = dialogs_.file(this, Dialogs::FileMode::Save, "Сохранить исследование",
                                         kStudyFilters, &filter);
    if (chosen.isEmpty()) return;
    const ChosenFile file = chosen_file(chosen, filter, {"csv", "json"});
    std::ostringstream text;
    if (file.suffix == "json")
        write_study_json(text, plan_, cells_);
    else
        write_study_csv(text, plan_, cells_);
    const QByteArray bytes = QByteArray::fromStdString(text.str());
    save_file_or_say(this, dialogs_, kSaveCaption, file.path,
                     [&](QIODevice& device) { return device.write(bytes) == bytes.size(); });
}

void StudyWindow::save_chart() {
    if (running() || cells_.empty()) return;
    QString filter = kPngFilter;
    const QString chosen =
        dialogs_.file(this, Dialogs::FileMode::Save, "Сохранить рисунок", kPictureFilters, &filter);
    if (chosen.isEmpty()) return;
    const PictureFile file = picture_file(chosen, filter);
    save_file_or_say(this, dialogs_, kPictureCaption, file.path, [&](QIODevice& device) {
        return write_chart(*chart_, file.format, device, kReportPicture);
    });
}

void StudyWindow::open_study() {
    if (running()) return;
    const QString path =
        dialogs_.file(this, Dialogs::FileMode::Open, "Открыть исследование", kOpenFilters, nullptr);
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs_.message(this,
                         QString("Не удалось прочитать файл %1:\n%2").arg(path, file.errorString()),
                         kOpenCaption, Dialogs::Icon::Error);
        return;
    }
    const QByteArray bytes = file.readAll();
    StudyFileRead read = read_study_json(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!read.study) {
        const StudyFileRefusal& r = *read.refusal;
        const QString reason = r.kind == StudyFileRefusal::Kind::NotJson
                                   ? QString("это не JSON (ошибка в позиции %1)").arg(r.position)
                               : r.kind == StudyFileRefusal::Kind::NotObject
                                   ? QString("это не объект JSON")
                                   : QString("неверное или отсутствующее поле «%1»")
                                         .arg(QString::fromStdString(r.field));
        dialogs_.message(this,
                         QString("Файл %1 не является исследованием: %2")
                             .arg(QFileInfo(path).fileName(), reason),
                         kOpenCaption, Dialogs::Icon::Error);
        return;
    }
    std::optional<LoadedStudy>& study = read.study;
    opened_ = QFileInfo(path).fileName();
    stopped_ = false;
    total_cells_ = study->cells.size();
    show_study(study->plan, std::move(study->cells));
    lock(false);
    show_progress();
}

}  // namespace tavolin::ui
