// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel/measures.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../extended_near.h"

namespace tavolin {
namespace {

matr identity(int n) {
    matr m(n, vect(n + 1, 0));
    for (int i = 0; i < n; ++i) m[i][i] = 1;
    return m;
}

// Source, lost, receiver and noise, in that order.
void expect_measures(const Measures& got, std::initializer_list<Extended> want, Extended tol) {
    const Extended values[4] = {got.source, got.lost, got.receiver, got.noise};
    int k = 0;
    for (Extended w : want) EXPECT_EXTENDED_NEAR(values[k++], w, tol) << "element " << k - 1;
}

TEST(Entropy, OfVectors) {
    EXPECT_EQ(entropy({}), 0);
    EXPECT_EQ(entropy({1}), 0);
    EXPECT_EXTENDED_NEAR(entropy(vect(16, 0.0625L)), 4, 1e-18L);
    EXPECT_EXTENDED_NEAR(entropy({0.5L, 0, -0.1L, 0.5L}), 1, 1e-18L);
}

TEST(Apriori, NoiselessChannel) {
    expect_measures(apriori(identity(16), vect(16, 0.0625L)), {4, 0, 4, 0}, 1e-15L);
    const Measures m = apriori(identity(9), vect(9, 1.0L / 9));
    const Extended h9 = std::log2(9.0L);
    expect_measures(m, {h9, 0, h9, 0}, 1e-12L);
    EXPECT_EXTENDED_NEAR(m.source, 3.169925L, 1e-6L);
}

TEST(Apriori, HalfDeliveredHalfLost) {
    matr m(16, vect(17, 0));
    for (int i = 0; i < 16; ++i) m[i][i] = m[i][16] = 0.5L;
    const Measures apr = apriori(m, vect(16, 0.0625L));
    expect_measures(apr, {4, 2, 3, 1}, 1e-15L);
    EXPECT_EXTENDED_NEAR(apr.useful(), 2, 1e-15L);
}

TEST(Apriori, EverythingToTheOtherColumn) {
    matr m(9, vect(10, 0));
    for (vect& row : m) row[9] = 1;
    const Measures apr = apriori(m, vect(9, 1.0L / 9));
    EXPECT_EXTENDED_NEAR(apr.receiver, 0, 1e-15L);
    EXPECT_EXTENDED_NEAR(apr.noise, 0, 1e-15L);
    EXPECT_EXTENDED_NEAR(apr.lost, apr.source, 1e-15L);
    EXPECT_EXTENDED_NEAR(apr.useful(), 0, 1e-15L);
}

TEST(Apriori, ZeroProbabilitySymbolAndZeroRowAddNothing) {
    matr m = identity(9);
    m[3] = vect(10, 0);  // never sent
    vect with_zero(9, 0.125L);
    with_zero[3] = 0;
    expect_measures(apriori(m, with_zero), {3, 0, 3, 0}, 1e-15L);
}

TEST(Apriori, ANegativeColumnTotalIsCarriedIntoTheNextColumn) {
    // Channel rows such as p0 = 0.043, e0 = 0.957 can leave a column with a negative total; it
    // is not taken into H(Y) on its own but added to the next column's total.
    matr m = identity(9);
    m[0][0] = -0.5L;
    m[0][1] = 1.5L;
    const Extended carried = 2.0L / 9;  // (1.5 + 1 - 0.5) / 9 in column 1
    const Extended want = 7 * std::log2(9.0L) / 9 - carried * std::log2(carried);
    EXPECT_EXTENDED_NEAR(apriori(m, vect(9, 1.0L / 9)).receiver, want, 1e-12L);
}

TEST(Apriori, EntropiesAreKeptInDouble) {
    // A column total that is not a double: its rounding shows in H(Y) at the double's precision.
    matr m = identity(9);
    vect ver(9, 1.0L / 9);
    const Measures apr = apriori(m, ver);
    EXPECT_EQ(apr.receiver, static_cast<Extended>(static_cast<double>(apr.receiver)));
    EXPECT_EQ(apr.noise, static_cast<Extended>(static_cast<double>(apr.noise)));
}

}  // namespace
}  // namespace tavolin
