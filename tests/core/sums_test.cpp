// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sums.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/number_text.h"

namespace tavolin {
namespace {

// Probabilities as the window holds them: each cell's text converted to the nearest extended.
vect from_texts(const std::string& list) {
    vect v;
    std::stringstream ss(list);
    for (std::string item; std::getline(ss, item, ',');) v.push_back(to_number(item, '.'));
    return v;
}

Extended first_to_last(const vect& v) {
    Extended s = 0;
    for (Extended x : v) s += x;
    return s;
}

TEST(Sum, SixteenSixteenthsAreExactlyOne) {
    EXPECT_EQ(Sum(vect(16, to_number("0.0625", '.'))), 1.0L);
}

TEST(Sum, OrderMakesEightTenthsAndOneFifthExactlyOne) {
    const vect v = from_texts("0.1,0.1,0.1,0.1,0.1,0.1,0.1,0.1,0.2");
    EXPECT_EQ(Sum(v), 1.0L);
    EXPECT_NE(first_to_last(v), 1.0L);
}

TEST(Sum, OrderRefusesASetThatAddsToOneFromFirstToLast) {
    const vect v = from_texts("0.22,0.18,0.11,0.24,0.01,0.03,0.04,0.08,0.09");
    EXPECT_NE(Sum(v), 1.0L);
    EXPECT_EQ(first_to_last(v), 1.0L);
}

TEST(Sum, PartialSumsTakeTheirElementsFromTheTopDown) {
    // 2^-66 vanishes when added to 1, so the order of additions shows in the result.
    const Extended tiny = 0x1p-66L;
    EXPECT_EQ(Sum({tiny, 0, 0, 0, 1, 0, 0, 0, -1}), tiny);  // S0 = (-1 + 1) + tiny
    EXPECT_EQ(Sum({tiny, 1, -1}), 0.0L);                    // S2 + (S1 + S0) = -1 + (1 + tiny)
    EXPECT_EQ(Sum({}), 0.0L);
}

TEST(Summa, AddsCountsExactly) {
    EXPECT_EQ(Summa({}), 0.0L);
    EXPECT_EQ(Summa({1000, 2000, 0, 5}), 3005.0L);
    EXPECT_EQ(Summa({Count{1} << 40, 1}), static_cast<Extended>((Count{1} << 40) + 1));
}

}  // namespace
}  // namespace tavolin
