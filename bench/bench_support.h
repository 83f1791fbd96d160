// SPDX-License-Identifier: GPL-3.0-or-later
// Shared pieces of the benchmarks: a packet of symbols, and a counter in nanoseconds per item.
#pragma once

#include <benchmark/benchmark.h>

#include "core/lanes.h"
#include "core/sim_state.h"
#include "engine/code_settings.h"

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

// Runs the benchmark on the lane width of `state.range(index)`; false (and the benchmark marked
// skipped) where this processor cannot run it.
inline bool use_lanes_of(benchmark::State& state, int index) {
    const auto lanes = static_cast<Lanes>(state.range(index));
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
