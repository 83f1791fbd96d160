#include "channel/noise.h"

#include <cassert>

#include "channel/random.h"
#include "codes/bitstring.h"

namespace tavolin {

void noise(SimState& st, const vectenc& inp, vectenc& outp, const matr& v_is) {
    assert(outp.size() >= inp.size() && v_is.size() == 2);
    const DrawTable row[2] = {DrawTable(v_is[0]), DrawTable(v_is[1])};
    const Word top = static_cast<Word>(1u << (st.n0 - 1));
    Integer seed = st.seed2;
    for (std::size_t i = 0; i < inp.size(); ++i) {
        Word inv = 0, stir = 0;
        for (Word mask = top; mask != 0; mask >>= 1) {
            const Byte r = row[n_and(inp[i].inv, mask)].pick(next_state(seed));
            if (r == 1) inv |= mask;
            else if (r == 2) stir |= mask;
        }
        outp[i] = {inv, stir};
    }
    if (!inp.empty()) st.RandSeed = seed;
    st.seed2 = seed;
}

Extended veroyatn(Word a, Word b, Byte sz, const matr& v_isk) {
    Extended p = 1.0L;
    for (Word mask = static_cast<Word>(1u << (sz - 1)); mask != 0; mask >>= 1)
        p *= v_isk[n_and(a, mask)][n_and(b, mask)];
    return p;
}

}  // namespace tavolin
