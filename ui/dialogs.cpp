#include "ui/dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace tavolin::ui {

void QtDialogs::message(QWidget* owner, const QString& text, const QString& caption, Icon icon) {
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::Information, caption,
                    text, QMessageBox::Ok, owner);
    box.exec();
}

QString QtDialogs::prompt(QWidget* owner, const QString& caption, const QString& label,
                          const QString& default_text) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner, caption, label, QLineEdit::Normal, default_text, &ok);
    return ok ? text : default_text;
}

}  // namespace tavolin::ui
