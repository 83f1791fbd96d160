// SPDX-License-Identifier: GPL-3.0-or-later
// Continuous (recurrent) code of frame size L: every information bit is followed by a control
// bit, the exclusive-or of the information bits L places apart; four information bits and L
// zero tail bits make a word of 2 (L + 4) bits.
#pragma once

#include "codes/code.h"

namespace tavolin {

Word encode_nepr_one(const SimState& st, Word inp);

// The decoder on integers. With I the information sequence and C the control sequence of a
// received word, the disagreements are e = C xor I xor (I >> L); flipping information bit i
// toggles e at i and at i + L only, so which bits the decoder flips depends on e alone and is
// tabled for every e.
class ContinuousCode final : public CountingCode<ContinuousCode> {
  public:
    explicit ContinuousCode(const SimState& st);
    Word decode_word(Word w) const {
        const Split s = split(w);
        return static_cast<Word>((s.inf ^ flip_[disagreement(s)]) >> L_);
    }
    void decode(const vectenc& inp, vectenc& outp, Integer& RandSeed) const override;
    bool found_error(Word received) const override { return disagreement(split(received)) != 0; }
    std::string explain(enc_sym received, enc_sym decoded) const override;

  private:
    struct Split {
        Word inf, contr;
    };
    // Odd positions of the word (counting from its first bit) hold the information sequence,
    // even ones the control sequence.
    static Split split(Word w);
    Word disagreement(Split s) const {
        return static_cast<Word>((s.contr ^ s.inf ^ (s.inf >> L_)) & mask_);
    }
    Byte L_;
    Word mask_;
    std::array<Word, 256> flip_{};
};

}  // namespace tavolin
