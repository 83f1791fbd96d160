// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/input_filters.h"

#include <gtest/gtest.h>

#include <functional>

namespace tavolin::ui {
namespace {

// One typed key against a filter: the whole current text, the key, and whether it is taken.
struct FilterCase {
    const char* name;
    std::function<bool(const QString& text, QChar key)> accepts;
    QString text;
    QChar key;
    bool taken;
};

class InputFilters : public testing::TestWithParam<FilterCase> {};

TEST_P(InputFilters, JudgeTheWholeTextWithTheKey) {
    const FilterCase& c = GetParam();
    EXPECT_EQ(c.accepts(c.text, c.key), c.taken);
}

const auto code_cell = [](const QString& t, QChar k) { return code_cell_accepts(t, k); };
const auto probability_comma = [](const QString& t, QChar k) {
    return probability_cell_accepts(t, k, ',');
};
const auto probability_point = [](const QString& t, QChar k) {
    return probability_cell_accepts(t, k, '.');
};
// The other cell of the row holds 0,6 (or what the case's name says).
const auto channel_beside = [](const char* other) {
    return [other](const QString& t, QChar k) { return channel_cell_accepts(t, k, other, ','); };
};
const auto bit_time = [](const QString& t, QChar k) { return bit_time_accepts(t, k, ','); };
const auto packet_size = [](const QString& t, QChar k) { return packet_size_accepts(t, k); };

INSTANTIATE_TEST_SUITE_P(
    Keys, InputFilters,
    testing::Values(
        // Code cells: binary digits, up to eight of them.
        FilterCase{"code_digit", code_cell, "0101", '1', true},
        FilterCase{"code_seventh_digit", code_cell, "0101010", '0', true},
        FilterCase{"code_ninth_digit", code_cell, "01010101", '1', false},
        FilterCase{"code_backspace_when_full", code_cell, "01010101", kBackspace, true},
        FilterCase{"code_two", code_cell, "01", '2', false},
        FilterCase{"code_letter", code_cell, "01", 'a', false},
        FilterCase{"code_paste", code_cell, "01", QChar(22), false},
        // Probability cells: number texts with the regional separator.
        FilterCase{"probability_separator_first", probability_comma, "", ',', true},
        FilterCase{"probability_digit_after_separator", probability_comma, ",", '5', true},
        FilterCase{"probability_exponent_sign", probability_comma, "1e", '-', true},
        FilterCase{"probability_leading_minus", probability_comma, "", '-', false},
        FilterCase{"probability_point_under_comma", probability_comma, "0", '.', false},
        FilterCase{"probability_point_under_point", probability_point, "0", '.', true},
        FilterCase{"probability_backspace_over_junk", probability_comma, "abc", kBackspace, true},
        // Channel cells: the row's sum stays at most 1.
        FilterCase{"channel_row_above_one", channel_beside("0,6"), "0,", '5', false},
        FilterCase{"channel_row_below_one", channel_beside("0,6"), "0,", '3', true},
        FilterCase{"channel_row_exactly_one", channel_beside("0,6"), "0,", '4', true},
        FilterCase{"channel_one_beside_zero", channel_beside("0"), "", '1', true},
        FilterCase{"channel_beside_no_number", channel_beside("junk"), "0,5", '5', true},
        FilterCase{"channel_letter", channel_beside("0"), "", 'x', false},
        FilterCase{"channel_backspace", channel_beside("0,6"), "0,9", kBackspace, true},
        // The edit boxes take no control characters; the packet size stays at most 50000,
        // judged on the text with the key, not on what a paste would give.
        FilterCase{"bit_time_backspace", bit_time, "0,0002", kBackspace, false},
        FilterCase{"bit_time_enter", bit_time, "0,0002", QChar(13), false},
        FilterCase{"bit_time_paste", bit_time, "0,0002", QChar(22), false},
        FilterCase{"bit_time_digit", bit_time, "0,000", '5', true},
        FilterCase{"packet_size_backspace", packet_size, "1000", kBackspace, false},
        FilterCase{"packet_size_enter", packet_size, "1000", QChar(13), false},
        FilterCase{"packet_size_paste", packet_size, "1000", QChar(22), false},
        FilterCase{"packet_size_above_the_largest", packet_size, "5000", '1', false},
        FilterCase{"packet_size_largest", packet_size, "5000", '0', true},
        FilterCase{"packet_size_candidate", packet_size, "1000", '9', true},
        FilterCase{"packet_size_letter", packet_size, "", 'x', false}),
    [](const testing::TestParamInfo<FilterCase>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace tavolin::ui
