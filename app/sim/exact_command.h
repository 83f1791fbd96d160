// SPDX-License-Identifier: GPL-3.0-or-later
// `tavolin-sim exact`: the exact values of a run's measures, computed from every outcome of one
// word rather than sampled, as text or one JSON object.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tavolin::sim {

// Exit status: 0 done, 2 refused (options, a code setting, or inputs a run would refuse), 1
// report not written.
int run_exact(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tavolin::sim
