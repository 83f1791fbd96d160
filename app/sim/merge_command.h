// SPDX-License-Identifier: GPL-3.0-or-later
// `tavolin-sim merge`: joins the JSON parts of a study run in shards into the study one run
// would have written, as CSV or JSON by the output's ending.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tavolin::sim {

// Exit status: 0 done, 2 refused (options, a part unreadable or not a study, parts that do not
// join), 1 output not written.
int run_merge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tavolin::sim
