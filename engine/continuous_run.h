// The accumulating continuous run: its start, one step per timer tick, and its stop.
#pragma once

#include "core/sim_state.h"
#include "engine/run_io.h"

namespace tavolin {

// Reads and checks the inputs once and sets up the accumulators; false when the run may not
// start (its refusal has been reported and nothing is left allocated).
bool start_nepr(SimState& st, const RunInputs& in, RunOutputs& out);

// One packet added to everything sent since the start. Checks nothing.
void step_nepr(SimState& st, const RunInputs& in, RunOutputs& out);

// Resets the counters and frees the accumulators (those of a run without accumulation are
// already empty).
void stop_nepr(SimState& st);

}  // namespace tavolin
