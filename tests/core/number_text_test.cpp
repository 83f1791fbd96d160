// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "../case_names.h"

namespace tavolin {
namespace {

struct NumberCase {
    const char* text;
    char sep;
    std::optional<Extended> value;
};

class NumberTextSyntax : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberTextSyntax, AcceptsExactlyNumberTexts) {
    const NumberCase& c = GetParam();
    const std::optional<Extended> got = parse_number(c.text, c.sep);
    ASSERT_EQ(got.has_value(), c.value.has_value()) << '"' << c.text << '"';
    if (c.value) {
        EXPECT_EQ(*got, *c.value) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberTextSyntax,
    testing::Values(NumberCase{"0,5", ',', 0.5L}, NumberCase{",5", ',', 0.5L},
                    NumberCase{"5,", ',', 5.0L}, NumberCase{",", ',', 0.0L},
                    NumberCase{"1e-3", ',', 0.001L}, NumberCase{"1e-", ',', 1.0L},
                    NumberCase{"1E+2", '.', 100.0L}, NumberCase{" +1,5e2  ", ',', 150.0L},
                    NumberCase{"-0,5", ',', -0.5L}, NumberCase{",e5", ',', 0.0L},
                    NumberCase{"0.1", ',', std::nullopt}, NumberCase{"-", ',', std::nullopt},
                    NumberCase{"+", '.', std::nullopt}, NumberCase{" ", '.', std::nullopt},
                    NumberCase{"", '.', std::nullopt}, NumberCase{"1 2", '.', std::nullopt},
                    NumberCase{"e5", '.', std::nullopt}, NumberCase{"1e5x", '.', std::nullopt},
                    NumberCase{"abc", '.', std::nullopt}, NumberCase{"1e99999", '.', std::nullopt},
                    NumberCase{"1e-99999", '.', 0.0L}, NumberCase{"\t1", '.', std::nullopt}),
    [](const testing::TestParamInfo<NumberCase>& i) {
        using testing_support::spelled;
        return spelled(i.param.text) + "_with_" + spelled(std::string(1, i.param.sep)) + "_" +
               std::to_string(i.index);
    });

TEST(NumberText, ConvertsToTheNearestExtendedNeverThroughDouble) {
    EXPECT_EQ(parse_number("0.1", '.'), 0.1L);
    EXPECT_NE(*parse_number("0.1", '.'), static_cast<Extended>(0.1));
    EXPECT_EQ(parse_number("0,22", ','), 0.22L);
    EXPECT_EQ(parse_number("1.18973149535723176502e+4932", '.'),
              std::numeric_limits<Extended>::max());
}

struct IntegerCase {
    const char* text;
    std::optional<Integer> value;
};

class IntegerTextSyntax : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerTextSyntax, AcceptsExactlyIntegerTexts) {
    EXPECT_EQ(parse_integer(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntegerTextSyntax,
    testing::Values(IntegerCase{"1000", 1000}, IntegerCase{"  -5", -5}, IntegerCase{"+7", 7},
                    IntegerCase{"$1F", 31}, IntegerCase{"0x10", 16}, IntegerCase{"X10", 16},
                    IntegerCase{"0", 0}, IntegerCase{"2147483647", 2147483647},
                    IntegerCase{"-2147483648", std::numeric_limits<Integer>::min()},
                    IntegerCase{"2147483648", std::nullopt}, IntegerCase{"65537", 65537},
                    IntegerCase{"1 ", std::nullopt}, IntegerCase{"", std::nullopt},
                    IntegerCase{"-", std::nullopt}, IntegerCase{"2,5", std::nullopt},
                    IntegerCase{"0x", std::nullopt}, IntegerCase{"$G", std::nullopt}),
    [](const testing::TestParamInfo<IntegerCase>& i) {
        return testing_support::case_name(i.index, i.param.text);
    });

TEST(NumberText, StrictConversionNamesTheText) {
    EXPECT_EQ(to_number("0,25", ','), 0.25L);
    try {
        to_number("abc", ',');
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
    EXPECT_THROW(to_number("", '.'), ConversionError);
}

TEST(NumberText, LenientConversionFallsBack) {
    EXPECT_EQ(to_number_or("x", '.', 0.0002L), 0.0002L);
    EXPECT_EQ(to_number_or("0.5", '.', 7), 0.5L);
    EXPECT_EQ(to_integer_or("12a", 1000), 1000);
    EXPECT_EQ(to_integer_or("12", 1000), 12);
}

struct FixedCase {
    Extended value;
    int precision, decimals;
    char sep;
    const char* text;
};

class FixedFormat : public testing::TestWithParam<FixedCase> {};

std::string fixed_case_name(const testing::TestParamInfo<FixedCase>& i) {
    return testing_support::case_name(i.index, i.param.text);
}

TEST_P(FixedFormat, RoundsHalvesAwayFromZeroAndPads) {
    const FixedCase& c = GetParam();
    EXPECT_EQ(format_fixed(c.value, c.precision, c.decimals, c.sep), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FixedFormat,
    testing::Values(
        FixedCase{1.0L / 32, 5, 4, '.', "0.0313"}, FixedCase{-1.0L / 32, 5, 4, '.', "-0.0313"},
        FixedCase{3.0L / 7, 5, 4, ',', "0,4286"}, FixedCase{1, 5, 4, ',', "1,0000"},
        FixedCase{0, 5, 4, ',', "0,0000"}, FixedCase{-0.0L, 5, 4, '.', "0.0000"},
        FixedCase{-0.00004L, 5, 4, '.', "0.0000"}, FixedCase{1.0L / 3, 5, 4, ',', "0,3333"},
        FixedCase{2.0L / 3, 5, 4, ',', "0,6667"}, FixedCase{1, 9, 6, ',', "1,000000"},
        FixedCase{0.5L, 9, 6, ',', "0,500000"}, FixedCase{12.345678L, 5, 4, '.', "12.3460"},
        FixedCase{9.99996L, 5, 4, '.', "10.0000"},
        FixedCase{2268.9418480333534L, 5, 4, '.', "2268.9000"},
        FixedCase{123456, 5, 4, '.', "1.2346E+005"}, FixedCase{1.0L / 9, 5, 4, '.', "0.1111"},
        FixedCase{0.00005L, 5, 4, '.', "0.0001"}),
    fixed_case_name);

// Rounding is decided once, on the exact binary value: a value stored just below a half-way
// point rounds down even where its 18-digit decimal form is the tie itself.
INSTANTIATE_TEST_SUITE_P(
    HalfWay, FixedFormat,
    testing::Values(
        // 117 of 160 is 0.73125 - 1.08e-20 in 80 bits.
        FixedCase{117.0L / 160, 5, 4, ',', "0,7312"},
        // 1/32 is exactly the half-way point 0.03125.
        FixedCase{std::nextafter(1.0L / 32, 0.0L), 5, 4, '.', "0.0312"},
        FixedCase{1.0L / 32, 5, 4, '.', "0.0313"},
        FixedCase{std::nextafter(1.0L / 32, 1.0L), 5, 4, '.', "0.0313"},
        FixedCase{-std::nextafter(1.0L / 32, 0.0L), 5, 4, '.', "-0.0312"},
        // The nearest 80-bit value to 0.99995 lies below it, to 0.00005 above it.
        FixedCase{0.99995L, 5, 4, '.', "0.9999"}, FixedCase{0.00005L, 5, 4, '.', "0.0001"},
        // A tie at the units, below and at it.
        FixedCase{std::nextafter(1234.5L, 0.0L), 5, 0, '.', "1234"},
        FixedCase{1234.5L, 5, 0, '.', "1235"},
        FixedCase{std::numeric_limits<Extended>::denorm_min(), 5, 4, '.', "0.0000"},
        FixedCase{std::numeric_limits<Extended>::max(), 5, 4, '.', "1.1897E+4932"}),
    fixed_case_name);

TEST(FixedFormat, NonFiniteValuesDoNotReadBackAsNumbers) {
    for (Extended v :
         {std::numeric_limits<Extended>::infinity(), -std::numeric_limits<Extended>::infinity(),
          std::numeric_limits<Extended>::quiet_NaN()}) {
        EXPECT_FALSE(parse_number(format_fixed(v, 5, 4, ','), ',').has_value());
    }
}

struct GeneralCase {
    Extended value;
    char sep;
    const char* text;
};

class GeneralFormat : public testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralFormat, FifteenDigitsTrailingZerosDropped) {
    EXPECT_EQ(format_general(GetParam().value, GetParam().sep), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GeneralFormat,
    testing::Values(GeneralCase{0.0625L, ',', "0,0625"}, GeneralCase{0.0002L, ',', "0,0002"},
                    GeneralCase{0.0002L, '.', "0.0002"}, GeneralCase{1, '.', "1"},
                    GeneralCase{0, '.', "0"}, GeneralCase{0.1L, '.', "0.1"},
                    GeneralCase{123.5L, '.', "123.5"}, GeneralCase{-2.5L, ',', "-2,5"},
                    GeneralCase{0.00001L, '.', "0.00001"}, GeneralCase{1e-6L, '.', "1E-6"},
                    GeneralCase{1.5e-7L, ',', "1,5E-7"}, GeneralCase{1e15L, '.', "1E15"},
                    GeneralCase{123456789012345.0L, '.', "123456789012345"},
                    GeneralCase{1.0L / 3, '.', "0.333333333333333"}),
    [](const testing::TestParamInfo<GeneralCase>& i) {
        return testing_support::case_name(i.index, i.param.text);
    });

TEST(RoundTripFormat, ReadsBackAsTheSameExtendedValue) {
    for (Extended v : {0.1L, 1.0L / 3, 0.0625L, 1e-300L, 123456789.123456789L, -2.5L,
                       std::nextafter(1.0L / 32, 0.0L), std::numeric_limits<Extended>::max(),
                       std::numeric_limits<Extended>::denorm_min()}) {
        const std::string text = format_round_trip(v);
        EXPECT_EQ(parse_number(text, '.'), v) << text;
    }
    EXPECT_EQ(format_round_trip(0.5L), "0.5");
    EXPECT_EQ(format_round_trip(0.1L), "0.100000000000000000001");
}

}  // namespace
}  // namespace tavolin
