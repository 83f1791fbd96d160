// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/save_file.h"

#include <QDir>
#include <QSaveFile>

#include "ui/dialogs.h"

namespace tavolin::ui {

std::optional<QString> save_file(const QString& path,
                                 const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (!write(file) || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();  // the temporary file goes; the name keeps what it had
        return reason;
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

bool save_file_or_say(QWidget* window, Dialogs& dialogs, const QString& caption,
                      const QString& path, const std::function<bool(QIODevice&)>& write) {
    const std::optional<QString> reason = save_file(path, write);
    if (!reason) return true;
    dialogs.message(window,
                    QStringLiteral("Не удалось записать файл %1:\n%2")
                        .arg(QDir::toNativeSeparators(path), *reason),
                    caption, Dialogs::Icon::Error);
    return false;
}

}  // namespace tavolin::ui
