// SPDX-License-Identifier: GPL-3.0-or-later
// The character a key press types, as the input filters see it: printable characters and the
// control characters backspace (8), Enter (13) and Ctrl+V (22). Keys that type no character
// (arrows, Delete, function keys) and the navigation keys Tab and Escape give nothing.
#pragma once

#include <QKeyEvent>
#include <optional>

namespace tavolin::ui {

inline std::optional<QChar> typed_character(const QKeyEvent& e) {
    switch (e.key()) {
        case Qt::Key_Delete:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
            return std::nullopt;
        case Qt::Key_Backspace:
            return QChar(8);
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return QChar(13);
        default:
            break;
    }
    if (e.key() == Qt::Key_V && (e.modifiers() & Qt::ControlModifier)) return QChar(22);
    const QString text = e.text();
    if (text.isEmpty()) return std::nullopt;
    return text.at(0);
}

}  // namespace tavolin::ui
