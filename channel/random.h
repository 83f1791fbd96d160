// The process-wide linear congruential generator and the draw of an index from a probability
// vector. Depends on nothing but the shared types, so the codes' tie-break draws can use it.
#pragma once

#include <array>

#include "engine/types.h"

namespace tavolin {

// One step of the generator: state <- state * 134775813 + 1 (mod 2^32). Returns the new state
// read unsigned, i.e. the draw times 2^32.
inline Cardinal next_state(Integer& seed) {
    const Cardinal s = static_cast<Cardinal>(seed) * 134775813u + 1u;
    seed = static_cast<Integer>(s);
    return s;
}

// A draw in [0, 1 - 2^-32]: the new state times 2^-32, exact in `Extended`.
inline Extended Random(Integer& RandSeed) {
    return static_cast<Extended>(next_state(RandSeed)) * 0x1p-32L;
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

    Byte size() const { return size_; }
    // The index `gen` returns for the draw k * 2^-32.
    Byte pick(Cardinal k) const {
        for (Byte i = 0; i < size_; ++i)
            if (threshold_[i] >= static_cast<std::int64_t>(k)) return i;
        return size_;
    }

private:
    std::array<std::int64_t, kMax> threshold_{};
    Byte size_ = 0;
};

}  // namespace tavolin
