// SPDX-License-Identifier: GPL-3.0-or-later
// The (7, 4) Hamming code as its procedures read: the message encoder and the syndrome decoder
// that the tables of HammingCode must equal.
#pragma once

#include "core/sim_state.h"

namespace tavolin::reference {

void encode_matr(SimState& st, const vectb& inp, vectenc& outp);
Word Decode_matr_one(const SimState& st, Word c);
enc_sym decode_matr_stir(SimState& st, enc_sym inp);
void decode_matr(SimState& st, const vectenc& inp, vectenc& outp);

}  // namespace tavolin::reference
