// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel/lanes/draw_inputs.h"

namespace tavolin::lanes {

namespace {

constexpr std::int64_t kTopDraw = 0xFFFFFFFF;

Cardinal clamp_threshold(const DrawTable& row, std::size_t i) {
    if (i >= row.size() || row.threshold(i) >= kTopDraw) return 0xFFFFFFFF;  // never passed
    return static_cast<Cardinal>(row.threshold(i));
}

}  // namespace

bool noise_fits(const DrawTable (&rows)[2]) {
    for (const DrawTable& r : rows)
        if (!r.monotone() || r.size() > 3 || (r.size() > 0 && r.threshold(0) < 0)) return false;
    return true;
}

NoiseRows noise_rows(const DrawTable (&rows)[2]) {
    NoiseRows n{};
    for (std::size_t i = 0; i < 3; ++i) {
        n.row0[i] = clamp_threshold(rows[0], i);
        n.row1[i] = clamp_threshold(rows[1], i);
    }
    return n;
}

int passable_thresholds(const NoiseRows& r) {
    // The thresholds rise along a row, so one that no draw passes has none passable after it.
    for (int t = 1; t < 3; ++t)
        if (r.row0[t] == 0xFFFFFFFF && r.row1[t] == 0xFFFFFFFF) return t;
    return 3;
}

BlockJumps block_jumps(Byte n0, int words) {
    BlockJumps J{};
    // Draw k of the block (from 1) is bit n0 - (k - (w n0)) of word w; walk the block once.
    Cardinal a = 1, c = 0;
    for (int w = 0; w < words; ++w)
        for (int j = n0 - 1; j >= 0; --j) {
            a *= kLcgMultiplier;
            c = c * kLcgMultiplier + kLcgIncrement;
            J.a[j][w] = a;
            J.c[j][w] = c;
        }
    return J;
}

bool symbols_fit(const DrawTable& table) {
    return table.monotone() && table.size() > 0;
}

SymbolThresholds symbol_thresholds(const DrawTable& table) {
    SymbolThresholds t;
    t.last = static_cast<Byte>(table.size() - 1);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::int64_t v = table.threshold(i);
        if (v < 0)
            ++t.below;
        else if (v < kTopDraw)
            t.t[t.count++] = static_cast<Cardinal>(v);
    }
    return t;
}

}  // namespace tavolin::lanes
