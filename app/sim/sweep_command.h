// SPDX-License-Identifier: GPL-3.0-or-later
// `tavolin-sim sweep`: runs a study and writes it as CSV or JSON.
#pragma once

#include <atomic>
#include <ostream>
#include <string>
#include <vector>

#include "app/sim/sim_command.h"

namespace tavolin::sim {

// Exit status: 0 done, 2 refused options, 1 output not written, 130 stopped by `interrupted`
// (the finished cells and those under way are written all the same).
int run_sweep(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const ClockReading& clock, const std::atomic<bool>& interrupted, bool progress);

}  // namespace tavolin::sim
