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
