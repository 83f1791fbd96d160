// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/intervals.h"

#include <boost/math/distributions/binomial.hpp>
#include <boost/math/special_functions/beta.hpp>
#include <cmath>
#include <exception>

namespace tavolin {

namespace {

// The p in [0, 1] where the increasing function `f` reaches `target`, by halving the bracket
// until it holds adjacent values.
template <typename F>
Extended bisect(F f, Extended target) {
    Extended lo = 0, hi = 1;
    for (;;) {
        const Extended mid = lo + (hi - lo) / 2;
        if (mid <= lo || mid >= hi) return target - f(lo) <= f(hi) - target ? lo : hi;
        (f(mid) < target ? lo : hi) = mid;
    }
}

// Boost's root search fails for a few inputs (9 trials, 4 or 5 successes, a tail of exactly
// 1/2, as at a confidence below about 5.4e-20); the bounds are then found from the beta
// distribution's own function, which is increasing in p.
Extended lower_bound(Extended n, Extended k, Extended tail) {
    try {
        return boost::math::binomial_distribution<Extended>::find_lower_bound_on_p(n, k, tail);
    } catch (const std::exception&) {
        if (k == 0) return 0;
        return bisect([&](Extended p) { return boost::math::ibeta(k, n - k + 1, p); }, tail);
    }
}

Extended upper_bound(Extended n, Extended k, Extended tail) {
    try {
        return boost::math::binomial_distribution<Extended>::find_upper_bound_on_p(n, k, tail);
    } catch (const std::exception&) {
        if (k == n) return 1;
        return bisect([&](Extended p) { return boost::math::ibeta(k + 1, n - k, p); }, 1 - tail);
    }
}

}  // namespace

std::optional<Interval> clopper_pearson(Count successes, Count trials, Extended confidence) {
    if (trials == 0) return std::nullopt;
    const auto n = static_cast<Extended>(trials), k = static_cast<Extended>(successes);
    const Extended tail = (1 - confidence) / 2;
    return Interval{lower_bound(n, k, tail), upper_bound(n, k, tail)};
}

}  // namespace tavolin
