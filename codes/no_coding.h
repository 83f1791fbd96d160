// SPDX-License-Identifier: GPL-3.0-or-later
// "No coding": the code word is the symbol itself, and every word counts as an error found.
#pragma once

#include "codes/code.h"

namespace tavolin {

// The per-symbol coder of "no coding": the symbol unchanged.
Word encode_apriory_one(const SimState& st, Word inp);

class NoCode final : public CountingCode<NoCode> {
  public:
    explicit NoCode(const SimState& st);
    Word decode_word(Word w) const { return w; }
    void decode(const vectenc& inp, vectenc& outp, Integer& RandSeed) const override;
    bool found_error(Word) const override { return true; }
    std::string explain(enc_sym, enc_sym) const override { return "—"; }
};

}  // namespace tavolin
