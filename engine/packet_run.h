// SPDX-License-Identifier: GPL-3.0-or-later
// The packet run: one packet end to end, with the inputs read afresh.
#pragma once

#include "core/sim_state.h"
#include "engine/run_io.h"

namespace tavolin {

void doPocket(SimState& st, const RunInputs& in, RunOutputs& out);

}  // namespace tavolin
