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

// Three codes over 3e7 symbols: ten points of range(0)'s channel from 0.01 to 0.02 (the erasure
// probability of both rows on the erasure channel, the inversion probability of both rows on the
// inversion channel), cyclic, Hamming and no coding, each cell stopped at 10^6 symbols; on one
// thread, on the lanes range(1).
void BM_ThreeCodeStudy(benchmark::State& state) {
    if (!use_lanes_of(state, 1)) return;
    const bool erasure = state.range(0) != 0;
    StudyPlan s;
    s.base.erasure = erasure;
    s.base.size = "50000";
    s.varied = erasure ? Varied::e : Varied::p;
    s.from = 0.01L;
    s.to = 0.02L;
    s.points = 10;
    s.codes = {
        {"cyclic:1101", kCyclic, 13, 3}, {"hamming", kHamming, 13, 3}, {"none", kNoCoding, 13, 3}};
    s.stop.min_distorted = ~Count{0};
    s.stop.max_symbols = 1'000'000;
    s.seed1 = 20261210;
    s.seed2 = -123456789;
    const std::atomic<bool> never{false};
    double symbols = 0;
    for (auto _ : state) {
        symbols = 0;
        for (const StudyCell& c : run_study(s, 1, never)) symbols += static_cast<double>(c.symbols);
    }
    per_item(state, "symbol", symbols);
}
BENCHMARK(BM_ThreeCodeStudy)
    ->ArgNames({"erasure", "lanes"})
    ->ArgsProduct({{0, 1}, {0, kBestLanes}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

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
