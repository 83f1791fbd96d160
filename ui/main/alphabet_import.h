// SPDX-License-Identifier: GPL-3.0-or-later
// The alphabet import file: 24-byte records of a UTF-16 symbol and an 80-bit probability, read
// into the alphabet table once at start and then deleted.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "core/import_record.h"
#include "core/types.h"

namespace tavolin::ui {

class StringGrid;

// Fills the alphabet table from `path`: symbols and probabilities of the first 16 records, the
// last shown probability corrected so the shown values sum to 1, "0" after the last record.
// Returns the failure's description when the file cannot be opened or a value (the last row's
// correction included) cannot be shown as a number; the file is deleted only after a successful
// read. No file: nothing happens.
std::optional<QString> impAlph(StringGrid& grid, char sep, const QString& path = "exp.tmp");

}  // namespace tavolin::ui
