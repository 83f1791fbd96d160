#include "engine/intervals.h"

#include <boost/math/distributions/binomial.hpp>

namespace tavolin {

std::optional<Interval> clopper_pearson(Count successes, Count trials, Extended confidence) {
    if (trials == 0) return std::nullopt;
    using boost::math::binomial_distribution;
    const auto n = static_cast<Extended>(trials), k = static_cast<Extended>(successes);
    const Extended tail = (1 - confidence) / 2;
    return Interval{binomial_distribution<Extended>::find_lower_bound_on_p(n, k, tail),
                    binomial_distribution<Extended>::find_upper_bound_on_p(n, k, tail)};
}

}  // namespace tavolin
