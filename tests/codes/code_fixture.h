// SPDX-License-Identifier: GPL-3.0-or-later
// The code parameters of the first activation, and a word with given bits flipped.
#pragma once

#include "codes/hamming.h"
#include "core/sim_state.h"

namespace tavolin::testing_support {

inline SimState started_state(Byte coding_type = kCyclic) {
    SimState st;
    st.coding_type = coding_type;
    st.Polinom_default = 13;
    st.L_default = 3;
    por_m_x(st.p_m_x);
    prover_m_x(st.pr_m_x);
    return st;
}

// Bits are numbered as sent: bit 1 is the first bit of an n0-bit word (its highest).
inline Word flip_sent_bits(Word w, Byte n0, std::initializer_list<int> positions) {
    for (int p : positions) w ^= static_cast<Word>(1u << (n0 - p));
    return w;
}

}  // namespace tavolin::testing_support
