// SPDX-License-Identifier: GPL-3.0-or-later
// EXPECT_NEAR in 80-bit: GoogleTest's own compares in double, which cannot see a difference of
// 1e-18 and rounds the values it reports.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <sstream>

#include "core/types.h"

namespace tavolin::testing_support {

inline testing::AssertionResult extended_near(const char* a_text, const char* b_text,
                                              const char* tolerance_text, Extended a, Extended b,
                                              Extended tolerance) {
    const Extended difference = std::fabs(a - b);
    if (difference <= tolerance) return testing::AssertionSuccess();
    std::ostringstream m;
    m << std::setprecision(21) << "The difference between " << a_text << " and " << b_text << " is "
      << difference << ", which exceeds " << tolerance_text << ", where\n"
      << a_text << " evaluates to " << a << ",\n"
      << b_text << " evaluates to " << b << ", and\n"
      << tolerance_text << " evaluates to " << tolerance << ".";
    return testing::AssertionFailure() << m.str();
}

}  // namespace tavolin::testing_support

#define EXPECT_EXTENDED_NEAR(a, b, tolerance) \
    EXPECT_PRED_FORMAT3(::tavolin::testing_support::extended_near, a, b, tolerance)
