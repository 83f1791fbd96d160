#include "channel/measures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavolin {
namespace {

matr identity(int n) {
    matr m(n, vect(n + 1, 0));
    for (int i = 0; i < n; ++i) m[i][i] = 1;
    return m;
}

void expect_measures(const vect& got, std::initializer_list<Extended> want, Extended tol) {
    ASSERT_EQ(got.size(), 4u);
    int k = 0;
    for (Extended w : want) EXPECT_NEAR(got[k++], w, tol) << "element " << k - 1;
}

TEST(Entropy, OfVectors) {
    EXPECT_EQ(entropy({}), 0);
    EXPECT_EQ(entropy({1}), 0);
    EXPECT_NEAR(entropy(vect(16, 0.0625L)), 4, 1e-18L);
    EXPECT_NEAR(entropy({0.5L, 0, -0.1L, 0.5L}), 1, 1e-18L);
}

TEST(Apriori, NoiselessChannel) {
    vect apr{1, 2, 3, 4, 5};
    apriori(identity(16), apr, vect(16, 0.0625L));
    expect_measures(apr, {4, 0, 4, 0}, 1e-15L);
    apriori(identity(9), apr, vect(9, 1.0L / 9));
    const Extended h9 = std::log2(9.0L);
    expect_measures(apr, {h9, 0, h9, 0}, 1e-12L);
    EXPECT_NEAR(apr[0], 3.169925L, 1e-6L);
}

TEST(Apriori, HalfDeliveredHalfLost) {
    matr m(16, vect(17, 0));
    for (int i = 0; i < 16; ++i) m[i][i] = m[i][16] = 0.5L;
    vect apr;
    apriori(m, apr, vect(16, 0.0625L));
    expect_measures(apr, {4, 2, 3, 1}, 1e-15L);
    EXPECT_NEAR(useful_information(apr), 2, 1e-15L);
}

TEST(Apriori, EverythingToTheOtherColumn) {
    matr m(9, vect(10, 0));
    for (vect& row : m) row[9] = 1;
    vect apr;
    const vect ver(9, 1.0L / 9);
    apriori(m, apr, ver);
    EXPECT_NEAR(apr[2], 0, 1e-15L);
    EXPECT_NEAR(apr[3], 0, 1e-15L);
    EXPECT_NEAR(apr[1], apr[0], 1e-15L);
    EXPECT_NEAR(useful_information(apr), 0, 1e-15L);
}

TEST(Apriori, ZeroProbabilitySymbolAndZeroRowAddNothing) {
    matr m = identity(9);
    m[3] = vect(10, 0);  // never sent
    vect with_zero(9, 0.125L);
    with_zero[3] = 0;
    vect apr;
    apriori(m, apr, with_zero);
    expect_measures(apr, {3, 0, 3, 0}, 1e-15L);
}

TEST(Apriori, ANegativeColumnTotalIsCarriedIntoTheNextColumn) {
    // Channel rows such as p0 = 0.043, e0 = 0.957 can leave a column with a negative total; it
    // is not taken into H(Y) on its own but added to the next column's total.
    matr m = identity(9);
    m[0][0] = -0.5L;
    m[0][1] = 1.5L;
    vect apr;
    apriori(m, apr, vect(9, 1.0L / 9));
    const Extended carried = 2.0L / 9;  // (1.5 + 1 - 0.5) / 9 in column 1
    const Extended want = 7 * std::log2(9.0L) / 9 - carried * std::log2(carried);
    EXPECT_NEAR(apr[2], want, 1e-12L);
}

TEST(Apriori, EntropiesAreKeptInDouble) {
    // A column total that is not a double: its rounding shows in H(Y) at the double's precision.
    matr m = identity(9);
    vect ver(9, 1.0L / 9);
    vect apr;
    apriori(m, apr, ver);
    EXPECT_EQ(apr[2], static_cast<Extended>(static_cast<double>(apr[2])));
    EXPECT_EQ(apr[3], static_cast<Extended>(static_cast<double>(apr[3])));
}

}  // namespace
}  // namespace tavolin
