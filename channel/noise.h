// SPDX-License-Identifier: GPL-3.0-or-later
// The binary channel: bit-level noise over a packet of code words, and the probability that
// one word arrives as another.
#pragma once

#include "core/sim_state.h"
#include "core/types.h"

namespace tavolin {

// Passes every word of `inp` through the channel `v_is` (2 rows: sent bit; columns received 0,
// received 1 and, for the erasure channel, erased), bits `n0`-1 down to 0, one draw of the noise
// stream `seed2` per bit. Overwrites outp[0 .. inp.size()-1]; `outp` must be at least as long.
// Leaves `RandSeed` where the last draw left it, as `gen` would. Returns whether any bit was
// erased.
bool noise(SimState& st, const vectenc& inp, vectenc& outp, const matr& v_is);

// Probability that word `a`, sent, arrives as word `b` over its `sz` low bits, no bit erased.
Extended veroyatn(Word a, Word b, Byte sz, const matr& v_isk);

}  // namespace tavolin
