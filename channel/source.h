// SPDX-License-Identifier: GPL-3.0-or-later
// The message source: symbols drawn from the alphabet with the source stream.
#pragma once

#include "core/sim_state.h"
#include "core/types.h"

namespace tavolin {

// Fills `inp_s` with one draw of the source stream `seed1` per symbol and adds 1 to
// counts[symbol] for each. `probs` holds 1 to 16 probabilities; `counts` one entry each.
void draw_message(SimState& st, const vect& probs, vectb& inp_s, vectc& counts);

}  // namespace tavolin
