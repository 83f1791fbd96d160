// SPDX-License-Identifier: GPL-3.0-or-later
// The options of `tavolin-sim sweep`: a study's grid, codes, stop rule and output.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/sim/base_options.h"
#include "engine/study.h"

namespace tavolin::sim {

struct SweepOptions {
    StudyPlan plan;  // its seeds are set from the options or the clock before the run
    std::optional<Integer> seed1, seed2;
    int threads = 1;
    std::optional<std::string> out;  // a .csv or .json file; CSV on stdout without it
    bool json = false;
    bool quiet = false;
};

Parsed<SweepOptions> parse_sweep_options(const std::vector<std::string>& args);

}  // namespace tavolin::sim
