// SPDX-License-Identifier: GPL-3.0-or-later
// A study's file: CSV with one header row and one row per cell, or one JSON object of the
// inputs and the cells, as the command writes it and the study window saves it; and the JSON
// read back, every number exactly as written, so that writing the study again gives the same
// file. The cells' columns are the table of study_columns.h.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/study.h"

namespace tavolin {

void write_study_csv(std::ostream& out, const StudyPlan& plan, const std::vector<StudyCell>& cells);
void write_study_json(std::ostream& out, const StudyPlan& plan,
                      const std::vector<StudyCell>& cells);

struct LoadedStudy {
    StudyPlan plan;
    std::vector<StudyCell> cells;  // in the file's order
};

// Why a text is not a study: not JSON (at `position`), not an object, or a field missing or
// wrong (`field` names it).
struct StudyFileRefusal {
    enum class Kind { NotJson, NotObject, BadField } kind;
    std::size_t position = 0;
    std::string field;
};

struct StudyFileRead {
    std::optional<LoadedStudy> study;
    std::optional<StudyFileRefusal> refusal;
};
StudyFileRead read_study_json(std::string_view text);

}  // namespace tavolin
