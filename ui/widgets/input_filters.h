// SPDX-License-Identifier: GPL-3.0-or-later
// The keystroke filters of the main window's inputs. Each judges the candidate text: the whole
// current text with the typed character appended, whatever the caret or the selection.
#pragma once

#include <QChar>
#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;

namespace tavolin::ui {

inline constexpr QChar kBackspace = QChar(8);

// Alphabet table, code column: backspace, or "0"/"1" while the candidate has at most 8 characters.
bool code_cell_accepts(const QString& text, QChar typed);
// Alphabet table, probability column: backspace, or a candidate that is a number text.
bool probability_cell_accepts(const QString& text, QChar typed, char sep);
// Channel table: backspace, or a number text whose value with the row's other probability
// (`other`, read as 0 when it is no number) is at most 1.
bool channel_cell_accepts(const QString& text, QChar typed, const QString& other, char sep);
// Bit time: the candidate is a number text (so no control character passes, backspace included).
bool bit_time_accepts(const QString& text, QChar typed, char sep);
// Packet size: the candidate is an integer text of at most 50000.
bool packet_size_accepts(const QString& text, QChar typed);

// Installs a filter on a line edit: a typed character reaches it only when `accepts(text, typed)`.
void install_key_filter(QLineEdit* edit, std::function<bool(const QString&, QChar)> accepts);

}  // namespace tavolin::ui
