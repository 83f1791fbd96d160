// SPDX-License-Identifier: GPL-3.0-or-later
// The columns of a study's cells, in order: each with how a cell writes its value and how the
// value is read back. The CSV writer, the JSON writer and the JSON reader all walk this table.
#pragma once

#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "engine/study.h"

namespace tavolin {

// How a value is written: whole numbers (counts, seeds) and numbers bare, flags as true or false,
// and the code's name as text (quoted in JSON, and in CSV where it holds a comma or a quote).
enum class ColumnType { Whole, Number, Flag, Text };

// What reading a cell's values needs of its study: the plan, and the codes already taken at
// each point (a code may be listed twice; each name takes the first of its codes still free).
struct CellReading {
    const StudyPlan& plan;
    std::set<std::pair<int, std::size_t>> taken;
};

struct StudyColumn {
    const char* name;
    ColumnType type;
    // The value as written (a number in full precision, 21 digits for 80-bit values), or
    // nothing where it does not exist: empty in CSV, null in JSON.
    std::optional<std::string> (*write)(const StudyCell&, const StudyPlan&);
    // Reads a value (nothing for null) into the cell; false for a value the column does not
    // take. Columns are read in order: a later one may rely on an earlier one.
    bool (*read)(StudyCell&, std::optional<std::string_view>, CellReading&);
    // A column that files written before it existed lack: missing, it reads as null.
    bool absent_is_null;
};

std::span<const StudyColumn> study_columns();

}  // namespace tavolin
