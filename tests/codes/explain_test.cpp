// SPDX-License-Identifier: GPL-3.0-or-later
// What each decoder says it saw in a received word, on words worked out by hand.
#include <gtest/gtest.h>

#include "code_fixture.h"
#include "codes/bitstring.h"
#include "codes/code.h"
#include "codes/cyclic.h"

namespace tavolin {
namespace {

using testing_support::flip_sent_bits;
using testing_support::started_state;

// Bits numbered as sent, bit 1 the first (highest) of an n0-bit word.
Word bits(Byte n0, std::initializer_list<int> positions) {
    return flip_sent_bits(0, n0, positions);
}

// The remainder of `u` divided by `pol`, by long division.
Word remainder(Cardinal u, Word pol) {
    const Byte r = degree(pol);
    for (int b = 15; b >= r; --b)
        if (u & (1u << b)) u ^= Cardinal{pol} << (b - r);
    return static_cast<Word>(u);
}

struct ExplainCase {
    const char* name;
    Byte coding_type;
    Word polynomial;  // cyclic only
    enc_sym received;
    enc_sym decoded;
    std::string expected;
};

class Explained : public testing::TestWithParam<ExplainCase> {};

TEST_P(Explained, SaysWhatTheDecoderSaw) {
    const ExplainCase& c = GetParam();
    SimState st = started_state(c.coding_type);
    if (c.polynomial) st.Polinom_default = c.polynomial;
    const std::unique_ptr<Code> code = make_code(st);
    EXPECT_EQ(code->explain(c.received, c.decoded), c.expected);
}

// The (12, 4) cyclic code of x^8 + x^7 + x^6 + x^4 + 1 has distance 5, so its search reaches
// and corrects every double error.
constexpr Word kDistanceFive = 0b111010001;
const Word kDoubleError = bits(12, {1, 2});

INSTANTIATE_TEST_SUITE_P(
    Words, Explained,
    testing::Values(
        // 1101: x^6 = x^2 + x modulo x^3 + x^2 + 1, the remainder of an error in bit 1.
        ExplainCase{"cyclic_single_error_corrected",
                    kCyclic,
                    13,
                    {bits(7, {1}), 0},
                    {0, 0},
                    "остаток 110, вектор ошибки 1000000"},
        // Symbol 1's code word 0001101 received for symbol 0's: nothing to find.
        ExplainCase{"cyclic_undetected_error", kCyclic, 13, {0b0001101, 0}, {1, 0}, "остаток 000"},
        ExplainCase{"cyclic_double_error_corrected",
                    kCyclic,
                    kDistanceFive,
                    {kDoubleError, 0},
                    {0, 0},
                    "остаток " + IntToBin(remainder(kDoubleError, kDistanceFive), 8) +
                        ", вектор ошибки 110000000000"},
        ExplainCase{
            "hamming_single_error", kHamming, 0, {bits(7, {5}), 0}, {0, 0}, "синдром 101: бит 5"},
        // Two errors name a third bit, and the word is decoded wrong.
        ExplainCase{"hamming_double_error",
                    kHamming,
                    0,
                    {bits(7, {1, 2}), 0},
                    {8, 0},
                    "синдром 011: бит 3"},
        ExplainCase{"hamming_no_error", kHamming, 0, {0b1101001, 0}, {1, 0}, "синдром 000"},
        // Bit 5 inverted and bit 3 erased: filled with 0 a single error in bit 5, decoded to
        // 0; filled with 1 errors in 3 and 5 naming bit 6, decoded to 14. The draw decides.
        ExplainCase{"hamming_tie_break_to_zero",
                    kHamming,
                    0,
                    {bits(7, {5}), bits(7, {3})},
                    {0, 0},
                    "стирание, ничья: выбрано заполнение 0; синдром 101: бит 5"},
        ExplainCase{"hamming_tie_break_to_one",
                    kHamming,
                    0,
                    {bits(7, {5}), bits(7, {3})},
                    {14, 0},
                    "стирание, ничья: выбрано заполнение 1; синдром 110: бит 6"},
        ExplainCase{"hamming_fillings_agree",
                    kHamming,
                    0,
                    {0, bits(7, {1})},
                    {0, 0},
                    "стирание, заполнения совпали; синдром 001: бит 1"},
        ExplainCase{"hamming_two_erasures",
                    kHamming,
                    0,
                    {0, bits(7, {1, 3})},
                    {0, 0b0010},
                    "стираний: 2, слово не декодируется"},
        ExplainCase{"cyclic_three_erasures",
                    kCyclic,
                    13,
                    {0, bits(7, {1, 2, 7})},
                    {0, 0b1100},
                    "стираний: 3, слово не декодируется"},
        // Frame 3: word bit 1 is information bit 1, checked by control bits 1 and 4; word bit 2
        // is control bit 1 itself.
        ExplainCase{"continuous_information_bit",
                    kContinuous,
                    0,
                    {bits(14, {1}), 0},
                    {0, 0},
                    "расходятся контрольные биты 1, 4"},
        ExplainCase{"continuous_control_bit",
                    kContinuous,
                    0,
                    {bits(14, {2}), 0},
                    {0, 0},
                    "расходятся контрольные биты 1"},
        ExplainCase{"continuous_no_error", kContinuous, 0, {0, 0}, {0, 0}, "расхождений нет"},
        ExplainCase{"none", kNoCoding, 0, {0b1011, 0b0100}, {0b1011, 0b0100}, "—"}),
    [](const testing::TestParamInfo<ExplainCase>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace tavolin
