// SPDX-License-Identifier: GPL-3.0-or-later
// The accumulating continuous run: its start, one step per timer tick, and its stop.
#pragma once

#include "core/sim_state.h"
#include "engine/run_io.h"

namespace tavolin {

// Reads and checks the inputs once and sets up the accumulators; false when the run may not
// start (its refusal has been reported and nothing is left allocated).
bool start_nepr(SimState& st, const RunInputs& in, RunOutputs& out);

// One packet added to everything sent since the start, and the run shown as it then stands.
// Checks nothing.
void step_nepr(SimState& st, const RunInputs& in, RunOutputs& out);

// The two halves of a step: a packet added to the totals (only the count of symbols sent is
// shown), and the totals' measures, shares, matrices and charts shown. A caller that looks only
// at where a run ends adds its packets and shows once, with the same result as showing each.
void add_packet_nepr(SimState& st, RunOutputs& out);
void show_nepr(const SimState& st, const RunInputs& in, RunOutputs& out);

// Resets the counters and frees the accumulators (those of a run without accumulation are
// already empty).
void stop_nepr(SimState& st);

}  // namespace tavolin
