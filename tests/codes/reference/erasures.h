// SPDX-License-Identifier: GPL-3.0-or-later
// The erasure rule the cyclic and Hamming decoders share, word by word: with one erased bit the
// word is decoded under both fillings and a draw of the generator settles a disagreement; with
// more, the received information bits and their marks are kept as they are.
#pragma once

#include "codes/bitstring.h"
#include "core/random.h"
#include "core/types.h"

namespace tavolin::reference {

template <typename DecodeOne, typename Undecoded>
enc_sym decode_stir(enc_sym inp, Integer& RandSeed, DecodeOne decode_one, Undecoded undecoded) {
    if (rast(0, inp.stir) > 1) return undecoded(inp);
    const Word v1 = decode_one(static_cast<Word>(inp.inv ^ inp.stir));
    const Word v2 = decode_one(inp.inv);
    if (v1 == v2) return {v1, 0};
    return {Random(RandSeed) > 0.5L ? v2 : v1, 0};
}

// A message: words with marks through `stir_one`, the others through `decode_one`.
template <typename DecodeOne, typename StirOne>
void decode_message(const vectenc& inp, vectenc& outp, DecodeOne decode_one, StirOne stir_one) {
    for (std::size_t i = 0; i < inp.size(); ++i)
        outp[i] = inp[i].stir != 0 ? stir_one(inp[i]) : enc_sym{decode_one(inp[i].inv), 0};
}

}  // namespace tavolin::reference
