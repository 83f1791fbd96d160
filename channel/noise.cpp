// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel/noise.h"

#include <cassert>

#include "channel/lanes/kernels.h"
#include "codes/bitstring.h"
#include "core/random.h"

namespace tavolin {

namespace {

// One draw at a time, for every row: also those whose running totals fall back or start
// below zero, which the lanes do not take.
bool noise_general(const DrawTable (&rows)[2], Byte n0, const vectenc& inp, vectenc& outp,
                   Integer& seed) {
    Word marks = 0;
    const Word top = static_cast<Word>(1u << (n0 - 1));
    for (std::size_t i = 0; i < inp.size(); ++i) {
        Word inv = 0, stir = 0;
        for (Word mask = top; mask != 0; mask >>= 1) {
            const Byte r = rows[n_and(inp[i].inv, mask)].pick(next_state(seed));
            if (r == 1)
                inv |= mask;
            else if (r == 2)
                stir |= mask;
        }
        outp[i] = {inv, stir};
        marks |= stir;
    }
    return marks != 0;
}

}  // namespace

bool noise(SimState& st, const vectenc& inp, vectenc& outp, const matr& v_is) {
    assert(outp.size() >= inp.size() && v_is.size() == 2 && st.n0 >= 1 && st.n0 <= 16);
    DrawTable rows[2] = {DrawTable(v_is[0]), DrawTable(v_is[1])};
    Integer seed = st.seed2;
    const bool fits = lanes::noise_fits(rows);
    const lanes::NoiseRows lane_rows = fits ? lanes::noise_rows(rows) : lanes::NoiseRows{};
    const auto lane_noise = lane_kernels().noise;
    bool erased = false;
    if (fits && lane_noise) {
        erased = lane_noise(lane_rows, st.n0, inp, outp, seed);
    } else {
        for (DrawTable& row : rows) row.add_guide();
        erased = noise_general(rows, st.n0, inp, outp, seed);
    }
    if (!inp.empty()) st.RandSeed = seed;
    st.seed2 = seed;
    return erased;
}

Extended veroyatn(Word a, Word b, Byte sz, const matr& v_isk) {
    Extended p = 1.0L;
    for (Word mask = static_cast<Word>(1u << (sz - 1)); mask != 0; mask >>= 1)
        p *= v_isk[n_and(a, mask)][n_and(b, mask)];
    return p;
}

}  // namespace tavolin
