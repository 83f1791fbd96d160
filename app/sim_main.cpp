// tavolin-sim: the simulation engine without a window.
#include <chrono>
#include <iostream>

#include "app/sim/sim_command.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // The low 32 bits of a high-resolution counter, read once per unseeded stream.
    const auto clock = [] {
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        return static_cast<tavolin::Integer>(static_cast<std::uint32_t>(ticks));
    };
    return tavolin::sim::run_sim(args, std::cout, std::cerr, clock);
}
