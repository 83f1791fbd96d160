// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/random.h"

#include <cassert>
#include <cstdint>
#include <limits>

namespace tavolin {

namespace {

// floor(x) for x in [-1, 2^32). Adding 1.5 * 2^63 leaves x rounded to an integer in the 64-bit
// significand, and one comparison turns that into the floor. The integer goes out through
// double, where it is exact: std::floor and a cast from extended would switch the x87 rounding
// mode and back for every value, which costs more than all the rest of a table.
static_assert(std::numeric_limits<Extended>::digits == 64,
              "the floor below needs the 64-bit significand of x87 extended");
std::int64_t floor_of_draw_range(Extended x) {
    constexpr Extended kRound = 0x1.8p63L;
    Extended r = (x + kRound) - kRound;
    if (r > x) r -= 1;
    return static_cast<std::int64_t>(static_cast<double>(r));
}

}  // namespace

Byte gen(const vect& v, Integer& rSeed, Integer& RandSeed) {
    RandSeed = rSeed;
    const Extended x = Random(RandSeed);
    rSeed = RandSeed;
    Extended t = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        t += v[i];
        if (t >= x) return static_cast<Byte>(i);
    }
    return static_cast<Byte>(v.size());
}

DrawTable::DrawTable(const vect& v) : size_(static_cast<Byte>(v.size())) {
    assert(v.size() <= kMax);
    Extended t = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        t += v[i];
        // Scaling by 2^32 is exact; clamp into the range of draws, then take the floor.
        const Extended scaled = t * 0x1p32L;
        if (!(scaled >= -1))
            threshold_[i] = -1;  // below every draw, NaN included
        else if (scaled >= 0x1p32L)
            threshold_[i] = std::int64_t{1} << 32;
        else
            threshold_[i] = floor_of_draw_range(scaled);
        if (i > 0 && threshold_[i] < threshold_[i - 1]) monotone_ = false;
    }
}

void DrawTable::add_guide() {
    if (!monotone_ || guided_) return;
    guided_ = true;
    Byte i = 0;
    for (std::size_t b = 0; b < guide_.size(); ++b) {
        const auto first_draw = static_cast<std::int64_t>(b) << kGuideShift;
        while (i < size_ && threshold_[i] < first_draw) ++i;
        guide_[b] = i;
    }
}

}  // namespace tavolin
