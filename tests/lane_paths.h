// SPDX-License-Identifier: GPL-3.0-or-later
// The paths a lane test runs under: every one this processor runs. Where the tests run on a
// machine known to have a path (CI sets TAVOLIN_REQUIRE_LANES=NAME), a path up to NAME that the
// processor lacks fails the test rather than leaving it out, so a machine that lost a path is
// noticed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "channel/lanes/kernels.h"

namespace tavolin::testing_support {

// What is wrong with running only the paths `supported` allows when `required` (the variable's
// value, empty when unset) names the widest that must run; nothing when all is well.
inline std::optional<std::string> lanes_missing(std::string_view required,
                                                bool (*supported)(Lanes)) {
    if (required.empty()) return std::nullopt;
    const std::optional<Lanes> widest = lanes_from_name(required);
    if (!widest)
        return "TAVOLIN_REQUIRE_LANES=" + std::string(required) +
               ": not one of scalar, sse2, avx2, avx512";
    std::string missing;
    for (Lanes l : kAllLanes)
        if (l <= *widest && !supported(l))
            missing += std::string(missing.empty() ? "" : ", ") + lanes_name(l);
    if (missing.empty()) return std::nullopt;
    return "TAVOLIN_REQUIRE_LANES=" + std::string(required) + ": this processor cannot run " +
           missing;
}

// Every path this processor runs, narrowest first; a failure of the calling test for every
// required path it cannot run.
inline std::vector<Lanes> lane_paths() {
    const char* required = std::getenv("TAVOLIN_REQUIRE_LANES");
    if (const auto missing = lanes_missing(required ? required : "", lanes_supported))
        ADD_FAILURE() << *missing;
    std::vector<Lanes> paths;
    for (Lanes l : kAllLanes)
        if (lanes_supported(l)) paths.push_back(l);
    return paths;
}

// The paths beside the scalar one, which every other is compared with.
inline std::vector<Lanes> wide_paths() {
    std::vector<Lanes> paths = lane_paths();
    std::erase(paths, Lanes::scalar);
    return paths;
}

// Runs `body` under a path and puts the path in use back afterwards.
template <typename Body>
auto under(Lanes lanes, Body body) {
    const Lanes before = active_lanes();
    use_lanes(lanes);
    auto result = body();
    use_lanes(before);
    return result;
}

}  // namespace tavolin::testing_support
