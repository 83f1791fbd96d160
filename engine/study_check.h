// SPDX-License-Identifier: GPL-3.0-or-later
// The checks of a study's plan, made once for the command and the study window alike: each
// front end parses its own inputs into a plan and turns a refusal into its own message.
#pragma once

#include <optional>
#include <string>

#include "engine/study.h"

namespace tavolin {

inline constexpr int kMostStudyPoints = 100000;

// What a plan can be refused for, in the order the checks are made.
enum class StudyFault {
    NoCodes,
    CodeOnErasure,   // a code the erasure channel cannot take; `detail` names it
    VariesErasure,   // an erasure probability varied on the inversion channel
    FromOutOfRange,  // the range's ends are probabilities
    ToOutOfRange,
    FromAboveTo,
    LogFromZero,           // a geometric spacing cannot start at 0
    PointsOutOfRange,      // 1 .. kMostStudyPoints
    RowAboveOne,           // a channel row sums to more than 1 at `at`
    RunRefused,            // a cell's run would be refused: `detail` is its message
    StopRuleBelowOne,      // both counts of the stop rule are at least 1
    ConfidenceOutOfRange,  // strictly between 0 and 1
};

struct StudyRefusal {
    StudyFault fault;
    Extended at = 0;
    std::string detail;
};

std::optional<StudyRefusal> check_study(const StudyPlan& plan);

}  // namespace tavolin
