// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's input editing: key filters, the sum labels, the two radio groups, and the
// coding menu with its settings prompts.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "codes/bitstring.h"
#include "codes/cyclic.h"
#include "core/defaults.h"
#include "core/number_text.h"
#include "engine/code_settings.h"
#include "ui/main/main_window.h"
#include "ui/widgets/input_filters.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/string_grid.h"

namespace tavolin::ui {

namespace {

constexpr int kCodeColumn = 1;
constexpr int kProbabilityColumn = 2;
constexpr int kInversionColumn = 1;
constexpr int kErasureColumn = 2;
constexpr int kInversion = 0;
constexpr int kErasure = 1;

}  // namespace

void TForm2::install_filters() {
    StringGrid1->setKeyFilter([this](int col, int row, QChar typed) {
        const QString text = StringGrid1->cell(col, row);
        if (col == kCodeColumn) return code_cell_accepts(text, typed);
        if (col == kProbabilityColumn) return probability_cell_accepts(text, typed, sep_);
        return true;  // the symbol column takes any text
    });
    StringGrid2->setKeyFilter([this](int col, int row, QChar typed) {
        if (row < 1 || row > 2) return false;
        const QString other =
            col == kInversionColumn
                ? (StringGrid2->colCount() == 3 ? StringGrid2->cell(kErasureColumn, row)
                                                : QString("0"))
                : StringGrid2->cell(kInversionColumn, row);
        return channel_cell_accepts(StringGrid2->cell(col, row), typed, other, sep_);
    });
    install_key_filter(Edit1, [this](const QString& text, QChar typed) {
        return bit_time_accepts(text, typed, sep_);
    });
    install_key_filter(Edit2, packet_size_accepts);
}

void TForm2::StringGrid1SetEditText() {
    // The same delimiting as a run's: the sum of exactly the probabilities a run would use.
    Extended sum = 0;
    for (int row = 1; row <= kMaxSymbols; ++row) {
        const Extended v =
            to_number_or(StringGrid1->cell(kProbabilityColumn, row).toStdString(), sep_, 0);
        if (v == 0) break;
        sum += v;
    }
    Label4->setText(QString::fromStdString(format_fixed(sum, 9, 6, sep_)));
    Label5->setText(QString::fromStdString(format_fixed(1 - sum, 9, 6, sep_)));
    Label4->adjustSize();
    Label5->adjustSize();
}

void TForm2::RadioGroup1Click(int item) {
    const int w = 64;  // the channel table's default column width
    if (item == kInversion) {
        StringGrid2->setColCount(2);
        StringGrid2->resize(StringGrid2->width() - w, StringGrid2->height());
        N4->setEnabled(true);
        RadioGroup2->move(RadioGroup2->x() - w, RadioGroup2->y());
        Button1->move(Button1->x() - w, Button1->y());
    } else if (item == kErasure) {
        StringGrid2->setColCount(3);
        StringGrid2->resize(StringGrid2->width() + w, StringGrid2->height());
        RadioGroup2->move(RadioGroup2->x() + w, RadioGroup2->y());
        // The continuous code cannot be chosen while the channel erases.
        if (N4->isChecked()) N2Click();
        N4->setEnabled(false);
        Button1->move(Button1->x() + w, Button1->y());
        StringGrid2->setCell(kErasureColumn, 0, "Стирание");
        StringGrid2->setCell(kErasureColumn, 1, "0");
        StringGrid2->setCell(kErasureColumn, 2, "0");
    } else {
        return;
    }
    Button2->move(Button1->x(), Button2->y());
    CheckBox1->move(Button1->x(), CheckBox1->y());
}

void TForm2::RadioGroup2Click(int item) {
    CheckBox1->setEnabled(item == 1);
}

void TForm2::check_code_item(QAction* item, Byte coding_type) {
    item->setChecked(true);  // the group unchecks the other three
    st_.coding_type = coding_type;
}

void TForm2::N2Click() {
    check_code_item(N2, kCyclic);
}
void TForm2::N3Click() {
    check_code_item(N3, kHamming);
}
void TForm2::N4Click() {
    check_code_item(N4, kContinuous);
}
void TForm2::N6Click() {
    check_code_item(N6, kNoCoding);
}

void TForm2::N5Click() {
    auto refuse_setting = [this](SettingRefusal why) {
        const SettingMessage m = setting_message(why);
        show_message(QString::fromUtf8(m.text), QString::fromUtf8(m.caption), Dialogs::Icon::Error);
    };
    if (st_.coding_type == kCyclic) {
        const auto digits = static_cast<Byte>(degree(st_.Polinom_default) + 1);
        const QString text =
            dialogs_.prompt(this, "Ввод полинома", "Введите полином",
                            QString::fromStdString(IntToBin(st_.Polinom_default, digits)));
        const PolynomialCheck c = check_polynomial_text(text.toStdString());
        if (c.refusal)
            refuse_setting(*c.refusal);
        else
            st_.Polinom_default = c.polynomial;
    } else if (st_.coding_type == kContinuous) {
        const QString text =
            dialogs_.prompt(this, "Ввод параметров непрерывного кодирования",
                            "Введите размер кадра", QString::number(st_.L_default));
        const FrameCheck c = check_frame_text(text.toStdString());
        if (c.refusal)
            refuse_setting(*c.refusal);
        else
            st_.L_default = c.frame;
    } else {
        show_message("Нет настраеваемых параметров", "Настройка кодирования",
                     Dialogs::Icon::Information);
    }
}

}  // namespace tavolin::ui
