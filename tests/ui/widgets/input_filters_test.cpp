// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/input_filters.h"

#include <gtest/gtest.h>

namespace tavolin::ui {
namespace {

TEST(CodeCellFilter, DigitsUpToEightCharacters) {
    EXPECT_TRUE(code_cell_accepts("0101", '1'));
    EXPECT_TRUE(code_cell_accepts("0101010", '0'));
    EXPECT_FALSE(code_cell_accepts("01010101", '1'));
    EXPECT_TRUE(code_cell_accepts("01010101", kBackspace));
    EXPECT_FALSE(code_cell_accepts("01", '2'));
    EXPECT_FALSE(code_cell_accepts("01", 'a'));
    EXPECT_FALSE(code_cell_accepts("01", QChar(22)));
}

TEST(ProbabilityCellFilter, NumberTextsInTheRegionalForm) {
    EXPECT_TRUE(probability_cell_accepts("", ',', ','));
    EXPECT_TRUE(probability_cell_accepts(",", '5', ','));
    EXPECT_TRUE(probability_cell_accepts("1e", '-', ','));
    EXPECT_FALSE(probability_cell_accepts("", '-', ','));
    EXPECT_FALSE(probability_cell_accepts("0", '.', ','));
    EXPECT_TRUE(probability_cell_accepts("0", '.', '.'));
    EXPECT_TRUE(probability_cell_accepts("abc", kBackspace, ','));
}

TEST(ChannelCellFilter, RowSumAtMostOne) {
    EXPECT_FALSE(channel_cell_accepts("0,", '5', "0,6", ','));
    EXPECT_TRUE(channel_cell_accepts("0,", '3', "0,6", ','));
    EXPECT_TRUE(channel_cell_accepts("0,", '4', "0,6", ','));  // exactly 1
    EXPECT_TRUE(channel_cell_accepts("", '1', "0", ','));
    EXPECT_TRUE(channel_cell_accepts("0,5", '5', "junk", ','));  // no number counts as 0
    EXPECT_FALSE(channel_cell_accepts("", 'x', "0", ','));
    EXPECT_TRUE(channel_cell_accepts("0,9", kBackspace, "0,6", ','));
}

TEST(EditFilters, ControlCharactersAreRefusedInTheEditBoxes) {
    for (QChar c : {kBackspace, QChar(13), QChar(22)}) {
        EXPECT_FALSE(bit_time_accepts("0,0002", c, ','));
        EXPECT_FALSE(packet_size_accepts("1000", c));
    }
    EXPECT_TRUE(bit_time_accepts("0,000", '5', ','));
    EXPECT_FALSE(packet_size_accepts("5000", '1'));
    EXPECT_TRUE(packet_size_accepts("5000", '0'));
    EXPECT_TRUE(packet_size_accepts("1000", '9'));  // 10009: the candidate, not the result
    EXPECT_FALSE(packet_size_accepts("", 'x'));
}

}  // namespace
}  // namespace tavolin::ui
