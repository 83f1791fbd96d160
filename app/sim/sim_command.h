// SPDX-License-Identifier: GPL-3.0-or-later
// The headless run command, callable in-process: arguments in, report on `out`, refusals on
// `err`, exit status back.
#pragma once

#include <atomic>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/types.h"

namespace tavolin::sim {

// The exit status of a run or study that Ctrl+C ended: 128 + SIGINT, as shells report it.
constexpr int kInterrupted = 130;

// Reads the clock for the streams the options leave unseeded.
using ClockReading = std::function<Integer()>;

// `interrupted` (Ctrl+C) ends the runs or the study after the packet under way; the report
// then shows what ran, with the status kInterrupted. `progress` shows a study's progress on
// `err`.
int run_sim(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const ClockReading& clock, const std::atomic<bool>* interrupted = nullptr,
            bool progress = false);

// Writes a finished report to `out`: 0, or 1 with a message on `err` when it could not be
// written completely (stdout closed, a pipe gone, a disk full).
int finish_report(std::ostream& out, std::ostream& err, const std::string& text);

}  // namespace tavolin::sim
