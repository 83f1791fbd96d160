// SPDX-License-Identifier: GPL-3.0-or-later
// The continuous code as its procedures read, on bit strings: the encoder and the decoder that
// the integer encoder and the flip table of ContinuousCode must equal.
#pragma once

#include <string>
#include <string_view>

#include "core/sim_state.h"

namespace tavolin::reference {

std::string encode_nepr_str(std::string_view inp, Byte L);
void encode_nepr(SimState& st, const vectb& inp, vectenc& outp);
std::string decode_nepr_str(std::string_view inp, Byte L);
void decode_nepr(SimState& st, const vectenc& inp, vectenc& outp);

}  // namespace tavolin::reference
