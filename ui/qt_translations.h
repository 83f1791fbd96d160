// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts (the edit boxes' context menu, the buttons of the prompts and message boxes)
// in Russian, like every other text of the window.
#pragma once

namespace tavolin::ui {

// Installs Qt's Russian catalogue from the translations folder Qt reports, once per
// application. Without the catalogue Qt's texts stay English.
void use_russian_qt_texts();

}  // namespace tavolin::ui
