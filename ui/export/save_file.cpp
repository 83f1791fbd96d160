// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/save_file.h"

#include <QSaveFile>

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

}  // namespace tavolin::ui
