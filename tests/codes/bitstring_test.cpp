// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/bitstring.h"

#include <gtest/gtest.h>

#include <bit>

namespace tavolin {
namespace {

TEST(IntToBin, KeepsTheLowBitsMostSignificantFirst) {
    EXPECT_EQ(IntToBin(5, 4), "0101");
    EXPECT_EQ(IntToBin(13, 3), "101");
    EXPECT_EQ(IntToBin(13, 4), "1101");
    EXPECT_EQ(IntToBin(0, 4), "0000");
    EXPECT_EQ(IntToBin(255, 4), "1111");
    EXPECT_EQ(IntToBin(12345, 0), "");
    EXPECT_EQ(IntToBin(0xFFFFFFFFu, 32), std::string(32, '1'));
}

TEST(BinToInt, ReadsBitStringsAndAbsorbsOtherCharacters) {
    EXPECT_EQ(BinToInt("1101"), 13u);
    EXPECT_EQ(BinToInt("0001101"), 13u);
    EXPECT_EQ(BinToInt(""), 0u);
    EXPECT_EQ(BinToInt(std::string(32, '1')), 0xFFFFFFFFu);
    EXPECT_EQ(BinToInt("12"), 4u);  // '2' adds 2
    for (Cardinal v : {0u, 1u, 6u, 0x8000u, 0xFFFFu}) EXPECT_EQ(BinToInt(IntToBin(v, 16)), v);
}

TEST(BinToInt, CountsLengthInEightBits) {
    // 257 characters count as 1: only the first is read.
    EXPECT_EQ(BinToInt("1" + std::string(256, '1')), 1u);
}

TEST(CheckStr, AcceptsNonZeroBitStringsOnly) {
    for (const char* bad : {"", "0", "00", "000", "1a1", "12", " 1"})
        EXPECT_FALSE(Check_Str(bad)) << bad;
    for (const char* good : {"1", "10", "0001", "0101", "1101"})
        EXPECT_TRUE(Check_Str(good)) << good;
}

TEST(NAnd, ReadsOneBit) {
    EXPECT_EQ(n_and(6, 2), 1);
    EXPECT_EQ(n_and(6, 1), 0);
    for (Word x : {Word{0}, Word{1}, Word{0xFFFF}}) EXPECT_EQ(n_and(x, 0), 0);
}

TEST(Rast, CountsDifferingBits) {
    EXPECT_EQ(rast(0x1234, 0x1234), 0);
    EXPECT_EQ(rast(0, 65535), 16);
    EXPECT_EQ(rast(13, 6), 3);
}

TEST(BitCount, CountsTheSetBitsOfEveryWord) {
    for (Cardinal w = 0; w <= 0xFFFF; ++w)
        ASSERT_EQ(bit_count(static_cast<Word>(w)), std::popcount(w)) << w;
}

TEST(XorStr, ComparesAlignedAtTheEnd) {
    EXPECT_EQ(xor_str("1101", "11"), "1110");
    EXPECT_EQ(xor_str("101", "101"), "000");
    EXPECT_EQ(xor_str("1", "1000"), "1001");
    EXPECT_EQ(xor_str("", ""), "");
    EXPECT_EQ(xor_str("0110", ""), "0110");
}

}  // namespace
}  // namespace tavolin
