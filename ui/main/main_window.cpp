// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "codes/bitstring.h"
#include "core/defaults.h"
#include "core/number_text.h"
#include "engine/code_settings.h"
#include "ui/log/packet_log_window.h"
#include "ui/main/alphabet_import.h"
#include "ui/matrix/matrix_window.h"
#include "ui/qt_translations.h"
#include "ui/regional.h"
#include "ui/study/study_window.h"
#include "ui/widgets/bar_chart.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/string_grid.h"

namespace tavolin::ui {

namespace {

constexpr int kClientWidth = 787;
constexpr int kClientHeight = 511;
constexpr int kTickMs = 500;
const QColor kApostColour(255, 128, 255);

}  // namespace

TForm2::TForm2(SimState& st, TForm9& form9, Dialogs& dialogs, Clock clock, bool has_arguments,
               QWidget* parent)
    : QMainWindow(parent),
      st_(st),
      form9_(form9),
      dialogs_(dialogs),
      clock_(std::move(clock)),
      sep_(regional_separator()),
      control_(st, *this, *this) {
    use_russian_qt_texts();
    setObjectName("Form2");
    setWindowTitle("Tavolin");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    build_controls();
    build_menu();
    build_export_actions();
    layout()->setSizeConstraint(QLayout::SetFixedSize);  // a fixed window, not resizable
    set_tab_order();
    install_filters();
    FormCreate(has_arguments);
}

TForm2::~TForm2() {
    study_.reset();  // a study under way stops before the inputs it was started from go
    // Children destroyed after this class's part is gone may still signal (an open cell editor
    // commits its text); none of that may reach the handlers here.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

QLabel* TForm2::add_label(const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, client_);
    label->setObjectName(name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void TForm2::build_controls() {
    client_ = new QWidget(this);
    client_->setObjectName("ClientArea");
    client_->setFixedSize(kClientWidth, kClientHeight);
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);

    Label1 = add_label("Label1", "Вероятности символов:", 8, 8);
    StringGrid1 = new StringGrid(3, 17, 0, 1, client_);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setGeometry(8, 27, 209, 430);

    RadioGroup1 =
        new RadioGroup("Тип помех канала связи", {"С инверсией", "Со стиранием"}, 2, client_);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setGeometry(223, 8, 202, 49);
    RadioGroup1->setItemIndex(0);

    Label6 = add_label("Label6", "Вероятности:", 431, 8);
    StringGrid2 = new StringGrid(2, 3, 1, 1, client_);
    StringGrid2->setObjectName("StringGrid2");
    StringGrid2->setGeometry(431, 27, 136, 79);

    Label7 = add_label("Label7", "Время передачи 1 бита,с:", 223, 66);
    Edit1 = new QLineEdit("0.0002", client_);
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(360, 63, 65, 21);
    Label8 = add_label("Label8", "Размер пакета, симв.:", 223, 93);
    Edit2 = new QLineEdit("1000", client_);
    Edit2->setObjectName("Edit2");
    Edit2->setGeometry(360, 90, 65, 21);

    RadioGroup2 = new RadioGroup("Режим работы", {"Пакетный", "Непрерывный"}, 1, client_);
    RadioGroup2->setObjectName("RadioGroup2");
    RadioGroup2->setGeometry(573, 8, 108, 65);
    RadioGroup2->setItemIndex(0);

    auto make_check = [this](const char* name, const QString& text, QRect at) {
        auto* box = new QCheckBox(text, client_);
        box->setObjectName(name);
        box->setGeometry(at);
        return box;
    };
    CheckBox1 = make_check("CheckBox1", "Без накопления", {573, 79, 98, 17});
    CheckBox1->setStyleSheet("QCheckBox { spacing: 2px; }");  // the caption fits the design width
    CheckBox1->setEnabled(false);
    // The model and counting switches exist but are never shown to the user.
    CheckBox2 = make_check("CheckBox2", "v2", {696, 27, 49, 17});
    CheckBox2->setChecked(true);
    CheckBox2->setEnabled(false);
    CheckBox2->hide();
    CheckBox3 = make_check("CheckBox3", "v2.1", {696, 65, 49, 17});
    CheckBox3->setEnabled(false);
    CheckBox3->hide();

    auto make_button = [this](const char* name, const QString& text, QRect at) {
        auto* b = new QPushButton(text, client_);
        b->setObjectName(name);
        b->setGeometry(at);
        return b;
    };
    Button1 = make_button("Button1", "Начать", {573, 102, 108, 25});
    Button2 = make_button("Button2", "Остановить", {573, 102, 108, 25});
    Button2->setEnabled(false);
    Button2->hide();

    Chart1 = new BarChart("Полезная информация", {"Series1", "Априорные", Qt::blue},
                          {"Series2", "Апостериорные", kApostColour}, sep_, client_);
    Chart1->setObjectName("Chart1");
    Chart1->setGeometry(223, 133, 259, 250);
    Chart2 = new BarChart("Скорость передачи бит/с", {"Series3", "Априорная", Qt::blue},
                          {"Series4", "Апостериорная", kApostColour}, sep_, client_);
    Chart2->setObjectName("Chart2");
    Chart2->setGeometry(488, 133, 279, 250);

    Button3 = make_button("Button3", "Очистить графики", {223, 389, 112, 25});
    Button4 = make_button("Button4", "Канальные матрицы", {341, 389, 123, 25});

    Label2 = add_label("Label2", "Сумма вероятностей = ", 8, 463);
    Label4 = add_label("Label4", "Label4", 133, 463);
    Label3 = add_label("Label3", "Разница вероятностей = ", 8, 482);
    Label5 = add_label("Label5", "Label5", 143, 482);
    Label9 = add_label("Label9", "Всего передано символов: ", 239, 444);
    Label10 = add_label("Label10", "Label10", 382, 444);
    Label13 = add_label("Label13", "Доля обнаруженных ошибок: ", 223, 463);
    Label14 = add_label("Label14", "Label14", 382, 463);
    Label11 = add_label("Label11", "Доля исправленных ошибок:", 229, 482);
    Label12 = add_label("Label12", "Label12", 382, 482);
    Label15 = add_label("Label15", "Коэф. избыточности кода:", 496, 425);
    Label19 = add_label("Label19", "Label19", 639, 425);
    Label16 = add_label("Label16", "Энтропия источника:", 524, 444);
    Label20 = add_label("Label20", "Label20", 639, 444);
    Label17 = add_label("Label17", "Энтропия приемника:", 523, 463);
    Label21 = add_label("Label21", "Label21", 639, 463);
    Label18 = add_label("Label18", "Энтропия шума:", 551, 482);
    Label22 = add_label("Label22", "Label22", 639, 482);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kTickMs);

    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm2::Button4Click);
    connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
    connect(RadioGroup1, &RadioGroup::itemChanged, this, &TForm2::RadioGroup1Click);
    connect(RadioGroup2, &RadioGroup::itemChanged, this, &TForm2::RadioGroup2Click);
    connect(StringGrid1, &StringGrid::editTextChanged, this, &TForm2::StringGrid1SetEditText);
}

