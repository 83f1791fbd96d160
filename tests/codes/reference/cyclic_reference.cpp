// SPDX-License-Identifier: GPL-3.0-or-later
#include "cyclic_reference.h"

#include <vector>

#include "codes/cyclic.h"
#include "erasures.h"

namespace tavolin::reference {

void encode_cycle(SimState& st, const vectb& inp, vectenc& outp) {
    st.n0 = static_cast<Byte>(degree(st.Polinom_default) + 4);
    for (std::size_t i = 0; i < inp.size(); ++i) outp[i].inv = encode_cycle_one(st, inp[i]);
}

Word decode_cycle_one(const SimState& st, Word inp) {
    const int n0 = st.n0;
    const auto p2 = static_cast<Byte>(n0 - 4);
    const Word pol = st.Polinom_default;
    Word u = inp;
    const Word o = Ost(u, pol, 4, p2);
    if (o == 0) return static_cast<Word>(u >> p2);

    std::vector<Word> arr(static_cast<std::size_t>(n0));
    Cardinal e = 1;
    for (int i = n0 - 1; i >= 0; --i, e *= 2) arr[static_cast<std::size_t>(i)] = Ost(e, pol, 4, p2);
    auto bit = [n0](int i) { return static_cast<Word>(1u << (n0 - 1 - i)); };
    auto at = [&arr](int i) { return arr[static_cast<std::size_t>(i)]; };

    for (int i = 0; i < n0; ++i)
        if (at(i) == o) return static_cast<Word>((u ^ bit(i)) >> p2);
    if (p2 < polinom(2, 4)) return static_cast<Word>(u >> p2);
    for (int i = 0; i < n0 - 1; ++i)
        for (int j = i + 1; j < n0; ++j)
            if ((at(i) ^ at(j)) == o) return static_cast<Word>((u ^ bit(i) ^ bit(j)) >> p2);
    if (p2 < polinom(3, 4)) return static_cast<Word>(u >> p2);
    for (int i = 0; i < n0 - 2; ++i)
        for (int j = i + 1; j < n0 - 1; ++j)
            for (int k = j + 1; k < n0; ++k)
                if ((at(i) ^ at(j) ^ at(k)) == o)
                    return static_cast<Word>((u ^ bit(i) ^ bit(j) ^ bit(k)) >> p2);
    return static_cast<Word>(u >> p2);
}

enc_sym decode_cycle_stir(SimState& st, enc_sym inp) {
    const Byte r = degree(st.Polinom_default);
    return decode_stir(
        inp, st.RandSeed, [&st](Word w) { return decode_cycle_one(st, w); },
        [r](enc_sym w) {
            return enc_sym{static_cast<Word>(w.inv >> r), static_cast<Word>(w.stir >> r)};
        });
}

void decode_cycle(SimState& st, const vectenc& inp, vectenc& outp) {
    decode_message(
        inp, outp, [&st](Word w) { return decode_cycle_one(st, w); },
        [&st](enc_sym w) { return decode_cycle_stir(st, w); });
}

}  // namespace tavolin::reference
