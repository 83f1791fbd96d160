// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of the runs: the start and stop buttons, the timer, the locking of the
// inputs, and both run interfaces over the widgets.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "core/number_text.h"
#include "ui/log/packet_log_window.h"
#include "ui/main/main_window.h"
#include "ui/matrix/matrix_window.h"
#include "ui/widgets/bar_chart.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/string_grid.h"

namespace tavolin::ui {

namespace {

constexpr int kPacketMode = 0;
constexpr int kContinuousMode = 1;

void set_label(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

}  // namespace

void TForm2::Button1Click() {
    const int mode = RadioGroup2->itemIndex();
    if (mode != kPacketMode && mode != kContinuousMode) return;
    const RunMode run = mode == kPacketMode      ? RunMode::Packet
                        : CheckBox1->isChecked() ? RunMode::ContinuousPerPacket
                                                 : RunMode::Continuous;
    if (!control_.start(run)) return;
    lock_for_run();
    Timer1->start();
}

void TForm2::Timer1Timer() {
    if (message_open_) return;  // a tick while a message is open waits for the next one
    control_.tick();
}

void TForm2::Button2Click() {
    Timer1->stop();
    control_.stop();
    unlock_after_run();
}

void TForm2::lock_for_run() {
    Button2->setEnabled(true);
    Button2->show();
    Button1->setEnabled(false);
    CheckBox1->setEnabled(false);
    Button1->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{RadioGroup2, RadioGroup1, Edit2, StringGrid1})
        w->setEnabled(false);
    N1->setEnabled(false);
    N8->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{Edit1, StringGrid2, CheckBox2})
        w->setEnabled(false);
}

void TForm2::unlock_after_run() {
    Button1->setEnabled(true);
    Button1->show();
    Button2->setEnabled(false);
    Button2->hide();
    for (QWidget* w :
         std::initializer_list<QWidget*>{Edit2, CheckBox1, CheckBox2, Edit1, StringGrid2,
                                         RadioGroup1, RadioGroup2, StringGrid1})
        w->setEnabled(true);
    N1->setEnabled(true);
    N8->setEnabled(true);
}

std::string TForm2::packet_size_text() const {
    return Edit2->text().toStdString();
}

std::string TForm2::probability_text(int row) const {
    return StringGrid1->cell(2, row).toStdString();
}

int TForm2::noise_type() const {
    return RadioGroup1->itemIndex();
}

std::string TForm2::channel_text(int col, int row) const {
    return StringGrid2->cell(col, row).toStdString();
}

bool TForm2::model_switch() const {
    return CheckBox2->isChecked();
}
bool TForm2::counting_switch() const {
    return CheckBox3->isChecked();
}
std::string TForm2::bit_time_text() const {
    return Edit1->text().toStdString();
}

void TForm2::show_symbols_sent(std::int64_t count) {
    set_label(Label10, QString::number(count));
}

QLabel* TForm2::value_label(ValueLabel label) const {
    switch (label) {
        case ValueLabel::Label12:
            return Label12;
        case ValueLabel::Label14:
            return Label14;
        case ValueLabel::Label19:
            return Label19;
        case ValueLabel::Label20:
            return Label20;
        case ValueLabel::Label21:
            return Label21;
        case ValueLabel::Label22:
            return Label22;
    }
    return Label12;
}

void TForm2::show_value(ValueLabel label, Extended value) {
    set_label(value_label(label), QString::fromStdString(format_label(value, sep_)));
}

void TForm2::show_bars(Chart chart, std::optional<double> apriori,
                       std::optional<double> aposteriori) {
    BarChart* c = chart == Chart::Chart1 ? Chart1 : Chart2;
    c->setBar(0, apriori);
    c->setBar(1, aposteriori);
}

bool TForm2::wants_matrices() const {
    return form9_.s_matrix();
}

void TForm2::set_mat1(const matr& m) {
    form9_.setMat1(m);
}
void TForm2::set_mat2(const matr& m) {
    form9_.setMat2(m);
}
void TForm2::show_matrix() {
    form9_.showMatrix();
}

PacketLog* TForm2::packet_log() {
    return log_window_ ? &packet_log_ : nullptr;
}

void TForm2::show_words() {
    if (log_window_ && log_window_->isVisible()) log_window_->refresh();
}

void TForm2::refuse(Refusal why) {
    show_message(QString::fromUtf8(refusal_text(why)), QString::fromUtf8(kInputCaption),
                 Dialogs::Icon::Error);
}

void TForm2::report_error(const std::string& description) {
    show_message(QString::fromStdString(description), windowTitle(), Dialogs::Icon::Error);
}

}  // namespace tavolin::ui
