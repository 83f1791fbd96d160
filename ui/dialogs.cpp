// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QSpacerItem>
#include <algorithm>

namespace tavolin::ui {

namespace {

// The title bar's own parts beside the caption: the system-menu icon, up to three buttons and
// the borders, as common window managers draw them.
constexpr int kTitleBarParts = 120;

// Dialogs size themselves to their layouts and override a minimum width; a spacer across the
// whole layout is a width they keep.
void keep_width(QLayout* layout, int width) {
    auto* spacer = new QSpacerItem(width, 0, QSizePolicy::Minimum);
    if (auto* grid = qobject_cast<QGridLayout*>(layout))
        grid->addItem(spacer, grid->rowCount(), 0, 1, grid->columnCount());
    else if (layout)
        layout->addItem(spacer);
    else
        delete spacer;
}

}  // namespace

int caption_width(const QString& caption) {
    // The window manager picks the title font; take the wider of the platform's title font and
    // the window's own font, both bold, as title bars usually are.
    int widest = 0;
    for (QFont font : {QFontDatabase::systemFont(QFontDatabase::TitleFont), QApplication::font()}) {
        font.setBold(true);
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(caption));
    }
    return widest + kTitleBarParts;
}

std::unique_ptr<QMessageBox> make_message_box(QWidget* owner, const QString& text,
                                              const QString& caption, Dialogs::Icon icon) {
    auto box = std::make_unique<QMessageBox>(
        icon == Dialogs::Icon::Error ? QMessageBox::Critical : QMessageBox::Information, caption,
        text, QMessageBox::Ok, owner);
    keep_width(box->layout(), caption_width(caption));
    return box;
}

std::unique_ptr<QInputDialog> make_prompt(QWidget* owner, const QString& caption,
                                          const QString& label, const QString& default_text) {
    auto dialog = std::make_unique<QInputDialog>(owner);
    dialog->setWindowTitle(caption);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setLabelText(label);
    dialog->setTextValue(default_text);
    // A prompt makes its layout only when shown, and sizes itself to it then; its label, made
    // by now, carries the width instead.
    if (auto* text = dialog->findChild<QLabel*>()) text->setMinimumWidth(caption_width(caption));
    return dialog;
}

void QtDialogs::message(QWidget* owner, const QString& text, const QString& caption, Icon icon) {
    make_message_box(owner, text, caption, icon)->exec();
}

QString QtDialogs::prompt(QWidget* owner, const QString& caption, const QString& label,
                          const QString& default_text) {
    const std::unique_ptr<QInputDialog> dialog = make_prompt(owner, caption, label, default_text);
    return dialog->exec() == QDialog::Accepted ? dialog->textValue() : default_text;
}

QString Dialogs::file(QWidget*, FileMode, const QString&, const QString&, QString*) {
    return {};
}

QString QtDialogs::file(QWidget* owner, FileMode mode, const QString& caption,
                        const QString& filters, QString* filter) {
    return mode == FileMode::Open
               ? QFileDialog::getOpenFileName(owner, caption, QString(), filters, filter)
               : QFileDialog::getSaveFileName(owner, caption, QString(), filters, filter);
}

}  // namespace tavolin::ui
