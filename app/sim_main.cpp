// SPDX-License-Identifier: GPL-3.0-or-later
// tavolin-sim: the simulation engine without a window.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>

#include "app/sim/sim_command.h"
#include "channel/lanes/kernels.h"

namespace {

// Set by Ctrl+C: a study stops between packets and writes what it has.
std::atomic<bool> interrupted{false};

extern "C" void on_interrupt(int) {
    interrupted.store(true);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // The low 32 bits of a high-resolution counter, read once per unseeded stream.
    const auto clock = [] {
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        return static_cast<tavolin::Integer>(static_cast<std::uint32_t>(ticks));
    };
    if (const auto refused = tavolin::use_lanes_from_environment()) {
        std::cerr << *refused << '\n';
        return 2;
    }
    std::signal(SIGINT, on_interrupt);
    return tavolin::sim::run_sim(args, std::cout, std::cerr, clock, &interrupted,
                                 isatty(STDERR_FILENO) != 0);
}
