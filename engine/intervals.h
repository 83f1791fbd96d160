// SPDX-License-Identifier: GPL-3.0-or-later
// Confidence intervals of a share counted in a run.
#pragma once

#include <optional>

#include "core/types.h"

namespace tavolin {

struct Interval {
    Extended lo = 0, hi = 0;
};

// The Clopper-Pearson (exact binomial) interval of `successes` in `trials` at `confidence`
// (0 < confidence < 1); none when there were no trials.
std::optional<Interval> clopper_pearson(Count successes, Count trials, Extended confidence);

}  // namespace tavolin
