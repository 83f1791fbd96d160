// SPDX-License-Identifier: GPL-3.0-or-later
// What the draw kernels work on: the channel's and the source's draws in vector lanes. A word's
// bit draws (and a block of symbols' draws) are independent jumps of the generator from one
// state, so they are made side by side; each draw is compared with integer thresholds, which
// decides exactly as the extended running totals do. The kernels run for rows whose running totals
// never decrease and start at zero or above; the callers keep every other row on the scalar walk.
#pragma once

#include <algorithm>
#include <type_traits>

#include "core/random.h"
#include "core/types.h"

namespace tavolin::lanes {

// The thresholds of the bit matrix's two rows, each clamped into the draws' range: a row of two
// columns has a third threshold that no draw passes. The output of a draw is the number of its
// row's thresholds it passes: 1 the bit arrives as 1, 2 it is erased.
struct NoiseRows {
    Cardinal row0[3], row1[3];
};

bool noise_fits(const DrawTable (&rows)[2]);
NoiseRows noise_rows(const DrawTable (&rows)[2]);
// How many of the rows' thresholds some draw can pass: 1 when no bit can be erased, 2 when the
// rows are whole (a draw past the erasure threshold is always an erasure), else 3. The kernels
// compare only those.
int passable_thresholds(const NoiseRows& r);
inline bool inversion_only(const NoiseRows& r) {
    return passable_thresholds(r) == 1;
}
// Calls body(std::integral_constant<int, N>{}) for the rows' N passable thresholds, so that a
// kernel is compiled once for each.
template <typename Body>
auto with_passable_thresholds(const NoiseRows& r, Body body) {
    switch (passable_thresholds(r)) {
        case 1:
            return body(std::integral_constant<int, 1>{});
        case 2:
            return body(std::integral_constant<int, 2>{});
        default:
            return body(std::integral_constant<int, 3>{});
    }
}

// The jumps of a block of words sent one after another, n0 bits each, top bit first: bit j of
// word w is drawn a[j][w] * s + c[j][w] from the block's start state s, so one vector of draws
// serves one bit position of every word. The state after the block's first k words is
// a[0][k - 1] * s + c[0][k - 1].
struct BlockJumps {
    static constexpr int kWords = 16;
    alignas(64) Cardinal a[16][kWords];
    alignas(64) Cardinal c[16][kWords];
};
BlockJumps block_jumps(Byte n0, int words);

// The thresholds of an alphabet: `below` of them every draw passes (a running total below zero
// at the start), then `count` that some draw passes. The symbol drawn is the number passed, at
// most `last`.
struct SymbolThresholds {
    int below = 0, count = 0;
    Cardinal t[DrawTable::kMax] = {};
    Byte last = 0;
};

bool symbols_fit(const DrawTable& table);
SymbolThresholds symbol_thresholds(const DrawTable& table);

// Adds to `counts` the symbols of `draws` draws, of which passes[j] passed threshold j: the
// thresholds rise, so a draw past m of them passed exactly the first m and is symbol below + m,
// at most `last`. The kernels count passes per threshold in their lanes instead of symbols.
inline void count_symbols(const SymbolThresholds& t, const Count* passes, Count draws,
                          vectc& counts) {
    Count reached = draws;  // draws past the thresholds before m
    for (int m = 0; m <= t.count; ++m) {
        const Count further = m < t.count ? passes[m] : 0;
        counts[static_cast<std::size_t>(std::min(t.below + m, int{t.last}))] += reached - further;
        reached = further;
    }
}

// The draws of a block of symbols that does not fill the lanes, one at a time.
inline void draw_rest(const SymbolThresholds& t, Byte* out, std::size_t n, vectc& counts,
                      Integer& seed) {
    for (std::size_t i = 0; i < n; ++i) {
        const Cardinal k = next_state(seed);
        int s = t.below;
        for (int j = 0; j < t.count; ++j) s += k > t.t[j];
        out[i] = static_cast<Byte>(s < t.last ? s : t.last);
        ++counts[out[i]];
    }
}

}  // namespace tavolin::lanes
