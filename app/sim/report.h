// SPDX-License-Identifier: GPL-3.0-or-later
// The command's two reports: text that reads like the window, and one JSON object.
#pragma once

#include <ostream>

#include "core/sim_state.h"
#include "engine/recorded_outputs.h"

namespace tavolin::sim {

// `words`: how many of the last packet's words (kept in `r.log`) to add, one a line or as the
// array `words`.
void print_text_report(std::ostream& out, const SimState& st, const RecordedOutputs& r,
                       std::size_t words = 0);
void print_json_report(std::ostream& out, const SimState& st, const RecordedOutputs& r,
                       std::size_t words = 0);

// A channel matrix under its title, rows and columns named by the symbols' bits, in the window's
// format of four decimals.
void print_matrix(std::ostream& out, const char* title, const matr& m);

// The code word of every symbol 0 to 15 under the state's code.
void print_code_table(std::ostream& out, const SimState& st, bool json);

}  // namespace tavolin::sim
