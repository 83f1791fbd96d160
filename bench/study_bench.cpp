// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_support.h"
#include "engine/recorded_outputs.h"
#include "engine/run_control.h"
#include "engine/study.h"

namespace tavolin::bench {
namespace {

Byte word_length(const StudyCode& c) {
    return c.coding_type == kContinuous ? 14 : c.coding_type == kNoCoding ? 4 : 7;
}

// Wall time of the whole study on range(0) threads, and its cost per channel bit sent.
void BM_Study(benchmark::State& state) {
    const StudyPlan plan = four_code_study();
    const std::atomic<bool> never{false};
    double bits = 0;
    for (auto _ : state) {
        const std::vector<StudyCell> cells =
            run_study(plan, static_cast<int>(state.range(0)), never);
        bits = 0;
        for (const StudyCell& c : cells)
            bits += static_cast<double>(c.symbols) * word_length(plan.codes[c.code]);
    }
    per_item(state, "channel_bit", bits);
}
BENCHMARK(BM_Study)->ArgName("threads")->Arg(1)->Arg(2)->UseRealTime()->Unit(
    benchmark::kMillisecond);

// A study of range(0) one-symbol cells on one thread: what every cell costs beyond its own
// packet, which should not grow with the points.
void BM_StudyOverheadPerCell(benchmark::State& state) {
    StudyPlan s;
    s.varied = Varied::p;
    s.from = 0.001L;
    s.to = 0.1L;
    s.points = static_cast<int>(state.range(0));
    s.codes = {{"none", kNoCoding, 13, 3}};
    s.base.size = "1";
    s.stop.max_symbols = 1;
    s.seed1 = 1;
    s.seed2 = 2;
    const std::atomic<bool> never{false};
    for (auto _ : state) benchmark::DoNotOptimize(run_study(s, 1, never));
    per_item(state, "cell", static_cast<double>(s.points));
}
BENCHMARK(BM_StudyOverheadPerCell)
    ->ArgName("points")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// One accumulating continuous run of the cyclic code at p = 0.01, a thousand packets of 1000
// symbols: what a study's cell costs per channel bit when run on its own.
void BM_ContinuousRun(benchmark::State& state) {
    RunTexts texts;
    texts.p0 = texts.p1 = "0.01";
    const TextInputs in(texts);
    constexpr int kTicks = 1000;
    for (auto _ : state) {
        SimState st = started(kCyclic);
        RecordedOutputs out;
        RunControl control(st, in, out);
        control.start(RunMode::Continuous);
        for (int t = 0; t < kTicks; ++t) control.tick();
    }
    per_item(state, "channel_bit", 1000.0 * kTicks * 7);
}
BENCHMARK(BM_ContinuousRun)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavolin::bench
