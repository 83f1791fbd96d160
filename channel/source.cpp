#include "channel/source.h"

#include <algorithm>

#include "core/random.h"

namespace tavolin {

void draw_message(SimState& st, const vect& probs, vectb& inp_s, vectc& counts) {
    const DrawTable table(probs);
    const Byte last = static_cast<Byte>(probs.size() - 1);
    Integer seed = st.seed1;
    for (Byte& s : inp_s) {
        // Rounding in the running total could leave the largest draws beyond it; those belong
        // to the last symbol rather than to an index outside the alphabet.
        s = std::min(table.pick(next_state(seed)), last);
        ++counts[s];
    }
    if (!inp_s.empty()) st.RandSeed = seed;
    st.seed1 = seed;
}

}  // namespace tavolin
