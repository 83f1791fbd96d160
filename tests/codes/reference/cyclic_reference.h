// SPDX-License-Identifier: GPL-3.0-or-later
// The cyclic code as its procedures read, step by step: the message encoder and the syndrome
// search decoder that the tables of CyclicCode must equal.
#pragma once

#include "core/sim_state.h"

namespace tavolin::reference {

void encode_cycle(SimState& st, const vectb& inp, vectenc& outp);
Word decode_cycle_one(const SimState& st, Word inp);
enc_sym decode_cycle_stir(SimState& st, enc_sym inp);
void decode_cycle(SimState& st, const vectenc& inp, vectenc& outp);

}  // namespace tavolin::reference
