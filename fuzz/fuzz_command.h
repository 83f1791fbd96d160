// SPDX-License-Identifier: GPL-3.0-or-later
// The command run in-process for a fuzz target: its exit status and both streams, and a command
// line as one text that shows where each argument starts and ends.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "app/sim/sim_command.h"

namespace tavolin::fuzzing {

struct Outcome {
    int status;
    std::string out, err;
};

// Seeds the command takes from its clock advance from one start, so a run is the same again.
inline Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    Integer clock = 12345;
    const int status = sim::run_sim(args, out, err, [&clock] { return clock += 1000; });
    return {status, out.str(), err.str()};
}

inline std::string joined(const std::vector<std::string>& args) {
    std::string s;
    for (const std::string& a : args) s += " [" + a + "]";
    return s;
}

}  // namespace tavolin::fuzzing
