// Cyclic code: four information bits followed by the remainder of their shift by r divided by
// the generator polynomial; syndrome decoding of single, pair and triple errors as far as the
// Hamming bound allows.
#pragma once

#include <string>
#include <vector>

#include "codes/code.h"

namespace tavolin {

// Degree of a polynomial held as a bit pattern: the index of its highest set bit.
Byte degree(Word pol);

Word Ost(Cardinal u, Word r, Byte p1, Byte p2);
Word encode_cycle_one(const SimState& st, Word inp);
void encode_cycle(SimState& st, const vectb& inp, vectenc& outp);
bool Check_Polinom(Word pol, Cardinal& pol_ost, Cardinal& pol_needed);
Extended comb(Byte up, Byte lo);
void polinom(Byte kr, Byte nes, Byte& dp);
Word decode_cycle_one(const SimState& st, Word inp);
enc_sym decode_cycle_stir(SimState& st, enc_sym inp);
void decode_cycle(SimState& st, const vectenc& inp, vectenc& outp);

// The decoder as tables built from `decode_cycle_one`'s search: the syndrome of the high four
// bits, and the error pattern the search picks for each syndrome.
class CyclicCode final : public Code {
  public:
    explicit CyclicCode(const SimState& st);
    Word decode_word(Word u) const { return static_cast<Word>((u ^ pattern_[syndrome(u)]) >> r_); }
    void decode(const vectenc& inp, vectenc& outp, Integer& RandSeed) const override;
    bool found_error(Word received) const override { return syndrome(received) != 0; }
    ErrorCounters count_errors(const vectb& inp_s, const vectenc& s2_coded, const vectenc& s3_noise,
                               const vectenc& s4) const override {
        return count_with(*this, inp_s, s2_coded, s3_noise, s4);
    }

  private:
    Word syndrome(Word u) const {
        return static_cast<Word>((u & low_mask_) ^ high_syndrome_[(u >> r_) & 15u]);
    }
    Byte r_;
    Word low_mask_;
    std::array<Word, 16> high_syndrome_{};
    std::vector<Word> pattern_;
};

}  // namespace tavolin
