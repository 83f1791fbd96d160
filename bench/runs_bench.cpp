// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_support.h"
#include "channel/noise.h"
#include "channel/source.h"
#include "codes/code.h"
#include "core/random.h"
#include "engine/packet_log.h"
#include "engine/packet_run.h"

namespace tavolin::bench {
namespace {

// The run's inputs with 50000 symbols and the window's defaults otherwise.
struct BenchInputs final : RunInputs {
    bool erasure = false;
    std::string erasure_probability = "0";  // the window's default erasure cells
    std::string size = std::to_string(kPacket);
    std::string packet_size_text() const override { return size; }
    std::string probability_text(int) const override { return "0.0625"; }
    int noise_type() const override { return erasure ? 1 : 0; }
    std::string channel_text(int col, int row) const override {
        if (col == 2) return erasure_probability;
        return row == 1 ? "0.1" : "0.2";
    }
    bool model_switch() const override { return true; }
    bool counting_switch() const override { return false; }
    std::string bit_time_text() const override { return "0.0002"; }
    char decimal_separator() const override { return '.'; }
};

struct NullOutputs final : RunOutputs {
    void show_symbols_sent(std::int64_t) override {}
    void show_value(ValueLabel, Extended) override {}
    void show_bars(Chart, std::optional<double>, std::optional<double>) override {}
    bool wants_matrices() const override { return true; }  // as with the matrix window open
    void set_mat1(const matr&) override {}
    void set_mat2(const matr&) override {}
    void show_matrix() override {}
    PacketLog* log = nullptr;  // set: as with the transmission log open
    PacketLog* packet_log() override { return log; }
    void refuse(Refusal) override {}
    void report_error(const std::string&) override {}
};

Byte word_length(Byte coding_type) {
    switch (coding_type) {
        case kContinuous:
            return 16;
        case kNoCoding:
            return 4;
        default:
            return 7;
    }
}

// A whole packet run: state.range(0) the code; state.range(1) the channel: 0 inversion, 1 erasure
// with the default cells (no erasures), 2 and 3 erasure with 0.1 and 0.05 erasure probability on
// both rows, the inversion cells as on the inversion channel; state.range(2) the lanes;
// state.range(3) the symbols of the packet; state.range(4) 1 with the packet's words kept for
// the transmission log. A packet of one symbol shows what every packet costs whatever its size:
// its inputs, matrices and measures.
void BM_PacketRun(benchmark::State& state) {
    if (!use_lanes_of(state, 2)) return;
    SimState st = started(static_cast<Byte>(state.range(0)));
    st.L_default = 4;
    BenchInputs in;
    in.erasure = state.range(1) != 0;
    if (state.range(1) == 2) in.erasure_probability = "0.1";
    if (state.range(1) == 3) in.erasure_probability = "0.05";
    const auto symbols = static_cast<double>(state.range(3));
    in.size = std::to_string(state.range(3));
    NullOutputs out;
    PacketLog log;
    if (state.range(4) != 0) out.log = &log;
    for (auto _ : state) doPocket(st, in, out);
    per_item(state, "symbol", symbols);
    per_item(state, "channel_bit", symbols * word_length(st.coding_type));
}
BENCHMARK(BM_PacketRun)
    ->ArgNames({"type", "channel", "lanes", "symbols", "log"})
    ->ArgsProduct({{kCyclic, kHamming, kContinuous, kNoCoding}, {0}, {0, 1, 2, 3}, {kPacket}, {0}})
    ->ArgsProduct({{kCyclic, kHamming, kNoCoding}, {1, 2}, {0, 3}, {kPacket}, {0}})
    ->ArgsProduct({{kCyclic, kHamming, kContinuous, kNoCoding}, {0}, {3}, {1}, {0}})
    // The transmission log kept, against the same runs without it.
    ->ArgsProduct({{kCyclic, kHamming, kContinuous, kNoCoding}, {0}, {3}, {kPacket}, {1}})
    ->ArgsProduct({{kCyclic, kHamming, kNoCoding}, {2}, {3}, {kPacket}, {1}})
    ->Unit(benchmark::kMicrosecond);

// Each code on the inversion channel and, next to it, on the erasure channel with 0.05 erasure
// probability on both rows, on the widest lanes: what the erasures cost per channel bit.
BENCHMARK(BM_PacketRun)
    ->Name("BM_ErasureBesideInversion")
    ->ArgNames({"type", "channel", "lanes", "symbols", "log"})
    ->ArgsProduct({{kCyclic, kHamming, kNoCoding}, {0, 3}, {kBestLanes}, {kPacket}, {0}})
    ->Unit(benchmark::kMicrosecond);

// The draws alone of such a run on its lanes: the message draw and the channel's bit draws of
// the packet's code words, with nothing decoded or counted. A whole run is measured against it.
void BM_RunDraws(benchmark::State& state) {
    if (!use_lanes_of(state, 1)) return;
    SimState st = started(static_cast<Byte>(state.range(0)));
    st.L_default = 4;
    const auto code = make_code(st);
    st.n0 = code->n0();
    const vect probs(16, 0.0625L);
    const matr isk = {{0.9L, 0.1L}, {0.2L, 0.8L}};
    vectb message(kPacket);
    vectc counts(16, 0);
    vectenc coded(kPacket), received(kPacket);
    draw_message(st, probs, message, counts);
    code->encode(message, coded);
    for (auto _ : state) {
        draw_message(st, probs, message, counts);
        noise(st, coded, received, isk);
        benchmark::DoNotOptimize(received.data());
    }
    per_item(state, "symbol", kPacket);
}
BENCHMARK(BM_RunDraws)
    ->ArgNames({"type", "lanes"})
    ->ArgsProduct({{kCyclic, kHamming, kContinuous, kNoCoding}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMicrosecond);

// The draws such a run needs, one Random at a time: one per symbol and one per bit sent.
void BM_BareDraws(benchmark::State& state) {
    const int draws = kPacket * (1 + word_length(static_cast<Byte>(state.range(0))));
    Integer seed = 1;
    for (auto _ : state) {
        Extended sum = 0;
        for (int i = 0; i < draws; ++i) sum += Random(seed);
        benchmark::DoNotOptimize(sum);
    }
    per_item(state, "symbol", kPacket);
}
BENCHMARK(BM_BareDraws)
    ->ArgName("type")
    ->Arg(kCyclic)
    ->Arg(kContinuous)
    ->Arg(kNoCoding)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavolin::bench
