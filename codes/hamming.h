// SPDX-License-Identifier: GPL-3.0-or-later
// The (7, 4) Hamming code: check bits at positions 1, 2 and 4, information bits at 3, 5, 6 and
// 7 (position q is bit 7 - q), so the syndrome of a single error is its position.
#pragma once

#include "codes/code.h"

namespace tavolin {

void por_m_x(vectw& p_m_x);
void prover_m_x(vectw& pr_m_x);
Word encode_matr_one(const SimState& st, Word inp);
Byte Get_Sindr(Word u, const vectw& h, Byte n0);

// The decoder as a table of all 128 received words: the bit the syndrome names is flipped and
// the information bits are read out.
class HammingCode final : public CountingCode<HammingCode> {
  public:
    explicit HammingCode(const SimState& st);
    Word decode_word(Word c) const { return decoded_[c & 127u]; }
    void decode(const vectenc& inp, vectenc& outp, Integer& RandSeed) const override;
    bool found_error(Word received) const override { return syndrome_[received & 127u] != 0; }
    std::string explain(enc_sym received, enc_sym decoded) const override;

  private:
    std::array<Byte, 128> decoded_{};
    std::array<Byte, 128> syndrome_{};
};

}  // namespace tavolin
