// SPDX-License-Identifier: GPL-3.0-or-later
// Channels and codes for the exact calculation's tests: a run's inputs as the command takes
// them, and a code by the name a study gives it.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/exact.h"
#include "engine/study_codes.h"

namespace tavolin::testing_support {

struct Channel {
    const char* name;
    bool erasure;
    const char *p0, *p1, *e0 = "0", *e1 = "0";
};

inline void PrintTo(const Channel& c, std::ostream* os) {
    *os << c.name << " (p0 " << c.p0 << ", p1 " << c.p1 << ", e0 " << c.e0 << ", e1 " << c.e1
        << ")";
}

inline RunTexts channel_texts(const Channel& c) {
    RunTexts t;
    t.erasure = c.erasure;
    t.p0 = c.p0;
    t.p1 = c.p1;
    t.e0 = c.e0;
    t.e1 = c.e1;
    return t;
}

inline StudyCode study_code(const std::string& name) {
    const StudyCodeRead read = read_study_code(name);
    EXPECT_TRUE(read.code) << name;
    return read.code.value_or(StudyCode{});
}

inline ExactValues exact_of(const RunTexts& texts, const std::string& code) {
    const std::optional<ExactValues> x = exact_values(texts, study_code(code));
    EXPECT_TRUE(x) << code;
    return x.value_or(ExactValues{});
}

// The probability that the symbol sent as row `s` arrives as anything else.
inline Extended wrong_of(const ExactValues& x, std::size_t s) {
    Extended w = 0;
    for (std::size_t c = 0; c < x.classes[s].size(); ++c)
        if (c != s) w += x.classes[s][c];
    return w;
}

// A nine-symbol alphabet whose probabilities add up to exactly 1.
inline const std::vector<std::string> kNineSymbols = {
    "0.25", "0.125", "0.125", "0.125", "0.125", "0.0625", "0.0625", "0.0625", "0.0625"};

}  // namespace tavolin::testing_support
