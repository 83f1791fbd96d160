// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel/source.h"

#include <algorithm>

#include "channel/lanes/kernels.h"
#include "core/random.h"

namespace tavolin {

void draw_message(SimState& st, const vect& probs, vectb& inp_s, vectc& counts) {
    DrawTable table(probs);
    Integer seed = st.seed1;
    const auto lane_draw = lane_kernels().draw;
    if (!lane_draw || !lanes::symbols_fit(table)) {
        table.add_guide();
        const Byte last = static_cast<Byte>(probs.size() - 1);
        for (Byte& s : inp_s) {
            // Rounding in the running total could leave the largest draws beyond it; those
            // belong to the last symbol rather than to an index outside the alphabet.
            s = std::min(table.pick(next_state(seed)), last);
            ++counts[s];
        }
    } else {
        lane_draw(lanes::symbol_thresholds(table), inp_s, counts, seed);
    }
    if (!inp_s.empty()) st.RandSeed = seed;
    st.seed1 = seed;
}

}  // namespace tavolin
