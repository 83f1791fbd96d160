// SPDX-License-Identifier: GPL-3.0-or-later
// Cyclic code: four information bits followed by the remainder of their shift by r divided by
// the generator polynomial; syndrome decoding of single, pair and triple errors as far as the
// Hamming bound allows.
#pragma once

#include <vector>

#include "codes/code.h"

namespace tavolin {

// Degree of a polynomial held as a bit pattern: the index of its highest set bit.
Byte degree(Word pol);

Word Ost(Cardinal u, Word r, Byte p1, Byte p2);
Word encode_cycle_one(const SimState& st, Word inp);

// The polynomial test: the remainders of x^r .. x^(r+m-1), m = 2^r - 1, are all different
// (primitivity, for a polynomial with a constant term).
struct PolynomialTest {
    Cardinal pol_ost = 0;     // distinct remainders
    Cardinal pol_needed = 0;  // m
    bool passed() const { return pol_ost == pol_needed; }
};
PolynomialTest Check_Polinom(Word pol);

Extended comb(Byte up, Byte lo);
// Check bits the Hamming bound asks for to correct `kr` errors among `nes` information bits.
Byte polinom(Byte kr, Byte nes);

// The decoder as tables: the syndrome of the high four bits, and for each syndrome the error
// pattern the search meets first (single errors, then pairs and triples as the bound allows).
class CyclicCode final : public CountingCode<CyclicCode> {
  public:
    explicit CyclicCode(const SimState& st);
    Word decode_word(Word u) const { return static_cast<Word>((u ^ pattern_[syndrome(u)]) >> r_); }
    void decode(const vectenc& inp, vectenc& outp, Integer& RandSeed) const override;
    bool found_error(Word received) const override { return syndrome(received) != 0; }
    std::string explain(enc_sym received, enc_sym decoded) const override;

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
