// SPDX-License-Identifier: GPL-3.0-or-later
// Shared pieces of the benchmarks: a packet of symbols, and a counter in nanoseconds per item.
#pragma once

#include <benchmark/benchmark.h>

#include "channel/lanes/kernels.h"
#include "core/sim_state.h"
#include "engine/code_settings.h"
#include "engine/study.h"

namespace tavolin::bench {

inline constexpr int kPacket = 50000;

inline SimState started(Byte coding_type) {
    SimState st;
    init_code_parameters(st);
    st.coding_type = coding_type;
    st.seed1 = 20261210;
    st.seed2 = -123456789;
    return st;
}

// 21 points of the symmetric inversion probability from 0.001 to 0.1, four codes, the default
// stop rule: the study the command runs for `--vary p --from 0.001 --to 0.1 --points 21 --log`.
inline StudyPlan four_code_study() {
    StudyPlan s;
    s.varied = Varied::p;
    s.from = 0.001L;
    s.to = 0.1L;
    s.points = 21;
    s.log = true;
    s.codes = {{"cyclic:1101", kCyclic, 13, 3},
               {"hamming", kHamming, 13, 3},
               {"continuous:3", kContinuous, 13, 3},
               {"none", kNoCoding, 13, 3}};
    s.seed1 = 20261210;
    s.seed2 = -123456789;
    return s;
}

// The lanes argument that stands for the widest path this processor runs.
inline constexpr int kBestLanes = -1;

// Runs the benchmark on the lane width of `state.range(index)` (kBestLanes: the widest there
// is); false (and the benchmark marked skipped) where this processor cannot run it.
inline bool use_lanes_of(benchmark::State& state, int index) {
    const auto lanes =
        state.range(index) == kBestLanes ? best_lanes() : static_cast<Lanes>(state.range(index));
    if (!lanes_supported(lanes)) {
        state.SkipWithError("this processor cannot run these lanes");
        return false;
    }
    use_lanes(lanes);
    state.SetLabel(lanes_name(lanes));
    return true;
}

// Reports the time per item (bit, word, symbol) as "ns_per_<unit>".
inline void per_item(benchmark::State& state, const char* unit, double items_per_iteration) {
    state.counters[std::string("ns_per_") + unit] = benchmark::Counter(
        items_per_iteration * 1e-9,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace tavolin::bench
