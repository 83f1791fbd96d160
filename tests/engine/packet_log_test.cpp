// SPDX-License-Identifier: GPL-3.0-or-later
// The transmission log: the records of a packet agree with the packet's own counters and
// a posteriori counts, and keeping them changes nothing a run computes.
#include "engine/packet_log.h"

#include <gtest/gtest.h>

#include "core/number_text.h"
#include "engine/continuous_run.h"
#include "engine/packet_run.h"
#include "tests/engine/run_fixture.h"

namespace tavolin {
namespace {

using testing_support::activated_state;
using testing_support::FakeInputs;
using testing_support::RecordingOutputs;

struct LogCase {
    const char* name;
    Byte coding_type;
    int noise;
    const char *i0, *e0, *i1, *e1;
    bool on_code_words;
    int size;
};

FakeInputs inputs_of(const LogCase& c) {
    FakeInputs in;
    in.noise = c.noise;
    in.channel = {{{1, 1}, c.i0}, {{2, 1}, c.e0}, {{1, 2}, c.i1}, {{2, 2}, c.e1}};
    in.counting = c.on_code_words;
    in.size = std::to_string(c.size);
    return in;
}

SimState state_of(const LogCase& c) {
    SimState st = activated_state();
    st.coding_type = c.coding_type;
    return st;
}

// The (sent, class) pairs of the records, as rows of counts.
matrc pairs_of(const PacketLog& log) {
    const Byte n = log.alphabet_size();
    matrc pairs(n, vectc(n + 1u, 0));
    for (std::size_t i = 0; i < log.size(); ++i) {
        const WordRecord r = log.record(i);
        ++pairs[r.symbol][r.received_class];
    }
    return pairs;
}

class LoggedPacket : public testing::TestWithParam<LogCase> {};

TEST_P(LoggedPacket, RecordsAddUpToThePacketsCountersAndMatrix) {
    const LogCase& c = GetParam();
    SimState st = state_of(c);
    const FakeInputs in = inputs_of(c);
    PacketLog log;
    RecordingOutputs out;
    out.matrices = true;
    out.log = &log;
    doPocket(st, in, out);
    ASSERT_TRUE(out.refusals.empty() && out.errors.empty());

    ASSERT_EQ(log.size(), static_cast<std::size_t>(c.size));
    const auto counts = log.outcome_counts();
    const ErrorCounters& e = st.errors;
    EXPECT_EQ(counts[static_cast<int>(WordOutcome::Corrected)], e.ispr);
    EXPECT_EQ(counts[static_cast<int>(WordOutcome::Detected)], e.oshib - e.ispr);
    EXPECT_EQ(counts[static_cast<int>(WordOutcome::Undetected)], e.iskaj - e.oshib);
    EXPECT_EQ(counts[static_cast<int>(WordOutcome::Intact)], log.size() - e.iskaj);
    if (c.size > 100) {
        EXPECT_GT(e.iskaj, 0u);  // something to test
    }
    EXPECT_EQ(posterior_matrix(pairs_of(log)), out.mat2);

    for (std::size_t i = 0; i < log.size(); ++i) {
        const WordRecord r = log.record(i);
        ASSERT_EQ(r.position, i + 1);
        // Each record holds together: its code word is its symbol's, marks lie within the word.
        ASSERT_LT(r.received.stir, 1u << log.n0());
        ASSERT_EQ(r.code_word.stir, 0u);
        if (r.outcome == WordOutcome::Intact) {
            ASSERT_EQ(r.received.inv, r.code_word.inv);
        }
        ASSERT_FALSE(log.syndrome(i).empty());
    }
    EXPECT_EQ(out.calls.back(), "showWords");
}

TEST_P(LoggedPacket, KeepingTheWordsChangesNoResult) {
    const LogCase& c = GetParam();
    SimState with = state_of(c), without = state_of(c);
    const FakeInputs in = inputs_of(c);
    PacketLog log;
    RecordingOutputs kept, plain;
    kept.matrices = plain.matrices = true;
    kept.log = &log;
    for (int packet = 0; packet < 3; ++packet) {  // the buffers handed back are reused
        doPocket(with, in, kept);
        doPocket(without, in, plain);
        EXPECT_EQ(with.errors, without.errors);
        EXPECT_EQ(with.seed1, without.seed1);
        EXPECT_EQ(with.seed2, without.seed2);
        EXPECT_EQ(with.RandSeed, without.RandSeed);
        EXPECT_EQ(kept.values, plain.values);
        EXPECT_EQ(kept.mat2, plain.mat2);
        EXPECT_EQ(posterior_matrix(pairs_of(log)), plain.mat2);
    }
    std::erase(kept.calls, "showWords");
    EXPECT_EQ(kept.calls, plain.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, LoggedPacket,
    testing::Values(
        LogCase{"cyclic_inversion", kCyclic, 0, "0,02", "0", "0,05", "0", false, 5000},
        LogCase{"hamming_inversion", kHamming, 0, "0,03", "0", "0,03", "0", false, 5000},
        LogCase{"continuous_inversion", kContinuous, 0, "0,02", "0", "0,02", "0", false, 3000},
        LogCase{"none_inversion", kNoCoding, 0, "0,01", "0", "0,02", "0", false, 5000},
        LogCase{"cyclic_erasure", kCyclic, 1, "0,01", "0,05", "0,02", "0,05", false, 5000},
        LogCase{"hamming_erasure", kHamming, 1, "0,02", "0,1", "0,01", "0,05", false, 5000},
        LogCase{"none_erasure", kNoCoding, 1, "0,01", "0,05", "0,01", "0,05", false, 5000},
        LogCase{"hamming_on_code_words", kHamming, 0, "0,05", "0", "0,05", "0", true, 2000},
        LogCase{"cyclic_erasure_on_code_words", kCyclic, 1, "0,02", "0,05", "0,02", "0,05", true,
                2000},
        LogCase{"one_word", kHamming, 0, "0,5", "0", "0,5", "0", false, 1}),
    [](const testing::TestParamInfo<LogCase>& i) { return std::string(i.param.name); });

// A continuous run keeps each step's packet, not its history: the counts of the last step.
TEST(LoggedContinuousRun, HoldsTheLastStepsPacket) {
    SimState st = activated_state();
    st.coding_type = kHamming;
    FakeInputs in;
    in.noise = 1;
    in.channel = {{{1, 1}, "0,02"}, {{2, 1}, "0,05"}, {{1, 2}, "0,02"}, {{2, 2}, "0,05"}};
    in.size = "700";
    PacketLog log;
    RecordingOutputs out;
    out.log = &log;
    ASSERT_TRUE(start_nepr(st, in, out));
    ErrorCounters before;
    for (int tick = 0; tick < 4; ++tick) {
        before = st.errors;
        step_nepr(st, in, out);
    }
    ASSERT_EQ(log.size(), 700u);
    const auto counts = log.outcome_counts();
    EXPECT_EQ(counts[static_cast<int>(WordOutcome::Corrected)], st.errors.ispr - before.ispr);
    EXPECT_EQ(counts[static_cast<int>(WordOutcome::Undetected)],
              (st.errors.iskaj - st.errors.oshib) - (before.iskaj - before.oshib));
    EXPECT_EQ(counts[static_cast<int>(WordOutcome::Intact)],
              700 - (st.errors.iskaj - before.iskaj));
    EXPECT_EQ(std::count(out.calls.begin(), out.calls.end(), "showWords"), 4);
}

TEST(WordBits, MostSignificantFirstWithErasedBitsAsQuestionMarks) {
    EXPECT_EQ(word_bits({0b1011, 0}, 4), "1011");
    EXPECT_EQ(word_bits({0b1001, 0b0100}, 4), "1?01");
    EXPECT_EQ(word_bits({0b0000001, 0b1000000}, 7), "?000001");
    EXPECT_EQ(word_bits({0, 0xFFFF}, 16), std::string(16, '?'));
}

}  // namespace
}  // namespace tavolin
