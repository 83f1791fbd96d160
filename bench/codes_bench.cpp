// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_support.h"
#include "codes/code.h"
#include "codes/received_table.h"

namespace tavolin::bench {
namespace {

// Encode and decode of a 50000-word packet, with a received word of noise in every third.
void BM_EncodeDecode(benchmark::State& state) {
    SimState st = started(static_cast<Byte>(state.range(0)));
    if (state.range(1) != 0) st.Polinom_default = static_cast<Word>(state.range(1));
    if (st.coding_type == kContinuous) st.L_default = 4;
    const auto code = make_code(st);
    vectb symbols(kPacket);
    for (int i = 0; i < kPacket; ++i) symbols[i] = static_cast<Byte>((i * 7) & 15);
    vectenc coded(kPacket), decoded(kPacket);
    Integer seed = 3;
    for (auto _ : state) {
        code->encode(symbols, coded);
        for (int i = 0; i < kPacket; i += 3)
            coded[i].inv ^= static_cast<Word>(1u << (i % code->n0()));
        code->decode(coded, decoded, seed);
        benchmark::DoNotOptimize(decoded.data());
    }
    per_item(state, "word", kPacket);
}
BENCHMARK(BM_EncodeDecode)
    ->ArgNames({"type", "poly"})
    ->Args({kCyclic, 0b1101})
    ->Args({kCyclic, 0b1000001010011})
    ->Args({kHamming, 0})
    ->Args({kContinuous, 0})
    ->Args({kNoCoding, 0});

// Building the table of every received word: what a packet must outweigh before the table pays.
void BM_ReceivedTable(benchmark::State& state) {
    SimState st = started(static_cast<Byte>(state.range(0)));
    if (state.range(1) != 0) st.Polinom_default = static_cast<Word>(state.range(1));
    if (st.coding_type == kContinuous) st.L_default = 4;
    const auto code = make_code(st);
    for (auto _ : state) benchmark::DoNotOptimize(ReceivedTable(*code));
    per_item(state, "entry", static_cast<double>(1u << code->n0()));
}
BENCHMARK(BM_ReceivedTable)
    ->ArgNames({"type", "poly"})
    ->Args({kCyclic, 0b1101})
    ->Args({kCyclic, 0b1000001010011})
    ->Args({kHamming, 0})
    ->Args({kContinuous, 0})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavolin::bench
