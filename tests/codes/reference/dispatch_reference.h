// SPDX-License-Identifier: GPL-3.0-or-later
// The coding dispatch as its procedures read: the message encoder and decoder that pick the code
// by `coding_type`, the error test and the word length, for the Code objects to be checked
// against.
#pragma once

#include "core/sim_state.h"

namespace tavolin::reference {

void encode(SimState& st, const vectb& inp, vectenc& outp);
void decode(SimState& st, const vectenc& inp, vectenc& outp);
void encode_none(SimState& st, const vectb& inp, vectenc& outp);
void decode_none(const vectenc& inp, vectenc& outp);
bool found_error(const SimState& st, Word inp);
void set_n0(SimState& st);

}  // namespace tavolin::reference
