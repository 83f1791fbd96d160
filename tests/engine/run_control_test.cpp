// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run_control.h"

#include <gtest/gtest.h>

#include "run_fixture.h"

namespace tavolin {
namespace {

using testing_support::activated_state;
using testing_support::FakeInputs;
using testing_support::RecordingOutputs;

TEST(RunControl, APacketRunIsMadeAtStartAndNothingKeepsRunning) {
    SimState st = activated_state();
    FakeInputs in;
    RecordingOutputs out;
    RunControl control(st, in, out);
    EXPECT_FALSE(control.start(RunMode::Packet));
    EXPECT_EQ(out.symbols_sent, 1000);
    const Integer seed1 = st.seed1;
    control.tick();  // no run goes on: a stray tick sends nothing
    EXPECT_EQ(st.seed1, seed1);
}

TEST(RunControl, AccumulatingTicksCountOnUntilTheStop) {
    SimState st = activated_state();
    FakeInputs in;
    in.size = "100";
    RecordingOutputs out;
    RunControl control(st, in, out);
    ASSERT_TRUE(control.start(RunMode::Continuous));
    EXPECT_FALSE(out.symbols_sent.has_value());  // the start sends nothing
    control.tick();
    control.tick();
    EXPECT_EQ(out.symbols_sent, 200);
    control.stop();
    EXPECT_FALSE(control.running());
    EXPECT_EQ(st.errors, ErrorCounters{});
    EXPECT_TRUE(st.totals.sym_povt.empty());
}

// Adding packets quietly and showing once ends where showing every tick ends: same counters,
// labels, measures, charts and matrices.
TEST(RunControl, QuietTicksThenOneShowEndWhereShownTicksEnd) {
    struct Ending {
        std::optional<std::int64_t> symbols_sent;
        std::map<ValueLabel, Extended> values;
        Measures apr, apost;
        std::map<Chart, std::pair<std::optional<double>, std::optional<double>>> bars;
        matr mat1, mat2;
        ErrorCounters errors;
        Integer seed1, seed2;
    };
    auto run = [](bool quietly) {
        SimState st = activated_state();
        FakeInputs in;
        in.size = "300";
        RecordingOutputs out;
        out.matrices = true;
        RunControl control(st, in, out);
        EXPECT_TRUE(control.start(RunMode::Continuous));
        for (int t = 0; t < 5; ++t) quietly ? control.advance() : control.tick();
        if (quietly) {
            EXPECT_TRUE(out.values.empty());  // nothing but the count shown before the end
            EXPECT_EQ(out.symbols_sent, 1500);
            control.show();
        }
        return Ending{out.symbols_sent, out.values, out.apr,   out.apost, out.bars,
                      out.mat1,         out.mat2,   st.errors, st.seed1,  st.seed2};
    };
    const Ending shown = run(false), quiet = run(true);
    EXPECT_EQ(quiet.symbols_sent, shown.symbols_sent);
    EXPECT_EQ(quiet.values, shown.values);
    EXPECT_EQ(quiet.apr, shown.apr);
    EXPECT_EQ(quiet.apost, shown.apost);
    EXPECT_EQ(quiet.bars, shown.bars);
    EXPECT_EQ(quiet.mat1, shown.mat1);
    EXPECT_EQ(quiet.mat2, shown.mat2);
    EXPECT_EQ(quiet.errors, shown.errors);
    EXPECT_EQ(quiet.seed1, shown.seed1);
    EXPECT_EQ(quiet.seed2, shown.seed2);
    EXPECT_GT(shown.errors.iskaj, 0u);
}

TEST(RunControl, PerPacketTicksAreIndependentPacketRuns) {
    SimState st = activated_state();
    FakeInputs in;
    in.size = "100";
    RecordingOutputs out;
    RunControl control(st, in, out);
    ASSERT_TRUE(control.start(RunMode::ContinuousPerPacket));
    control.tick();
    control.tick();
    EXPECT_EQ(out.symbols_sent, 100);
}

// Refused inputs are said once, at the start, with the packet run's own message, and no run
// begins; the command and the window share this check.
TEST(RunControl, PerPacketRunWithRefusedInputsDoesNotStart) {
    SimState st = activated_state();
    FakeInputs in;
    in.probs = {"0,5", "0,5"};
    RecordingOutputs out;
    RunControl control(st, in, out);
    EXPECT_FALSE(control.start(RunMode::ContinuousPerPacket));
    EXPECT_EQ(out.refusals, std::vector<Refusal>{Refusal::AlphabetTooShort});
    control.tick();
    EXPECT_EQ(out.refusals.size(), 1u);
}

}  // namespace
}  // namespace tavolin
