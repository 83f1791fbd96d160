// SPDX-License-Identifier: GPL-3.0-or-later
// Exact values: a whole study's at once, and the single configurations whose tables are the
// largest. Every iteration starts with no table kept, so the figures include building them.
#include "bench_support.h"
#include "engine/exact.h"
#include "engine/study_codes.h"

namespace tavolin::bench {
namespace {

// The exact values of every cell of the four-code study of BM_Study on one thread.
void BM_ExactStudy(benchmark::State& state) {
    const StudyPlan plan = four_code_study();
    const std::vector<Extended> values = point_values(plan);
    for (auto _ : state) {
        OutcomeTables tables(1);
        for (const Extended v : values)
            for (const StudyCode& c : plan.codes)
                benchmark::DoNotOptimize(exact_values(cell_texts(plan, v), c, tables));
    }
    per_item(state, "cell", static_cast<double>(values.size() * plan.codes.size()));
}
BENCHMARK(BM_ExactStudy)->UseRealTime()->Unit(benchmark::kMillisecond);

RunTexts channel(bool erasure) {
    RunTexts t;
    t.erasure = erasure;
    t.p0 = "0.01";
    t.p1 = "0.02";
    if (erasure) {
        t.e0 = "0.05";
        t.e1 = "0.1";
    }
    return t;
}

// One configuration from nothing kept, its table built on range(0) threads.
void BM_ExactConfiguration(benchmark::State& state, const char* code, bool erasure) {
    const StudyCode c = *read_study_code(code).code;
    const RunTexts texts = channel(erasure);
    for (auto _ : state) {
        OutcomeTables tables(static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(exact_values(texts, c, tables));
    }
}
// A degree-12 cyclic code: 16-bit words, 3^16 received words on the erasure channel.
BENCHMARK_CAPTURE(BM_ExactConfiguration, cyclic_degree_12_erasure, "cyclic:1000001010011", true)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExactConfiguration, cyclic_degree_12_inversion, "cyclic:1000001010011", false)
    ->ArgName("threads")
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
// The continuous code's longest words, 16 bits at frame 4 (it takes no erasure channel).
BENCHMARK_CAPTURE(BM_ExactConfiguration, continuous_4, "continuous:4", false)
    ->ArgName("threads")
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// What a study cell adds once its code's table is kept: reading the inputs, the sums over the
// table, the matrices' measures and the capacity.
void BM_ExactCellKept(benchmark::State& state, const char* code, bool erasure) {
    const StudyCode c = *read_study_code(code).code;
    const RunTexts texts = channel(erasure);
    OutcomeTables tables;
    exact_values(texts, c, tables);
    for (auto _ : state) benchmark::DoNotOptimize(exact_values(texts, c, tables));
}
BENCHMARK_CAPTURE(BM_ExactCellKept, hamming_inversion, "hamming", false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ExactCellKept, cyclic_degree_12_erasure, "cyclic:1000001010011", true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavolin::bench
