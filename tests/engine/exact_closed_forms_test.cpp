// SPDX-License-Identifier: GPL-3.0-or-later
// The exact calculation against what can be worked out by hand: words whose outcome depends only
// on how many of their bits were inverted or erased.
#include <gtest/gtest.h>

#include <cmath>

#include "../extended_near.h"
#include "engine/exact.h"
#include "engine/study.h"
#include "exact_fixture.h"

namespace tavolin {
namespace {

using testing_support::channel_texts;
using testing_support::exact_of;
using testing_support::kNineSymbols;
using testing_support::wrong_of;

// C(n, k) x^k (1 - x)^(n - k): each term of a closed form is a product, and the forms add
// them, so a rate of 1e-60 keeps its digits here as it must in the calculation.
Extended binomial_term(int n, int k, Extended x) {
    Extended c = 1;
    for (int i = 1; i <= k; ++i) c = c * (n - k + i) / i;
    return c * std::pow(x, k) * std::pow(1 - x, n - k);
}

// No coding on inversions: a symbol is wrong when any of its 4 bits is inverted.
Extended none_inverted(Extended p) {
    Extended w = 0;
    for (int k = 1; k <= 4; ++k) w += binomial_term(4, k, p);
    return w;
}

// A single-error-correcting code of 7 bits on a symmetric inversion channel: every single error
// is corrected, and every word with two or more lies within one bit of another code word, so
// it is decoded to another symbol (or to a word outside the alphabet, the other column).
Extended single_correcting_inverted(Extended p) {
    Extended w = 0;
    for (int k = 2; k <= 7; ++k) w += binomial_term(7, k, p);
    return w;
}

// No coding on erasures: a word with a mark keeps it and counts in the other column.
Extended none_erased(Extended e) {
    return none_inverted(e);
}

// A 7-bit code with 4 information bits on erasures alone: one erasure is filled either way and
// both fillings decode to the sent word; with two or more the word keeps its received
// information bits, right unless one of them was erased.
Extended single_correcting_erased(Extended e) {
    Extended w = 0;
    for (int info = 1; info <= 4; ++info)
        for (int check = 0; check <= 3; ++check)
            if (info + check >= 2) w += binomial_term(4, info, e) * binomial_term(3, check, e);
    return w;
}

struct ClosedForm {
    const char* code;
    bool erasure;  // the probability is both rows' erasure probability, else their inversion one
    Extended (*wrong)(Extended);
};

void PrintTo(const ClosedForm& f, std::ostream* os) {
    *os << f.code << (f.erasure ? " on erasures" : " on inversions");
}

constexpr ClosedForm kForms[] = {
    {"none", false, none_inverted},
    {"hamming", false, single_correcting_inverted},
    {"cyclic:1101", false, single_correcting_inverted},
    {"cyclic:1011", false, single_correcting_inverted},
    {"none", true, none_erased},
    {"hamming", true, single_correcting_erased},
    {"cyclic:1101", true, single_correcting_erased},
    {"cyclic:1011", true, single_correcting_erased},
};

RunTexts symmetric(bool erasure, Extended x, bool nine_symbols) {
    const std::string v = value_text(x);
    RunTexts t = erasure ? channel_texts({"", true, "0", "0", v.c_str(), v.c_str()})
                         : channel_texts({"", false, v.c_str(), v.c_str()});
    if (nine_symbols) t.probs = kNineSymbols;
    return t;
}

class ExactClosedForm : public testing::TestWithParam<std::tuple<ClosedForm, Extended, bool>> {};

TEST_P(ExactClosedForm, WrongSymbolRateOfEverySymbolAsWorkedOut) {
    const auto& [form, x, nine] = GetParam();
    const ExactValues v = exact_of(symmetric(form.erasure, x, nine), form.code);
    const Extended expected = form.wrong(x);
    ASSERT_GT(expected, 0);
    // Some 20 roundings on either side: relative 1e-15 leaves room for them and none for a
    // rate taken as 1 minus the rest, which is 0 or noise below 1e-19.
    EXPECT_EXTENDED_NEAR(v.wrong_rate, expected, 1e-15L * expected);
    for (std::size_t s = 0; s < v.classes.size(); ++s)
        EXPECT_EXTENDED_NEAR(wrong_of(v, s), expected, 1e-15L * expected) << "symbol " << s;
}

INSTANTIATE_TEST_SUITE_P(Forms, ExactClosedForm,
                         testing::Combine(testing::ValuesIn(kForms),
                                          testing::Values(0.1L, 1e-3L, 1e-6L, 1e-30L),
                                          testing::Bool()));

class ExactNoCoding : public testing::TestWithParam<bool> {};

// Every word of "no coding" counts as an error found, and a distorted one arrives as something
// other than the symbol sent.
TEST_P(ExactNoCoding, DetectsEveryDistortedWordAndCorrectsNone) {
    const RunTexts t = GetParam() ? channel_texts({"", true, "0.01", "0.02", "0.1", "0.2"})
                                  : channel_texts({"", false, "0.05", "0.3"});
    const ExactValues v = exact_of(t, "none");
    EXPECT_EQ(v.detected_share, 1);
    EXPECT_EQ(v.corrected_share, 0);
    for (std::size_t s = 0; s < v.distorted.size(); ++s) {
        EXPECT_EQ(v.detected[s], v.distorted[s]);
        EXPECT_EQ(v.corrected[s], 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Channels, ExactNoCoding, testing::Bool());

// At p = 1e-12 the wrong-symbol rate of Hamming (7, 4) is sum over k >= 2 of C(7, k) p^k
// (1 - p)^(7 - k) (see single_correcting_inverted; it holds for any alphabet, since a word
// decoded to a symbol outside it is wrong too) = 21 p^2 - 70 p^3 + ..., so it differs from
// 21 p^2 by 10/3 p = 3.3e-12 of itself: agreement to 10 digits.
TEST(ExactTinyValues, HammingWrongSymbolRateIs21PSquaredToTenDigits) {
    for (const bool nine : {false, true}) {
        const Extended p = 1e-12L;
        const ExactValues v = exact_of(symmetric(false, p, nine), "hamming");
        EXPECT_EXTENDED_NEAR(v.wrong_rate, 21 * p * p, 1e-10L * 21 * p * p);
        EXPECT_EXTENDED_NEAR(v.wrong_rate, single_correcting_inverted(p), 1e-15L * v.wrong_rate);
    }
}

}  // namespace
}  // namespace tavolin
