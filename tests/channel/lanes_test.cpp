// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "../lane_paths.h"
#include "bit_channels.h"
#include "channel/lanes/kernels.h"
#include "channel/noise.h"
#include "channel/source.h"
#include "engine/code_settings.h"
#include "engine/recorded_outputs.h"
#include "engine/run_control.h"
#include "engine/text_inputs.h"

namespace tavolin {
namespace {

using testing_support::erasure;
using testing_support::inversion;
using testing_support::lane_paths;
using testing_support::under;
using testing_support::wide_paths;

struct NoiseResult {
    vectenc out;
    bool erased;
    Integer seed2, rand_seed;
    bool operator==(const NoiseResult&) const = default;
};

// The output has three words more than the input, marked: nothing may be written past the
// packet.
NoiseResult noise_of(const vectenc& words, const matr& isk, Byte n0) {
    SimState st;
    st.n0 = n0;
    st.seed2 = -987654321;
    NoiseResult r{vectenc(words.size() + 3, enc_sym{0xABCD, 0x1234}), false, 0, 0};
    r.erased = noise(st, words, r.out, isk);
    r.seed2 = st.seed2;
    r.rand_seed = st.RandSeed;
    return r;
}

struct RowsCase {
    const char* name;
    matr isk;
};

// Both channels, rows whose thresholds sit at zero or at the top of the draws, and rows whose
// running totals fall back or start below zero (which stay on the scalar walk).
const RowsCase kRows[] = {
    {"inversion", inversion(0.1L, 0.2L)},
    {"inversion_none", inversion(0, 0)},
    {"inversion_all", inversion(1, 1)},
    {"inversion_half", inversion(0.5L, 0.5L)},
    {"erasure", erasure(0.02L, 0.1L, 0.03L, 0.15L)},
    {"erasure_only", erasure(0, 0.5L, 0, 0.25L)},
    {"erasure_everything", erasure(0, 1, 0, 1)},
    {"rows_short_of_one", {{0.5L, 0.2L, 0.1L}, {0.1L, 0.6L, 0.1L}}},
    {"inversion_rows_short_of_one", {{0.7L, 0.1L}, {0.2L, 0.5L}}},
    {"negative_running_total", {{-0.043L, 0.086L, 0.957L}, {0.2L, 0.7L, 0.1L}}},
    {"falling_running_total", {{0.7L, -0.2L, 0.5L}, {0.1L, 0.9L, 0}}},
};

TEST(LaneNoise, EveryPathSendsTheSameBitsAsTheScalarWalk) {
    std::mt19937 rng(16);
    for (std::size_t size : {0u, 1u, 5u, 17u, 1003u}) {
        vectenc words(size);
        for (const RowsCase& rows : kRows)
            for (Byte n0 = 1; n0 <= 16; ++n0) {
                for (enc_sym& w : words) w.inv = static_cast<Word>(rng() & ((1u << n0) - 1));
                const NoiseResult scalar =
                    under(Lanes::scalar, [&] { return noise_of(words, rows.isk, n0); });
                ASSERT_EQ(scalar.out.back(), (enc_sym{0xABCD, 0x1234}));
                for (Lanes l : wide_paths())
                    ASSERT_EQ(under(l, [&] { return noise_of(words, rows.isk, n0); }), scalar)
                        << lanes_name(l) << ' ' << rows.name << " n0 " << int{n0} << " size "
                        << size;
            }
    }
}

struct DrawResult {
    vectb symbols;
    vectc counts;
    Integer seed1, rand_seed;
    bool operator==(const DrawResult&) const = default;
};

DrawResult draw_of(const vect& probs, std::size_t size) {
    SimState st;
    st.seed1 = 20261210;
    DrawResult r{vectb(size), vectc(probs.size(), 0), 0, 0};
    draw_message(st, probs, r.symbols, r.counts);
    r.seed1 = st.seed1;
    r.rand_seed = st.RandSeed;
    return r;
}

TEST(LaneDraw, EveryPathDrawsTheSameSymbolsAsTheScalarWalk) {
    vect skewed = {0.5L, 0.2L, 0.1L, 0.05L, 0.05L, 0.04L, 0.03L, 0.02L, 0.01L};
    vect zeros_inside(16, 0.1L);
    zeros_inside[3] = zeros_inside[7] = zeros_inside[8] = zeros_inside[15] = 0;
    zeros_inside[0] = 0;           // a threshold at zero: the zero draw goes to the first symbol
    vect short_of_one(12, 0.08L);  // the largest draws pass every threshold: the last symbol
    vect negative = {0.3L, -0.1L, 0.3L, 0.1L, 0.1L, 0.1L, 0.1L, 0.05L, 0.05L, 0.1L};
    vect starts_below = {-0.05L, 0.25L, 0.1L, 0.1L, 0.1L, 0.1L, 0.1L, 0.1L, 0.2L};
    for (const vect& probs : {vect(16, 0.0625L), vect(9, 1.0L / 9), skewed, zeros_inside,
                              short_of_one, negative, starts_below})
        for (std::size_t size : {0u, 1u, 3u, 15u, 16u, 17u, 63u, 65u, 1000u, 50000u}) {
            const DrawResult scalar = under(Lanes::scalar, [&] { return draw_of(probs, size); });
            for (Lanes l : wide_paths())
                ASSERT_EQ(under(l, [&] { return draw_of(probs, size); }), scalar)
                    << lanes_name(l) << ' ' << probs.size() << " symbols, " << size;
        }
}

// A whole run: the counters, the labels, both matrices and the streams after it.
struct RunResult {
    ErrorCounters errors;
    std::map<ValueLabel, Extended> values;
    matr mat1, mat2;
    Integer seed1, seed2, rand_seed;
    bool operator==(const RunResult&) const = default;
};

struct RunCase {
    const char* name;
    Byte coding_type;
    Word polynomial = 0;  // 0: the code's own
    Word frame = 0;
    RunTexts texts;
};

RunResult run_of(const RunCase& c, RunMode mode, int ticks) {
    SimState st;
    init_code_parameters(st);
    st.coding_type = c.coding_type;
    if (c.polynomial) st.Polinom_default = c.polynomial;
    if (c.frame) st.L_default = c.frame;
    st.seed1 = 5;
    st.seed2 = -6;
    const TextInputs in(c.texts);
    RecordedOutputs out;
    RunControl control(st, in, out);
    const bool running = control.start(mode);
    for (int t = 0; running && t < ticks; ++t) control.tick();
    return {st.errors, out.values, out.mat1, out.mat2, st.seed1, st.seed2, st.RandSeed};
}

RunTexts texts_of(const char* size, bool erasure = false, const char* e = "0") {
    RunTexts t;
    t.size = size;
    t.erasure = erasure;
    t.e0 = t.e1 = e;
    return t;
}

// Nine symbols: decoded words from 9 to 15 all fall in the class of other words.
RunTexts nine_symbols(const char* size) {
    RunTexts t = texts_of(size);
    t.probs = std::vector<std::string>(7, "0.125");
    t.probs.insert(t.probs.end(), {"0.0625", "0.0625"});
    return t;
}

// An erasure channel that inverts nothing.
RunTexts only_erasures(const char* size, const char* e) {
    RunTexts t = texts_of(size, true, e);
    t.p0 = t.p1 = "0";
    return t;
}

RunTexts counting_codewords(const char* size) {
    RunTexts t = texts_of(size);
    t.count_codewords = true;
    return t;
}

// Every code on both channels; packets large enough for the received-word tables of 16-bit
// codes and small enough to go without; an erasure channel that erases nothing; short last
// blocks of every width.
const RunCase kRunCases[] = {
    {"cyclic", kCyclic, 0, 0, texts_of("777")},
    {"hamming", kHamming, 0, 0, texts_of("777")},
    {"continuous", kContinuous, 0, 0, texts_of("777")},
    {"none", kNoCoding, 0, 0, texts_of("777")},
    {"cyclic_erasures", kCyclic, 0, 0, texts_of("500", true, "0.1")},
    {"hamming_erasures", kHamming, 0, 0, texts_of("500", true, "0.1")},
    {"none_erasures", kNoCoding, 0, 0, texts_of("500", true, "0.1")},
    {"hamming_erasure_channel_erasing_nothing", kHamming, 0, 0, texts_of("501", true, "0")},
    {"cyclic_erasures_tabled", kCyclic, 0, 0, texts_of("50000", true, "0.05")},
    {"hamming_erasures_tabled", kHamming, 0, 0, texts_of("50000", true, "0.05")},
    {"none_erasures_tabled", kNoCoding, 0, 0, texts_of("50000", true, "0.05")},
    {"cyclic_16_bits_erasures_tabled", kCyclic, 0b1000001010011, 0,
     texts_of("32771", true, "0.02")},
    {"cyclic_5_bits_only_erasures", kCyclic, 0b11, 0, only_erasures("1001", "0.3")},
    {"hamming_only_erasures", kHamming, 0, 0, only_erasures("999", "0.5")},
    {"cyclic_16_bits_tabled", kCyclic, 0b1000001010011, 0, texts_of("32771")},
    {"cyclic_16_bits_untabled", kCyclic, 0b1000001010011, 0, texts_of("1000")},
    {"continuous_16_bits_tabled", kContinuous, 0, 4, texts_of("32769")},
    {"cyclic_nine_symbols", kCyclic, 0, 0, nine_symbols("1003")},
    {"cyclic_5_bits", kCyclic, 0b11, 0, texts_of("1001")},
    {"cyclic_6_bits", kCyclic, 0b111, 0, texts_of("1001")},
    {"cyclic_one_word", kCyclic, 0, 0, texts_of("1")},
    {"continuous_one_word", kContinuous, 0, 4, texts_of("1")},
    {"cyclic_counting_codewords", kCyclic, 0, 0, counting_codewords("1001")},
};

TEST(LaneRuns, PacketAndContinuousRunsAreTheSameOnEveryPath) {
    for (const RunCase& c : kRunCases)
        for (RunMode mode : {RunMode::Packet, RunMode::Continuous}) {
            const RunResult scalar = under(Lanes::scalar, [&] { return run_of(c, mode, 3); });
            EXPECT_NE(scalar.seed2, -6) << c.name;  // the run was made
            if (c.texts.size != "1") {
                EXPECT_GT(scalar.errors.iskaj, 0u) << c.name;
            }
            for (Lanes l : wide_paths())
                EXPECT_EQ(under(l, [&] { return run_of(c, mode, 3); }), scalar)
                    << lanes_name(l) << ' ' << c.name
                    << (mode == RunMode::Packet ? " packet" : " continuous");
        }
}

// The packet buffers are kept from run to run on a thread: a run after one that left erasure
// marks, undecoded words and a longer packet behind gives what it gives on a fresh thread.
TEST(LaneRuns, ARunLeavesNothingBehindForTheNext) {
    const RunCase before = {"", kCyclic, 0, 0, texts_of("2000", true, "0.3")};
    for (const RunCase& c : kRunCases)
        for (Lanes l : lane_paths()) {
            RunResult fresh, after;
            std::thread([&] {
                fresh = under(l, [&] { return run_of(c, RunMode::Packet, 0); });
            }).join();
            std::thread([&] {
                under(l, [&] { return run_of(before, RunMode::Packet, 0); });
                after = under(l, [&] { return run_of(c, RunMode::Packet, 0); });
            }).join();
            EXPECT_EQ(after, fresh) << lanes_name(l) << ' ' << c.name;
        }
}

// No wide path leaves a pass to the scalar code unseen: each has a kernel for every pass, and
// the scalar path none, so that it stays the reference.
TEST(LaneKernels, EveryWidePathHasAKernelForEveryPass) {
    const LaneKernels& scalar = kernels_of(Lanes::scalar);
    EXPECT_FALSE(scalar.noise || scalar.draw || scalar.encode || scalar.tally ||
                 scalar.tally_marked);
    for (Lanes l : wide_paths()) {
        const LaneKernels& k = kernels_of(l);
        EXPECT_EQ(k.lanes, l);
        EXPECT_TRUE(k.noise && k.draw && k.encode && k.tally && k.tally_marked) << lanes_name(l);
    }
    EXPECT_EQ(under(Lanes::scalar, [] { return &lane_kernels(); }), &scalar);
}

bool up_to_sse2(Lanes l) {
    return l <= Lanes::sse2;
}

TEST(Lanes, ARequiredPathTheProcessorLacksIsNamed) {
    using testing_support::lanes_missing;
    EXPECT_FALSE(lanes_missing("", up_to_sse2));
    EXPECT_FALSE(lanes_missing("sse2", up_to_sse2));
    EXPECT_FALSE(lanes_missing("scalar", up_to_sse2));
    EXPECT_EQ(lanes_missing("avx2", up_to_sse2),
              "TAVOLIN_REQUIRE_LANES=avx2: this processor cannot run avx2");
    EXPECT_EQ(lanes_missing("avx512", up_to_sse2),
              "TAVOLIN_REQUIRE_LANES=avx512: this processor cannot run avx2, avx512");
    EXPECT_EQ(lanes_missing("avx", up_to_sse2),
              "TAVOLIN_REQUIRE_LANES=avx: not one of scalar, sse2, avx2, avx512");
}

TEST(Lanes, TheEnvironmentChoosesOnlyAPathThisProcessorRuns) {
    const Lanes before = active_lanes();
    ::setenv("TAVOLIN_LANES", "scalar", 1);
    EXPECT_FALSE(use_lanes_from_environment());
    EXPECT_EQ(active_lanes(), Lanes::scalar);
    ::setenv("TAVOLIN_LANES", "avx1024", 1);
    const std::optional<std::string> refused = use_lanes_from_environment();
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find("avx1024"), std::string::npos);
    EXPECT_EQ(active_lanes(), Lanes::scalar);
    for (Lanes l : kAllLanes) {
        ::setenv("TAVOLIN_LANES", lanes_name(l), 1);
        EXPECT_EQ(use_lanes_from_environment().has_value(), !lanes_supported(l)) << lanes_name(l);
    }
    ::unsetenv("TAVOLIN_LANES");
    EXPECT_FALSE(use_lanes_from_environment());
    use_lanes(before);
}

}  // namespace
}  // namespace tavolin
