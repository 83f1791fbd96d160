// SPDX-License-Identifier: GPL-3.0-or-later
// Generator polynomials with what the polynomial test makes of them, shared by the tests of the
// test itself and of the prompt that uses it.
#pragma once

#include "core/types.h"

namespace tavolin::testing_support {

struct PolynomialCase {
    const char* bits;
    bool passes;
    Cardinal distinct, needed;  // remainders of x^r .. x^(r+m-1) found, and m
};

inline constexpr PolynomialCase kPolynomialCases[] = {
    {"1101", true, 7, 7},  {"1011", true, 7, 7}, {"10011", true, 15, 15}, {"1111", false, 4, 7},
    {"1001", false, 3, 7}, {"100", false, 1, 3}, {"1", true, 0, 0},       {"10", true, 1, 1},
};

// A primitive polynomial of every degree from 3 to 12.
inline constexpr const char* kPrimitivePolynomials[] = {
    "1011",      "10011",      "100101",      "1000011",      "10001001",
    "100011101", "1000010001", "10000001001", "100000000101", "1000001010011",
};

}  // namespace tavolin::testing_support
