// A study's results as the command writes them and the window saves them: CSV with one header
// row and one row per cell, or one JSON object of the inputs and the cells. Numbers are written
// with a point at full precision (80-bit values in 21 significant digits); a value that does not
// exist is empty in CSV and null in JSON.
#pragma once

#include <ostream>
#include <vector>

#include "engine/study.h"

namespace tavolin {

void write_study_csv(std::ostream& out, const StudySpec& spec, const std::vector<StudyCell>& cells);
void write_study_json(std::ostream& out, const StudySpec& spec,
                      const std::vector<StudyCell>& cells);

// The columns of a row, in order: the CSV header and the JSON names.
const std::vector<const char*>& study_columns();

}  // namespace tavolin
