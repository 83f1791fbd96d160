// SPDX-License-Identifier: GPL-3.0-or-later
// The process-wide linear congruential generator and the draw of an index from a probability
// vector. Depends on nothing but the shared types, so the codes' tie-break draws can use it.
#pragma once

#include <array>

#include "core/types.h"

namespace tavolin {

// The generator: state <- state * kLcgMultiplier + kLcgIncrement (mod 2^32).
inline constexpr Cardinal kLcgMultiplier = 134775813u;  // 0x08088405
inline constexpr Cardinal kLcgIncrement = 1u;

// One step of the generator. Returns the new state read unsigned, i.e. the draw times 2^32.
inline Cardinal next_state(Integer& seed) {
    const Cardinal s = static_cast<Cardinal>(seed) * kLcgMultiplier + kLcgIncrement;
    seed = static_cast<Integer>(s);
    return s;
}

// Jumps of the generator: k steps from state s lead to a[k] * s + c[k] (mod 2^32). A run draws
// a word's bits (or a block of symbols) from independent products instead of a serial chain.
struct LcgJumps {
    static constexpr int kMax = 16;
    std::array<Cardinal, kMax + 1> a{}, c{};
    constexpr LcgJumps() {
        a[0] = 1;
        c[0] = 0;
        for (int k = 1; k <= kMax; ++k) {
            a[k] = a[k - 1] * kLcgMultiplier;
            c[k] = c[k - 1] * kLcgMultiplier + kLcgIncrement;
        }
    }
};
inline constexpr LcgJumps kJumps{};

// The state `steps` steps after `seed`: the step map s -> a s + c raised to that power by
// squaring, so a stream can start a long way ahead without walking there.
inline Integer jump_ahead(Integer seed, std::uint64_t steps) {
    Cardinal a = 1, c = 0;                                     // the map so far: identity
    Cardinal step_a = kLcgMultiplier, step_c = kLcgIncrement;  // the map of 2^i steps
    for (; steps != 0; steps >>= 1) {
        if (steps & 1u) {
            a *= step_a;
            c = c * step_a + step_c;
        }
        step_c = step_c * step_a + step_c;
        step_a *= step_a;
    }
    return static_cast<Integer>(a * static_cast<Cardinal>(seed) + c);
}

// A draw in [0, 1 - 2^-32]: the new state times 2^-32, exact in `Extended`.
inline Extended Random(Integer& RandSeed) {
    return static_cast<Extended>(next_state(RandSeed)) * 0x1p-32L;
}

// The erasure decoders' tie-break: a draw above one half. On integers, k * 2^-32 > 0.5 is
// k > 2^31.
inline bool tie_break(Integer& RandSeed) {
    return next_state(RandSeed) > 0x80000000u;
}

// Draws one index from `v` with the caller's stream `rSeed`: loads it into `RandSeed`, draws,
// stores the new state back into both. Returns the first index whose running total reaches the
// draw (t >= x), or the length of `v` when none does.
Byte gen(const vect& v, Integer& rSeed, Integer& RandSeed);

// The same choice as `gen` decided on integers. Every draw is k * 2^-32, and the running totals
// are fixed for a run, so "t >= k * 2^-32" is "floor(t * 2^32) >= k": exact, with no
// floating-point walk per draw.
class DrawTable {
  public:
    static constexpr std::size_t kMax = 16;

    DrawTable() = default;
    explicit DrawTable(const vect& v);
    // Adds the guide a walk one draw at a time starts from; the lanes compare thresholds alone
    // and do without it.
    void add_guide();

    Byte size() const { return size_; }
    // Running totals that never decrease (no negative entry): the usual case, and the one the
    // guide table and the branch-free forms rely on.
    bool monotone() const { return monotone_; }
    std::int64_t threshold(std::size_t i) const { return threshold_[i]; }

    // The index `gen` returns for the draw k * 2^-32.
    Byte pick(Cardinal k) const {
        const auto key = static_cast<std::int64_t>(k);
        Byte i = guided_ ? guide_[k >> kGuideShift] : Byte{0};
        while (i < size_ && threshold_[i] < key) ++i;
        return i;
    }

  private:
    static constexpr int kGuideShift = 24;  // 256 buckets of draws
    std::array<std::int64_t, kMax> threshold_{};
    // guide_[b]: the answer for the smallest draw of bucket b, where a monotone scan may start.
    std::array<Byte, 256> guide_{};
    Byte size_ = 0;
    bool monotone_ = true;
    bool guided_ = false;
};

}  // namespace tavolin
