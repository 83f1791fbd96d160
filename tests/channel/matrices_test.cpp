// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel/matrices.h"

#include <gtest/gtest.h>

#include <random>

#include "../extended_near.h"
#include "bit_channels.h"
#include "channel/measures.h"
#include "core/sums.h"

namespace tavolin {
namespace {

using testing_support::erasure;
using testing_support::inversion;

void expect_row(const vect& got, const vect& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t j = 0; j < want.size(); ++j)
        EXPECT_EXTENDED_NEAR(got[j], want[j], 1e-12L) << j;
}

void expect_rows_sum_to_one(const matr& m) {
    for (const vect& row : m) {
        EXPECT_EXTENDED_NEAR(Sum(row), 1.0L, 1e-15L);
        for (Extended v : row) EXPECT_GE(v, 0);
    }
}

TEST(KanMatr, DefaultChannelNineSymbols) {
    const matr k_m = kan_matr(inversion(0.1L, 0.2L), 9);
    ASSERT_EQ(k_m.size(), 9u);
    expect_row(k_m[0], {0.6561L, 0.0729L, 0.0729L, 0.0081L, 0.0729L, 0.0081L, 0.0081L, 0.0009L,
                        0.0729L, 0.0271L});
    expect_row(k_m[8], {0.1458L, 0.0162L, 0.0162L, 0.0018L, 0.0162L, 0.0018L, 0.0018L, 0.0002L,
                        0.5832L, 0.2168L});
    expect_rows_sum_to_one(k_m);
}

TEST(KanMatrBig, DefaultChannelNineSymbols) {
    const matr k_m = kan_matr_big(inversion(0.1L, 0.2L), 9);
    expect_row(k_m[0], {0.9477L, 0, 0, 0.0081L, 0, 0.0081L, 0.0081L, 0.0009L, 0, 0.0271L});
    expect_row(k_m[8], {0, 0.0162L, 0.0162L, 0.0018L, 0.0162L, 0.0018L, 0.0018L, 0.0002L, 0.9234L,
                        0.0224L});
    expect_rows_sum_to_one(k_m);
}

TEST(KanMatr, SymmetricChannelSixteenSymbols) {
    const Extended by_distance[5] = {0.6561L, 0.0729L, 0.0081L, 0.0009L, 0.0001L};
    const matr plain = kan_matr(inversion(0.1L, 0.1L), 16);
    const matr big = kan_matr_big(inversion(0.1L, 0.1L), 16);
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 16; ++j) {
            const int d = std::popcount(static_cast<unsigned>(i ^ j));
            EXPECT_EXTENDED_NEAR(plain[i][j], by_distance[d], 1e-12L);
            EXPECT_EXTENDED_NEAR(big[i][j], d == 0 ? 0.9477L : d == 1 ? 0 : by_distance[d], 1e-12L);
        }
        EXPECT_EQ(plain[i][16], 0);
        EXPECT_EQ(big[i][16], 0);
    }
}

TEST(KanMatr, ErasureChannelBothVariants) {
    for (bool big : {false, true}) {
        const matr isk = erasure(0, 0.1L, 0, 0.1L);
        const matr k_m = big ? kan_matr_big(isk, 12) : kan_matr(isk, 12);
        for (int i = 0; i < 12; ++i)
            for (int j = 0; j <= 12; ++j)
                EXPECT_EXTENDED_NEAR(k_m[i][j], j == i ? 0.6561L : j == 12 ? 0.3439L : 0, 1e-12L);
    }
}

TEST(KanMatr, NoiselessChannelIsTheIdentity) {
    for (bool big : {false, true}) {
        const matr k_m = big ? kan_matr_big(inversion(0, 0), 10) : kan_matr(inversion(0, 0), 10);
        for (int i = 0; i < 10; ++i)
            for (int j = 0; j <= 10; ++j) EXPECT_EQ(k_m[i][j], i == j ? 1 : 0);
    }
}

TEST(ChannelProperty, RandomChannelsGiveStochasticRowsAndConsistentMeasures) {
    std::mt19937 rng(2026);
    std::uniform_real_distribution<double> u(0, 1);
    for (int trial = 0; trial < 200; ++trial) {
        const bool er = trial % 2;
        const Extended i0 = u(rng) * 0.5, i1 = u(rng) * 0.5;
        const Extended e0 = er ? u(rng) * 0.5 : 0, e1 = er ? u(rng) * 0.5 : 0;
        const matr isk = er ? erasure(i0, e0, i1, e1) : inversion(i0, i1);
        const Byte n = static_cast<Byte>(9 + trial % 8);
        vect ver(n);
        for (Extended& p : ver) p = u(rng);
        const Extended total = Sum(ver);
        for (Extended& p : ver) p /= total;
        for (bool big : {false, true}) {
            const matr k_m = big ? kan_matr_big(isk, n) : kan_matr(isk, n);
            expect_rows_sum_to_one(k_m);
            const Measures m = apriori(k_m, ver);
            EXPECT_GE(m.noise, 0);
            EXPECT_EXTENDED_NEAR(m.source - m.receiver + m.noise, m.lost, 1e-15L);
        }
    }
}

TEST(EncodeMass, FollowsTheRunsCode) {
    SimState st;
    st.Polinom_default = 13;
    st.coding_type = kNoCoding;
    vectw mass(12);
    encode_mass(*make_code(st), mass);
    for (Word i = 0; i < 12; ++i) EXPECT_EQ(mass[i], i);
    st.coding_type = kCyclic;
    mass.assign(16, 0);
    encode_mass(*make_code(st), mass);
    EXPECT_EQ(mass[1], 0b0001101);
    EXPECT_EQ(mass[15], 0b1111111);
}

TEST(Posit, FirstEqualEntryOrTheLength) {
    const vectw table{4, 9, 4, 7};
    EXPECT_EQ(posit(table, 4), 0);
    EXPECT_EQ(posit(table, 7), 3);
    EXPECT_EQ(posit(table, 5), 4);
    EXPECT_EQ(posit({}, 5), 0);
}

}  // namespace
}  // namespace tavolin
