// SPDX-License-Identifier: GPL-3.0-or-later
// The single run's options: parsed, checked, and turned into the inputs of a run.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/sim/base_options.h"
#include "app/sim/code_options.h"

namespace tavolin::sim {

struct SimOptions {
    bool continuous = false;
    int ticks = 1;
    bool no_accumulate = false;
    RunTexts run;
    CodeChoice code;
    std::optional<Integer> seed1, seed2;
    bool json = false;
    bool code_table = false;
    std::size_t words = 0;  // of the last packet, in the report
};

using ParseResult = Parsed<SimOptions>;

// Parses and checks the arguments (without the program name). Malformed options are refused in
// English, naming the option.
ParseResult parse_options(const std::vector<std::string>& args);

}  // namespace tavolin::sim
