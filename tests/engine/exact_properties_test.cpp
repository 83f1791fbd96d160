// SPDX-License-Identifier: GPL-3.0-or-later
// What exact values must satisfy on every channel and code: each symbol's outcomes are a
// distribution, the counts nest, and no code carries more than the channel's capacity.
#include <gtest/gtest.h>

#include <cmath>

#include "../case_names.h"
#include "../extended_near.h"
#include "core/sums.h"
#include "exact_fixture.h"

namespace tavolin {
namespace {

using testing_support::Channel;
using testing_support::channel_texts;
using testing_support::exact_of;
using testing_support::kNineSymbols;

constexpr Channel kChannels[] = {
    {"symmetric", false, "0.1", "0.1"},
    {"asymmetric", false, "0.02", "0.2"},
    {"nearly useless", false, "0.45", "0.5"},
    {"noiseless", false, "0", "0"},
    {"inverting", false, "0.9", "0.05"},
    {"erasure", true, "0.05", "0.1", "0.1", "0.2"},
    {"pure erasure", true, "0", "0", "0.3", "0.3"},
    {"erasing ones", true, "0.01", "0", "0", "0.5"},
};

// Every kind, cyclic codes that correct single errors and pairs, and the shortest and a long
// continuous frame (which the erasure channel does not take).
const char* const kCodes[] = {"none",         "hamming",        "cyclic:1101",  "cyclic:1011",
                              "cyclic:10011", "cyclic:1000011", "continuous:1", "continuous:3"};

struct Case {
    Channel channel;
    const char* code;
    bool nine_symbols;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.code << (c.nine_symbols ? " with nine symbols on " : " on ");
    testing_support::PrintTo(c.channel, os);
}

std::vector<Case> cases() {
    std::vector<Case> all;
    for (const Channel& ch : kChannels)
        for (const char* code : kCodes)
            if (!ch.erasure || std::string_view(code).substr(0, 10) != "continuous")
                for (const bool nine : {false, true}) all.push_back({ch, code, nine});
    return all;
}

class ExactProperties : public testing::TestWithParam<Case> {
  protected:
    ExactValues values() const {
        RunTexts t = channel_texts(GetParam().channel);
        if (GetParam().nine_symbols) t.probs = kNineSymbols;
        return exact_of(t, GetParam().code);
    }
};

TEST_P(ExactProperties, EverySymbolsOutcomesAddUpToOne) {
    const ExactValues v = values();
    ASSERT_EQ(v.classes.size(), v.probs.size());
    for (std::size_t s = 0; s < v.classes.size(); ++s) {
        ASSERT_EQ(v.classes[s].size(), v.probs.size() + 1);
        for (Extended p : v.classes[s]) EXPECT_GE(p, 0);
        EXPECT_EXTENDED_NEAR(Sum(v.classes[s]), 1, 1e-17L) << "symbol " << s;
        EXPECT_EXTENDED_NEAR(Sum(v.matrix_aposteriori[s]), 1, 1e-17L) << "symbol " << s;
    }
}

TEST_P(ExactProperties, CorrectedWithinDetectedWithinDistorted) {
    const ExactValues v = values();
    for (std::size_t s = 0; s < v.probs.size(); ++s) {
        EXPECT_GE(v.corrected[s], 0);
        EXPECT_LE(v.corrected[s], v.detected[s]) << "symbol " << s;
        EXPECT_LE(v.detected[s], v.distorted[s]) << "symbol " << s;
        EXPECT_LE(v.distorted[s], 1) << "symbol " << s;
    }
    for (Extended share : {v.detected_share, v.corrected_share, v.wrong_rate}) {
        EXPECT_GE(share, 0);
        EXPECT_LE(share, 1);
    }
}

// No code carries more than the channel can: the useful information of n0 channel uses is at
// most n0 capacities. "No coding" over a symmetric channel with equally likely symbols sends
// equally likely independent bits and reaches the capacity exactly; the a posteriori measures
// add in double as the runs' do and the capacity's search stops within 1e-15 bits, hence the
// margin.
TEST_P(ExactProperties, UsefulInformationPerBitNeverAboveCapacity) {
    const ExactValues v = values();
    EXPECT_GT(v.capacity, -1e-18L);
    EXPECT_LE(v.useful_per_bit, v.capacity + 1e-13L)
        << "useful " << static_cast<double>(v.useful_aposteriori) << " over n0 " << int{v.n0};
}

INSTANTIATE_TEST_SUITE_P(Table, ExactProperties, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<Case>& i) {
                             return testing_support::case_name(
                                 i.index, std::string(i.param.channel.name) + " " + i.param.code +
                                              (i.param.nine_symbols ? " nine" : " sixteen"));
                         });

}  // namespace
}  // namespace tavolin
