// The headless run command, callable in-process: arguments in, report on `out`, refusals on
// `err`, exit status back.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/types.h"

namespace tavolin::sim {

// Reads the clock for the streams the options leave unseeded.
using ClockReading = std::function<Integer()>;

int run_sim(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const ClockReading& clock);

}  // namespace tavolin::sim
