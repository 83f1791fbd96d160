// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a file whole or not at all: into a temporary file beside it, renamed over the name only
// when everything was written, so a failure never leaves a partial file under the chosen name.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QIODevice;
class QWidget;

namespace tavolin::ui {

class Dialogs;

// `write` fills the device and says whether it succeeded. Returns the system's reason when the
// file could not be written, nothing when it was.
std::optional<QString> save_file(const QString& path, const std::function<bool(QIODevice&)>& write);

// The same, a failure told in a message box over `window` with `caption`. True when written.
bool save_file_or_say(QWidget* window, Dialogs& dialogs, const QString& caption,
                      const QString& path, const std::function<bool(QIODevice&)>& write);

}  // namespace tavolin::ui
