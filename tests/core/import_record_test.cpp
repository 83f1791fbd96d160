// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import_record.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace tavolin {
namespace {

using Limits = std::numeric_limits<Extended>;

std::array<unsigned char, 10> bytes_of(std::uint64_t significand, unsigned sign_exponent) {
    std::array<unsigned char, 10> b{};
    for (int i = 0; i < 8; ++i) b[i] = static_cast<unsigned char>(significand >> (8 * i));
    b[8] = static_cast<unsigned char>(sign_exponent);
    b[9] = static_cast<unsigned char>(sign_exponent >> 8);
    return b;
}

enum class Kind { Value, Infinity, NaN };

struct EncodingCase {
    const char* name;
    std::uint64_t significand;
    unsigned sign_exponent;
    Kind kind;
    Extended value;  // of a Value; its sign for an infinity
};

constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

class ExtendedEncodings : public testing::TestWithParam<EncodingCase> {};

TEST_P(ExtendedEncodings, DecodeToTheirFieldsValue) {
    const EncodingCase& c = GetParam();
    const Extended got = decode_extended(bytes_of(c.significand, c.sign_exponent).data());
    switch (c.kind) {
        case Kind::Value:
            EXPECT_EQ(got, c.value);
            EXPECT_EQ(std::signbit(got), std::signbit(c.value));
            break;
        case Kind::Infinity:
            EXPECT_TRUE(std::isinf(got));
            EXPECT_EQ(std::signbit(got), std::signbit(c.value));
            break;
        case Kind::NaN:
            EXPECT_TRUE(std::isnan(got));
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryClass, ExtendedEncodings,
    testing::Values(
        EncodingCase{"one", kIntegerBit, 0x3FFF, Kind::Value, 1.0L},
        EncodingCase{"negative_three", kIntegerBit | (kIntegerBit >> 1), 0xC000, Kind::Value,
                     -3.0L},
        EncodingCase{"zero", 0, 0, Kind::Value, 0.0L},
        EncodingCase{"negative_zero", 0, 0x8000, Kind::Value, -0.0L},
        EncodingCase{"largest", ~std::uint64_t{0}, 0x7FFE, Kind::Value, Limits::max()},
        EncodingCase{"smallest_normal", kIntegerBit, 0x0001, Kind::Value, Limits::min()},
        EncodingCase{"smallest_denormal", 1, 0, Kind::Value, Limits::denorm_min()},
        EncodingCase{"largest_denormal", kIntegerBit - 1, 0, Kind::Value,
                     Limits::min() - Limits::denorm_min()},
        EncodingCase{"negative_denormal", 3, 0x8000, Kind::Value, -3 * Limits::denorm_min()},
        // The integer bit set with exponent 0 reads at exponent 1, as the processor reads it.
        EncodingCase{"pseudo_denormal", kIntegerBit | 1, 0, Kind::Value,
                     Limits::min() + Limits::denorm_min()},
        // The integer bit clear above exponent 0: the fields' value, not a normalised one.
        EncodingCase{"unnormal_half", kIntegerBit >> 1, 0x3FFF, Kind::Value, 0.5L},
        EncodingCase{"unnormal_tiny", 1, 0x0002, Kind::Value, 2 * Limits::denorm_min()},
        EncodingCase{"unnormal_zero", 0, 0x3FFF, Kind::Value, 0.0L},
        EncodingCase{"infinity", kIntegerBit, 0x7FFF, Kind::Infinity, 1.0L},
        EncodingCase{"negative_infinity", kIntegerBit, 0xFFFF, Kind::Infinity, -1.0L},
        EncodingCase{"pseudo_infinity", 0, 0x7FFF, Kind::Infinity, 1.0L},
        EncodingCase{"quiet_nan", kIntegerBit | (kIntegerBit >> 1), 0x7FFF, Kind::NaN, 0},
        EncodingCase{"signalling_nan", kIntegerBit | 1, 0x7FFF, Kind::NaN, 0},
        EncodingCase{"indefinite", kIntegerBit | (kIntegerBit >> 1), 0xFFFF, Kind::NaN, 0},
        EncodingCase{"pseudo_nan", 1, 0x7FFF, Kind::NaN, 0}),
    [](const testing::TestParamInfo<EncodingCase>& i) { return std::string(i.param.name); });

TEST(ImportRecord, SymbolAndValueWhateverTheFill) {
    for (const unsigned char fill : std::array<unsigned char, 3>{0x00, 0xAB, 0xFF}) {
        std::array<unsigned char, kRecordSize> r{};
        r.fill(fill);
        r[0] = 0x16;  // U+0416, a Cyrillic letter: the high byte counts
        r[1] = 0x04;
        const auto value = bytes_of(kIntegerBit, 0x3FFB);  // 0.0625
        std::copy(value.begin(), value.end(), r.begin() + 8);
        const alp a = decode_record(r.data());
        EXPECT_EQ(a.s, u'\u0416') << int{fill};
        EXPECT_EQ(a.v, 0.0625L) << int{fill};
    }
}

}  // namespace
}  // namespace tavolin
