// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_support.h"
#include "channel/noise.h"
#include "channel/source.h"
#include "core/random.h"

namespace tavolin::bench {
namespace {

// The floor: one Random per bit of a packet of 7-bit words.
void BM_BareGenerator(benchmark::State& state) {
    Integer seed = 1;
    for (auto _ : state) {
        Extended sum = 0;
        for (int i = 0; i < kPacket * 7; ++i) sum += Random(seed);
        benchmark::DoNotOptimize(sum);
    }
    per_item(state, "bit", kPacket * 7.0);
}
BENCHMARK(BM_BareGenerator);

// Noise of a packet of 7-bit words on range(1)'s lanes.
void BM_Noise(benchmark::State& state) {
    if (!use_lanes_of(state, 1)) return;
    SimState st = started(kCyclic);
    st.n0 = 7;
    const bool erasure = state.range(0) != 0;
    const matr isk = erasure ? matr{{0.88L, 0.02L, 0.1L}, {0.03L, 0.82L, 0.15L}}
                             : matr{{0.9L, 0.1L}, {0.2L, 0.8L}};
    vectenc in(kPacket), out(kPacket);
    for (int i = 0; i < kPacket; ++i) in[i].inv = static_cast<Word>((i * 37) & 127);
    for (auto _ : state) {
        noise(st, in, out, isk);
        benchmark::DoNotOptimize(out.data());
    }
    per_item(state, "bit", kPacket * 7.0);
}
BENCHMARK(BM_Noise)->ArgNames({"erasure", "lanes"})->ArgsProduct({{0, 1}, {0, 1, 2, 3}});

// The message draw of a packet from 16 equal symbols on range(0)'s lanes.
void BM_Draw(benchmark::State& state) {
    if (!use_lanes_of(state, 0)) return;
    SimState st = started(kCyclic);
    const vect probs(16, 0.0625L);
    vectb message(kPacket);
    vectc counts(16, 0);
    for (auto _ : state) {
        draw_message(st, probs, message, counts);
        benchmark::DoNotOptimize(message.data());
    }
    per_item(state, "symbol", kPacket);
}
BENCHMARK(BM_Draw)->ArgName("lanes")->DenseRange(0, 3);

}  // namespace
}  // namespace tavolin::bench
