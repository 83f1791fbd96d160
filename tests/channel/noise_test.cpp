// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel/noise.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../extended_near.h"
#include "bit_channels.h"
#include "core/random.h"

namespace tavolin {
namespace {

using testing_support::erasure;
using testing_support::inversion;

// The channel bit by bit with gen, as the reference for the integer version.
vectenc reference_noise(const vectenc& inp, const matr& isk, Byte n0, Integer& seed2) {
    vectenc out(inp.size());
    Integer rand_seed = 0;
    for (std::size_t i = 0; i < inp.size(); ++i)
        for (Word mask = static_cast<Word>(1u << (n0 - 1)); mask; mask >>= 1) {
            const Byte r = gen(isk[(inp[i].inv & mask) ? 1 : 0], seed2, rand_seed);
            if (r == 1) out[i].inv |= mask;
            if (r == 2) out[i].stir |= mask;
        }
    return out;
}

TEST(Noise, EqualsTheBitByBitWalkAndLeavesTheStreamsAsGenWould) {
    const matr channels[] = {
        inversion(0.1L, 0.2L),         erasure(0.02L, 0.1L, 0.03L, 0.15L), inversion(0.5L, 0.5L),
        erasure(0, 1, 0, 0.5L),        erasure(0.1L, 0, 0.2L, 0),          inversion(1, 0),
        {{1.25L, -0.25L}, {0, 1}},        // a negative entry: running totals that fall back
        {{0.5L, 0.25L}, {0.5L, 0.25L}}};  // rows short of 1: "past the last column" is erasure
    for (const matr& isk : channels)
        for (Byte n0 :
             {Byte{1}, Byte{4}, Byte{5}, Byte{7}, Byte{8}, Byte{12}, Byte{13}, Byte{16}}) {
            SimState st;
            st.n0 = n0;
            st.seed2 = -123456789;
            st.seed1 = 42;
            vectenc inp;
            for (Cardinal w = 0; w < 300; ++w)
                inp.push_back({static_cast<Word>((w * 2654435761u) >> (32 - n0)), 0xFFFF});
            vectenc out(inp.size() + 3, enc_sym{0xFFFF, 0xFFFF});
            Integer expected_seed = st.seed2;
            const vectenc expected = reference_noise(inp, isk, n0, expected_seed);
            noise(st, inp, out, isk);
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), out.begin())) << int{n0};
            EXPECT_EQ(out.back(), (enc_sym{0xFFFF, 0xFFFF}));  // beyond the input: untouched
            EXPECT_EQ(st.seed2, expected_seed);
            EXPECT_EQ(st.RandSeed, expected_seed);
            EXPECT_EQ(st.seed1, 42);
        }
}

TEST(Noise, OneDrawPerBitFromTheTopBitDown) {
    SimState st;
    st.n0 = 4;
    st.seed2 = 0;  // draws: 2^-32, ~0.031, ~0.861, ...
    vectenc out(1);
    // A sent 0 is inverted when the draw exceeds 0.5: only the third bit sent (bit 1).
    noise(st, {{0, 0}}, out, inversion(0.5L, 0));
    EXPECT_EQ(out[0], (enc_sym{0b0010, 0}));
    Integer expected = 0;
    for (int i = 0; i < 4; ++i) Random(expected);
    EXPECT_EQ(st.seed2, expected);
}

TEST(Noise, NoiselessChannelDeliversEveryWordApartFromTheZeroDraw) {
    SimState st;
    st.n0 = 7;
    st.seed2 = 12345;
    vectenc inp(500, enc_sym{0b1010101, 0}), out(500);
    noise(st, inp, out, inversion(0, 0));
    for (const enc_sym& w : out) EXPECT_EQ(w, (enc_sym{0b1010101, 0}));

    // The zero draw turns a sent 1 into a 0 even when i1 = 0.
    st.n0 = 1;
    st.seed2 = 649090867;
    noise(st, {{1, 0}}, out, inversion(0, 0));
    EXPECT_EQ(out[0], (enc_sym{0, 0}));
}

TEST(Noise, ErasingEverySentZero) {
    SimState st;
    st.n0 = 7;
    st.seed2 = 99;
    vectenc out(1);
    noise(st, {{0b1100110, 0}}, out, erasure(0, 1, 0, 0));
    EXPECT_EQ(out[0], (enc_sym{0b1100110, 0b0011001}));
}

TEST(Veroyatn, ProductsOfBitProbabilities) {
    const Extended p = 0.1L;
    const matr sym = inversion(p, p);
    EXPECT_EXTENDED_NEAR(veroyatn(5, 5, 4, sym), std::pow(1 - p, 4), 1e-18L);
    EXPECT_EXTENDED_NEAR(veroyatn(5, 4, 4, sym), p * std::pow(1 - p, 3), 1e-18L);
    const matr er = erasure(0, 0.2L, 0, 0.2L);
    EXPECT_EXTENDED_NEAR(veroyatn(9, 9, 4, er), std::pow(0.8L, 4), 1e-18L);
    EXPECT_EQ(veroyatn(9, 8, 4, er), 0.0L);
    // Bits above sz are not considered.
    EXPECT_EQ(veroyatn(0x10, 0, 4, sym), veroyatn(0, 0, 4, sym));
}

}  // namespace
}  // namespace tavolin
