// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel/capacity.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../extended_near.h"
#include "bit_channels.h"

namespace tavolin {
namespace {

using testing_support::erasure;
using testing_support::inversion;

Extended binary_entropy(Extended p) {
    return p <= 0 || p >= 1 ? 0 : -p * std::log2(p) - (1 - p) * std::log2(1 - p);
}

struct CapacityCase {
    const char* name;
    matr isk;
    Extended capacity;
};

class Capacity : public testing::TestWithParam<CapacityCase> {};

TEST_P(Capacity, EqualsTheClosedForm) {
    EXPECT_EXTENDED_NEAR(channel_capacity(GetParam().isk), GetParam().capacity, 1e-15L);
}

// The Z-channel: a sent 0 always arrives, a sent 1 turns into 0 with probability q. Its
// capacity is log2(1 + (1 - q) q^(q / (1 - q))).
Extended z_channel(Extended q) {
    return std::log2(1 + (1 - q) * std::pow(q, q / (1 - q)));
}

INSTANTIATE_TEST_SUITE_P(
    ClosedForms, Capacity,
    testing::Values(
        CapacityCase{"noiseless", inversion(0, 0), 1},
        CapacityCase{"symmetric_inversion_0_1", inversion(0.1L, 0.1L), 1 - binary_entropy(0.1L)},
        CapacityCase{"symmetric_inversion_0_01", inversion(0.01L, 0.01L),
                     1 - binary_entropy(0.01L)},
        CapacityCase{"symmetric_inversion_0_3", inversion(0.3L, 0.3L), 1 - binary_entropy(0.3L)},
        CapacityCase{"useless_half_inversion", inversion(0.5L, 0.5L), 0},
        CapacityCase{"every_bit_inverted", inversion(1, 1), 1},
        CapacityCase{"symmetric_erasure_0_1", erasure(0, 0.1L, 0, 0.1L), 0.9L},
        CapacityCase{"symmetric_erasure_0_5", erasure(0, 0.5L, 0, 0.5L), 0.5L},
        CapacityCase{"everything_erased", erasure(0, 1, 0, 1), 0},
        CapacityCase{"z_channel_0_1", inversion(0, 0.1L), z_channel(0.1L)},
        CapacityCase{"z_channel_0_5", inversion(0, 0.5L), z_channel(0.5L)},
        CapacityCase{"z_channel_mirrored", inversion(0.25L, 0), z_channel(0.25L)}),
    [](const testing::TestParamInfo<CapacityCase>& i) { return i.param.name; });

TEST(Capacity, NoDistributionOfTheSentBitCarriesMore) {
    const matr isk = erasure(0.05L, 0.2L, 0.1L, 0.05L);
    const Extended c = channel_capacity(isk);
    for (int k = 0; k <= 1000; ++k) EXPECT_LE(mutual_information(isk, k / 1000.0L), c + 1e-18L);
    EXPECT_GT(c, 0);
    EXPECT_LT(c, 1);
}

}  // namespace
}  // namespace tavolin
