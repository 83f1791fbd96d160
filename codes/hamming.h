// The (7, 4) Hamming code: check bits at positions 1, 2 and 4, information bits at 3, 5, 6 and
// 7 (position q is bit 7 - q), so the syndrome of a single error is its position.
#pragma once

#include "codes/code.h"

namespace tavolin {

void por_m_x(vectw& p_m_x);
void prover_m_x(vectw& pr_m_x);
Word encode_matr_one(const SimState& st, Word inp);
void encode_matr(SimState& st, const vectb& inp, vectenc& outp);
Byte Get_Sindr(Word u, const vectw& h, Byte n0);
Word Decode_matr_one(const SimState& st, Word c);
enc_sym decode_matr_stir(SimState& st, enc_sym inp);
void decode_matr(SimState& st, const vectenc& inp, vectenc& outp);

// The decoder as a table of all 128 received words, built from `Decode_matr_one`.
class HammingCode final : public Code {
  public:
    explicit HammingCode(const SimState& st);
    Word decode_word(Word c) const { return decoded_[c & 127u]; }
    void decode(const vectenc& inp, vectenc& outp, Integer& RandSeed) const override;
    bool found_error(Word received) const override { return syndrome_[received & 127u] != 0; }
    ErrorCounters count_errors(const vectb& inp_s, const vectenc& s2_coded, const vectenc& s3_noise,
                               const vectenc& s4) const override {
        return count_with(*this, inp_s, s2_coded, s3_noise, s4);
    }

  private:
    std::array<Byte, 128> decoded_{};
    std::array<Byte, 128> syndrome_{};
};

}  // namespace tavolin
