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

}  // namespace
}  // namespace tavolin