void TForm2::build_menu() {
    N1 = menuBar()->addMenu("Кодирование");
    N1->setObjectName("N1");
    coding_items_ = new QActionGroup(this);
    coding_items_->setExclusive(true);
    auto add_item = [this](const char* name, const QString& text, void (TForm2::*handler)()) {
        QAction* a = N1->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    N2 = add_item("N2", "Циклическое", &TForm2::N2Click);
    N3 = add_item("N3", "Хемминга", &TForm2::N3Click);
    N4 = add_item("N4", "Непрерывное", &TForm2::N4Click);
    N6 = add_item("N6", "Без кодирования", &TForm2::N6Click);
    for (QAction* a : {N2, N3, N4, N6}) {
        a->setCheckable(true);
        coding_items_->addAction(a);
    }
    N2->setChecked(true);
    N5 = add_item("N5", "Настройки...", &TForm2::N5Click);

    N7 = menuBar()->addMenu("Исследование");
    N7->setObjectName("N7");
    N8 = N7->addAction("Зависимость от вероятности помех…");
    N8->setObjectName("N8");
    connect(N8, &QAction::triggered, this, &TForm2::N8Click);
    PacketLogAction = N7->addAction("Журнал передачи пакета…");
    PacketLogAction->setObjectName("PacketLogAction");
    connect(PacketLogAction, &QAction::triggered, this, [this] {
        if (!log_window_)
            log_window_ = std::make_unique<PacketLogWindow>(packet_log_, dialogs_, this);
        log_window_->open();
    });
}

void TForm2::N8Click() {
    if (!study_) study_ = std::make_unique<StudyWindow>(*this, *this, st_, dialogs_, clock_);
    study_->open();
}

void TForm2::set_tab_order() {
    QWidget* order[] = {StringGrid1, RadioGroup1, StringGrid2, Edit1,   RadioGroup2,
                        Button1,     Edit2,       Chart1,      Button2, Chart2,
                        Button3,     CheckBox1,   CheckBox2,   Button4, CheckBox3};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    // The charts hold their places in the order but take no focus; only now, as setTabOrder()
    // passes over widgets that take none.
    Chart1->setFocusPolicy(Qt::NoFocus);
    Chart2->setFocusPolicy(Qt::NoFocus);
}

void TForm2::FormCreate(bool has_arguments) {
    activated_ = false;
    imp_ = has_arguments;
}

bool TForm2::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) FormActivate();
    return QMainWindow::event(e);
}

