// Coding dispatch: the message-level entry points that pick the code by `coding_type`, the
// "no coding" code, the error test and the code word length of the selected code.
#pragma once

#include "codes/code.h"

namespace tavolin {

void encode(SimState& st, const vectb& inp, vectenc& outp);
void decode(SimState& st, const vectenc& inp, vectenc& outp);
void encode_none(SimState& st, const vectb& inp, vectenc& outp);
void decode_none(const vectenc& inp, vectenc& outp);
Word encode_apriory_one(const SimState& st, Word inp);
bool found_error(const SimState& st, Word inp);
void set_n0(SimState& st);

// Without coding the code word is the symbol itself and every word counts as an error found.
class NoCode final : public Code {
  public:
    explicit NoCode(const SimState& st);
    void decode(const vectenc& inp, vectenc& outp, Integer& RandSeed) const override;
    bool found_error(Word) const override { return true; }
    ErrorCounters count_errors(const vectb& inp_s, const vectenc& s2_coded, const vectenc& s3_noise,
                               const vectenc& s4) const override {
        return count_with(*this, inp_s, s2_coded, s3_noise, s4);
    }
};

}  // namespace tavolin
