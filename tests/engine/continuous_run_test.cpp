// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/continuous_run.h"

#include <gtest/gtest.h>

#include "../extended_near.h"
#include "core/sums.h"
#include "engine/packet_run.h"
#include "run_fixture.h"

namespace tavolin {
namespace {

using testing_support::activated_state;
using testing_support::FakeInputs;
using testing_support::RecordingOutputs;

void expect_no_accumulators(const SimState& st) {
    EXPECT_TRUE(st.totals.alph_ver_main.empty());
    EXPECT_TRUE(st.totals.isk_main.empty());
    EXPECT_TRUE(st.totals.k_m_main.empty());
    EXPECT_TRUE(st.totals.sym_povt.empty());
    EXPECT_TRUE(st.totals.k_m_k_s.empty());
}

TEST(ContinuousRun, StartSetsUpWithoutDrawing) {
    SimState st = activated_state();
    st.errors = {5, 4, 3};
    st.n0 = 0;
    FakeInputs in;
    RecordingOutputs out;
    out.matrices = true;
    ASSERT_TRUE(start_nepr(st, in, out));
    EXPECT_EQ(st.totals.pocket_size, 1000);
    EXPECT_EQ(st.totals.sym_povt, vectc(16, 0));
    EXPECT_EQ(st.totals.k_m_k_s, matrc(16, vectc(17, 0)));
    EXPECT_EQ(st.n0, 7);
    EXPECT_EQ(st.errors, ErrorCounters{});
    EXPECT_EQ(out.calls, std::vector<std::string>{"setMat1"});
    EXPECT_EQ(st.seed1, activated_state().seed1);
}

struct StartRefusal {
    const char* name;
    std::vector<std::string> probs;
    int noise;
    Refusal refusal;
};

class ContinuousStartRefusal : public testing::TestWithParam<StartRefusal> {};

TEST_P(ContinuousStartRefusal, RefusesAndLeavesNothingAllocated) {
    SimState st = activated_state();
    FakeInputs in;
    in.probs = GetParam().probs;
    in.noise = GetParam().noise;
    RecordingOutputs out;
    EXPECT_FALSE(start_nepr(st, in, out));
    EXPECT_EQ(out.refusals, std::vector<Refusal>{GetParam().refusal});
    EXPECT_FALSE(out.symbols_sent);
    expect_no_accumulators(st);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContinuousStartRefusal,
    testing::Values(
        StartRefusal{"short", {"0,5", "0,5"}, 0, Refusal::AlphabetTooShort},
        StartRefusal{"sum",
                     {"0,22", "0,18", "0,11", "0,24", "0,01", "0,03", "0,04", "0,08", "0,09"},
                     0,
                     Refusal::SumNotOneContinuous},
        StartRefusal{"noise", std::vector<std::string>(16, "0,0625"), -1, Refusal::UnknownNoise}),
    [](const testing::TestParamInfo<StartRefusal>& i) { return std::string(i.param.name); });

TEST(ContinuousRun, FailedConversionAtStartFreesTheAccumulators) {
    SimState st = activated_state();
    FakeInputs in;
    in.channel[{1, 1}] = "";
    RecordingOutputs out;
    EXPECT_FALSE(start_nepr(st, in, out));
    EXPECT_EQ(out.errors.size(), 1u);
    expect_no_accumulators(st);
}

TEST(ContinuousRun, ThreeStepsAccumulateEverythingSinceTheStart) {
    SimState st = activated_state();
    FakeInputs in;
    RecordingOutputs out;
    out.matrices = true;
    ASSERT_TRUE(start_nepr(st, in, out));
    ErrorCounters per_step_total;
    for (int tick = 1; tick <= 3; ++tick) {
        const ErrorCounters before = st.errors;
        step_nepr(st, in, out);
        EXPECT_EQ(out.symbols_sent, 1000 * tick);
        EXPECT_GE(st.errors.iskaj, before.iskaj);
    }
    EXPECT_EQ(Summa(st.totals.sym_povt), 3000.0L);
    for (std::size_t i = 0; i < 16; ++i) {
        Count row = 0;
        for (Count c : st.totals.k_m_k_s[i]) row += c;
        EXPECT_EQ(row, st.totals.sym_povt[i]);  // every symbol drawn is counted once
        for (std::size_t j = 0; j <= 16; ++j)
            EXPECT_EQ(out.mat2[i][j],
                      static_cast<Extended>(st.totals.k_m_k_s[i][j]) / st.totals.sym_povt[i]);
    }
    EXPECT_EQ(out.mat1, st.totals.k_m_main);  // both matrices at every step
    EXPECT_EQ(out.values.at(ValueLabel::Label14),
              static_cast<Extended>(st.errors.oshib) / st.errors.iskaj);

    stop_nepr(st);
    EXPECT_EQ(st.errors, ErrorCounters{});
    expect_no_accumulators(st);
}

TEST(ContinuousRun, StartAfterAPacketRunDoesNotCarryItsCounts) {
    SimState st = activated_state();
    FakeInputs in;
    RecordingOutputs out;
    doPocket(st, in, out);
    ASSERT_GT(st.errors.iskaj, 0u);
    ASSERT_TRUE(start_nepr(st, in, out));
    EXPECT_EQ(st.errors, ErrorCounters{});
}

TEST(ContinuousRun, StepReadsTheBitTimeEachTimeButNothingElse) {
    SimState st = activated_state();
    FakeInputs in;
    RecordingOutputs out;
    ASSERT_TRUE(start_nepr(st, in, out));
    in.size = "5";            // read once, at the start
    in.probs.assign(3, "x");  // no longer checked
    in.bit_time = "0,001";
    step_nepr(st, in, out);
    EXPECT_EQ(out.symbols_sent, 1000);
    EXPECT_TRUE(out.refusals.empty());
    EXPECT_EXTENDED_NEAR(*out.bars.at(Chart::Chart2).first,
                         *out.bars.at(Chart::Chart1).first / 0.001 / 7, 1e-9);
}

TEST(ContinuousRun, RareSymbolKeepsAZeroRowUntilDrawn) {
    SimState st = activated_state();
    FakeInputs in;
    in.probs = {"0,999992", "0,000001", "0,000001", "0,000001", "0,000001",
                "0,000001", "0,000001", "0,000001", "0,000001"};
    in.size = "10";
    RecordingOutputs out;
    out.matrices = true;
    ASSERT_TRUE(start_nepr(st, in, out));
    step_nepr(st, in, out);
    int undrawn = 0;
    for (std::size_t i = 0; i < 9; ++i) {
        if (st.totals.sym_povt[i] != 0) continue;
        ++undrawn;
        EXPECT_EQ(Sum(out.mat2[i]), 0.0L);
    }
    EXPECT_GT(undrawn, 0);
}

}  // namespace
}  // namespace tavolin