// A display may show the window without ever activating it (no window manager, focus-stealing
// prevention); the defaults must be in place all the same, so the first show counts as well.
void TForm2::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    FormActivate();
    report_import_failure_on_screen();
}

// The import runs while the window is being shown, before it is on screen: its error box waits
// for the window's first exposure, so that it stands over the window instead of before it.
void TForm2::report_import_failure_on_screen() {
    QWindow* w = windowHandle();
    if (!import_failure_ || !w) return;  // not shown yet: showEvent() comes back here
    if (w->isExposed())
        QMetaObject::invokeMethod(this, &TForm2::show_import_failure, Qt::QueuedConnection);
    else
        w->installEventFilter(this);
}

bool TForm2::eventFilter(QObject* watched, QEvent* e) {
    QWindow* w = windowHandle();
    if (watched == w && e->type() == QEvent::Expose && w->isExposed()) {
        w->removeEventFilter(this);
        // Queued, so the window paints itself in this exposure before the box opens.
        QMetaObject::invokeMethod(this, &TForm2::show_import_failure, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, e);
}

void TForm2::show_import_failure() {
    if (!import_failure_) return;
    const QString text = *std::exchange(import_failure_, std::nullopt);
    show_message(text, windowTitle(), Dialogs::Icon::Error);
}

void TForm2::FormActivate() {
    if (!activated_) activate_unit1();
}

void TForm2::activate_unit1() {
    activated_ = true;
    st_.seed1 = clock_();
    init_code_parameters(st_);  // the code, its polynomial and frame size, the Hamming tables
    Button3Click();
    for (QLabel* l : {Label10, Label12, Label14, Label19, Label20, Label21, Label22}) l->clear();
    StringGrid1->setColumnWidth(0, 50);
    StringGrid1->setColumnWidth(1, 70);
    StringGrid1->setColumnWidth(2, StringGrid1->width() - (50 + 70) - 7);
    StringGrid1->setCell(0, 0, "Символ");
    StringGrid1->setCell(1, 0, "Код");
    StringGrid1->setCell(2, 0, "Вероятность");
    const QString sixteenth = QString::fromStdString(format_general(kStartup.probability, sep_));
    for (int i = 1; i <= kMaxSymbols; ++i) {
        StringGrid1->setCell(0, i, QString(QChar(64 + i)));
        StringGrid1->setCell(1, i,
                             QString::fromStdString(IntToBin(static_cast<Cardinal>(i - 1), 4)));
        StringGrid1->setCell(2, i, sixteenth);
    }
    StringGrid2->setCell(0, 1, "0");
    StringGrid2->setCell(0, 2, "1");
    StringGrid2->setCell(1, 0, "Инверсия");
    // Written with the regional separator: a fixed "0,1" would not read as a number under a
    // point separator, and every run of the default inputs would fail.
    StringGrid2->setCell(1, 1, QString::fromStdString(format_general(kStartup.inversion0, sep_)));
    StringGrid2->setCell(1, 2, QString::fromStdString(format_general(kStartup.inversion1, sep_)));
    Label4->setText(QString::fromStdString(format_label(1, sep_)));
    Label5->setText(QString::fromStdString(format_label(0, sep_)));
    Label4->adjustSize();
    Label5->adjustSize();
    Edit1->setText(QString::fromStdString(format_general(kStartup.bit_time, sep_)));
    st_.seed2 = clock_();
    if (imp_) {
        import_failure_ = impAlph(*StringGrid1, sep_);
        if (import_failure_)
            report_import_failure_on_screen();
        else
            imp_ = false;
    }
}

void TForm2::closeEvent(QCloseEvent* e) {
    Timer1->stop();
    st_.p_m_x.clear();
    st_.pr_m_x.clear();
    form9_.hide();
    if (study_) study_->close();  // and the study under way stops
    if (log_window_) log_window_->close();
    e->accept();
    QApplication::quit();  // closing the main window ends the program
}

void TForm2::Button3Click() {
    Chart1->clearSeries(0);
    Chart1->clearSeries(1);
    Chart2->clearSeries(0);
    Chart2->clearSeries(1);
}

void TForm2::Button4Click() {
    form9_.open_for_runs();
    form9_.show();
    form9_.raise();
    form9_.activateWindow();
}

void TForm2::show_message(const QString& text, const QString& caption, Dialogs::Icon icon) {
    // One box at a time: while one is open the event loop runs, and nothing may stack another.
    if (message_open_) return;
    message_open_ = true;
    dialogs_.message(this, text, caption, icon);
    message_open_ = false;
}

}  // namespace tavolin::ui
