// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/random.h"

#include <gtest/gtest.h>

namespace tavolin {
namespace {

TEST(Random, FirstDrawsFromSeedZero) {
    Integer seed = 0;
    EXPECT_EQ(Random(seed), 1 * 0x1p-32L);
    EXPECT_EQ(Random(seed), 134775814 * 0x1p-32L);
    EXPECT_EQ(Random(seed), 3698175007.0L * 0x1p-32L);
    EXPECT_EQ(seed, -596792289);
}

TEST(Random, SeedThatGivesTheZeroDraw) {
    Integer seed = 649090867;
    EXPECT_EQ(Random(seed), 0.0L);
    EXPECT_EQ(seed, 0);
}

TEST(Gen, ContinuesTheCallersStreamThroughTheGenerator) {
    Integer stream = 0, rand_seed = 99;
    const vect v{0.5L, 0.5L};
    EXPECT_EQ(gen(v, stream, rand_seed), 0);  // 2^-32
    EXPECT_EQ(stream, 1);
    EXPECT_EQ(rand_seed, 1);
    EXPECT_EQ(gen(v, stream, rand_seed), 0);  // about 0.031
    EXPECT_EQ(gen(v, stream, rand_seed), 1);  // about 0.861
    EXPECT_EQ(stream, -596792289);
}

TEST(Gen, ZeroDrawPicksTheFirstIndexEvenWithZeroProbability) {
    Integer stream = 649090867, rand_seed = 0;
    EXPECT_EQ(gen({0, 1}, stream, rand_seed), 0);
}

TEST(Gen, ExactTieChoosesThatIndex) {
    // From seed 0 the first draw is exactly 2^-32.
    Integer stream = 0, rand_seed = 0;
    EXPECT_EQ(gen({0x1p-32L, 1}, stream, rand_seed), 0);
    stream = 0;
    EXPECT_EQ(gen({0x1p-33L, 1}, stream, rand_seed), 1);
}

TEST(Gen, RunningTotalShortOfTheDrawGivesTheLength) {
    Integer stream = 0, rand_seed = 0;
    Random(stream);
    Random(stream);  // the next draw is about 0.861
    EXPECT_EQ(gen({0.25L, 0.25L}, stream, rand_seed), 2);
}

// The integer thresholds must choose what the extended walk chooses, at every boundary.
TEST(DrawTable, AgreesWithTheExtendedWalkAtBoundaries) {
    const std::vector<vect> vectors = {
        {0.1L, 0.9L},
        {0.9L, 0.1L},
        {1 - 0.2L, 0.2L},
        {1 - 0.1L - 0.05L, 0.1L, 0.05L},
        {0, 1},
        {1, 0},
        {0x1p-32L, 1},
        {3 * 0x1p-33L, 0.5L, 0.5L},
        {0.0625L, 0.0625L, 0.0625L, 0.0625L, 0.0625L, 0.0625L, 0.0625L, 0.0625L, 0.0625L, 0.0625L,
         0.0625L, 0.0625L, 0.0625L, 0.0625L, 0.0625L, 0.0625L},
        {0.22L, 0.18L, 0.11L, 0.24L, 0.01L, 0.03L, 0.04L, 0.08L, 0.09L},
        {0.5L, -0.25L, 0.75L},
        {0.25L, 0.25L},
        // Running totals a hair from a draw's value: the floor must not round.
        {-1e-12L, 1},
        {0x1p-40L, 1},
        {1 - 0x1p-40L, 0x1p-40L},
        {0.5L - 0x1p-60L, 0.5L},
        {0.5L + 0x1p-60L, 0.25L},
    };
    for (const vect& v : vectors) {
        const DrawTable table(v);
        DrawTable guided(v);
        guided.add_guide();
        std::vector<Cardinal> draws = {0, 1, 0xFFFFFFFFu, 0xFFFFFFFEu, 0x80000000u};
        Extended t = 0;
        for (Extended p : v) {
            t += p;
            const Extended scaled = t * 0x1p32L;
            if (scaled < 0 || scaled >= 0x1p32L) continue;
            const auto k = static_cast<Cardinal>(scaled);
            for (Cardinal d : {k - 1, k, k + 1}) draws.push_back(d);
        }
        for (Cardinal k : draws) {
            Extended walk_t = 0;
            Byte expected = static_cast<Byte>(v.size());
            const Extended x = static_cast<Extended>(k) * 0x1p-32L;
            for (std::size_t i = 0; i < v.size(); ++i)
                if ((walk_t += v[i]) >= x) {
                    expected = static_cast<Byte>(i);
                    break;
                }
            ASSERT_EQ(table.pick(k), expected) << "draw " << k;
            ASSERT_EQ(guided.pick(k), expected) << "guided, draw " << k;
        }
    }
}

TEST(JumpAhead, LandsWhereTheStepsWalkTo) {
    for (Integer seed : {0, 1, -123456789, 2147483647}) {
        Integer walked = seed;
        for (std::uint64_t n = 0; n <= 300; ++n) {
            ASSERT_EQ(jump_ahead(seed, n), walked) << seed << " after " << n;
            next_state(walked);
        }
    }
    // The generator's full period is 2^32 steps.
    EXPECT_EQ(jump_ahead(20261210, std::uint64_t{1} << 32), 20261210);
    EXPECT_EQ(jump_ahead(jump_ahead(5, 1000000007), 3000000000u), jump_ahead(5, 4000000007u));
}

}  // namespace
}  // namespace tavolin
