// SPDX-License-Identifier: GPL-3.0-or-later
#include "hamming_reference.h"

#include "codes/bitstring.h"
#include "codes/hamming.h"
#include "erasures.h"

namespace tavolin::reference {

namespace {

bool is_power_of_two(int q) {
    return (q & (q - 1)) == 0;
}

// Positions 3, 5, 6, 7 of a 7-bit word (position q is bit 7 - q): bit 4 moved to bit 3, bits 2
// to 0 as they are.
Word info_bits(Word w) {
    return static_cast<Word>(((w >> 1) & 8u) | (w & 7u));
}

}  // namespace

void encode_matr(SimState& st, const vectb& inp, vectenc& outp) {
    st.n0 = 7;
    for (std::size_t i = 0; i < inp.size(); ++i) outp[i].inv = encode_matr_one(st, inp[i]);
}

Word Decode_matr_one(const SimState& st, Word c) {
    const Byte n0 = st.n0;
    const Byte s = Get_Sindr(c, st.pr_m_x, n0);
    if (s != 0 && s <= n0) c ^= static_cast<Word>(1u << (n0 - s));
    Word v = 0;
    for (int q = 1; q <= n0; ++q)
        if (!is_power_of_two(q)) v = static_cast<Word>((v << 1) | n_and(c, Word(1u << (n0 - q))));
    return v;
}

enc_sym decode_matr_stir(SimState& st, enc_sym inp) {
    return decode_stir(
        inp, st.RandSeed, [&st](Word w) { return Decode_matr_one(st, w); },
        [](enc_sym w) {
            return enc_sym{info_bits(w.inv), info_bits(w.stir)};
        });
}

void decode_matr(SimState& st, const vectenc& inp, vectenc& outp) {
    decode_message(
        inp, outp, [&st](Word w) { return Decode_matr_one(st, w); },
        [&st](enc_sym w) { return decode_matr_stir(st, w); });
}

}  // namespace tavolin::reference
