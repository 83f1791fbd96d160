// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/intervals.h"

#include <gtest/gtest.h>

#include "../extended_near.h"

namespace tavolin {
namespace {

struct IntervalCase {
    const char* name;
    Count successes, trials;
    Extended confidence, lo, hi;
};

class ClopperPearson : public testing::TestWithParam<IntervalCase> {};

TEST_P(ClopperPearson, MatchesPublishedBounds) {
    const IntervalCase& c = GetParam();
    const std::optional<Interval> got = clopper_pearson(c.successes, c.trials, c.confidence);
    ASSERT_TRUE(got);
    EXPECT_EXTENDED_NEAR(got->lo, c.lo, 5e-7L);
    EXPECT_EXTENDED_NEAR(got->hi, c.hi, 5e-7L);
}

// Exact binomial intervals as statistics packages print them (R's binom.test, for one).
INSTANTIATE_TEST_SUITE_P(
    Published, ClopperPearson,
    testing::Values(IntervalCase{"five_of_ten", 5, 10, 0.95L, 0.1870860L, 0.8129140L},
                    IntervalCase{"none_of_ten", 0, 10, 0.95L, 0, 0.3084971L},
                    IntervalCase{"all_of_ten", 10, 10, 0.95L, 0.6915029L, 1},
                    IntervalCase{"one_of_twenty", 1, 20, 0.95L, 0.001265089L, 0.2487328L},
                    IntervalCase{"half_of_hundred", 50, 100, 0.95L, 0.3983211L, 0.6016789L}),
    [](const testing::TestParamInfo<IntervalCase>& i) { return i.param.name; });

TEST(ClopperPearson, NoTrialsNoInterval) {
    EXPECT_FALSE(clopper_pearson(0, 0, 0.95L));
}

TEST(ClopperPearson, HigherConfidenceWidensTheInterval) {
    const Interval a = *clopper_pearson(30, 200, 0.9L), b = *clopper_pearson(30, 200, 0.99L);
    EXPECT_LT(b.lo, a.lo);
    EXPECT_GT(b.hi, a.hi);
    EXPECT_LT(a.lo, 0.15L);
    EXPECT_GT(a.hi, 0.15L);
}

// Below a confidence of about 5.4e-20 the tail (1 - c) / 2 is exactly 1/2 in 80 bits, where the
// library's root search finds no root for 9 trials; the bounds are then the medians of the two
// beta distributions: of Beta(5, 5) exactly 1/2 by symmetry, of Beta(4, 6) 0.39308...
TEST(ClopperPearson, AConfidenceNearZeroGivesTheMedians) {
    for (Extended c : {1e-20L, 5.4e-20L, 1e-30L, 1e-4000L}) {
        const Interval four = *clopper_pearson(4, 9, c), five = *clopper_pearson(5, 9, c);
        EXPECT_EXTENDED_NEAR(four.lo, 0.393084832810629511798L, 1e-17L);
        EXPECT_EXTENDED_NEAR(four.hi, 0.5L, 1e-18L);
        EXPECT_EXTENDED_NEAR(five.lo, 0.5L, 1e-18L);
        EXPECT_EXTENDED_NEAR(five.hi, 1 - 0.393084832810629511798L, 1e-17L);
    }
}

// Every count of up to 40 trials at confidences from almost none to almost all: an interval in
// [0, 1], in order, and narrower at a lower confidence.
TEST(ClopperPearson, EveryCountAtEveryConfidenceGivesAnOrderedInterval) {
    for (Count n = 1; n <= 40; ++n)
        for (Count k = 0; k <= n; ++k) {
            const Interval widest = *clopper_pearson(k, n, 1 - 1e-18L);
            for (Extended c : {1e-30L, 1e-20L, 1e-10L, 0.5L, 0.95L}) {
                const Interval i = *clopper_pearson(k, n, c);
                EXPECT_LE(0, i.lo) << k << " of " << n << " at " << static_cast<double>(c);
                EXPECT_LE(i.lo, i.hi) << k << " of " << n << " at " << static_cast<double>(c);
                EXPECT_LE(i.hi, 1) << k << " of " << n << " at " << static_cast<double>(c);
                EXPECT_LE(widest.lo, i.lo) << k << " of " << n;
                EXPECT_GE(widest.hi, i.hi) << k << " of " << n;
            }
        }
}

}  // namespace
}  // namespace tavolin
