// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/hamming.h"

#include <gtest/gtest.h>

#include "code_fixture.h"
#include "codes/bitstring.h"
#include "core/random.h"
#include "reference/hamming_reference.h"

namespace tavolin {
namespace {

using reference::decode_matr;
using reference::Decode_matr_one;
using reference::decode_matr_stir;
using reference::encode_matr;
using testing_support::flip_sent_bits;
using testing_support::started_state;

SimState hamming_state() {
    SimState st = started_state(kHamming);
    st.n0 = 7;
    return st;
}

constexpr const char* kWords[16] = {
    "0000000", "1101001", "0101010", "1000011", "1001100", "0100101", "1100110", "0001111",
    "1110000", "0011001", "1011010", "0110011", "0111100", "1010101", "0010110", "1111111"};

TEST(HammingTables, EncoderAndParityCheckTables) {
    vectw p_m_x{1, 2, 3}, pr_m_x;
    por_m_x(p_m_x);
    prover_m_x(pr_m_x);
    EXPECT_EQ(p_m_x, (vectw{13, 11, 8, 7, 4, 2, 1}));
    EXPECT_EQ(pr_m_x, (vectw{15, 51, 85}));
}

TEST(HammingCode, CodeWords) {
    SimState st = hamming_state();
    for (Word s = 0; s < 16; ++s) EXPECT_EQ(IntToBin(encode_matr_one(st, s), 7), kWords[s]) << s;
    EXPECT_EQ(Get_Sindr(encode_matr_one(st, 15), st.pr_m_x, 7), 0);
    vectb msg{3, 8};
    vectenc out(2);
    st.n0 = 0;
    encode_matr(st, msg, out);
    EXPECT_EQ(st.n0, 7);
    EXPECT_EQ(out[1].inv, BinToInt(kWords[8]));
    EXPECT_EQ(encode_matr_one(SimState{}, 5), 0);  // no tables yet
}

TEST(HammingCode, EverySingleErrorNamesItsPositionAndIsCorrected) {
    const SimState st = hamming_state();
    const HammingCode code(st);
    for (Word s = 0; s < 16; ++s)
        for (int q = 1; q <= 7; ++q) {
            const Word received = flip_sent_bits(encode_matr_one(st, s), 7, {q});
            EXPECT_EQ(Get_Sindr(received, st.pr_m_x, 7), q);
            EXPECT_EQ(Decode_matr_one(st, received), s) << s << ' ' << q;
            EXPECT_TRUE(code.found_error(received));
        }
}

TEST(HammingCode, TwoErrorsAreMiscorrected) {
    const SimState st = hamming_state();
    const Word received = flip_sent_bits(encode_matr_one(st, 0), 7, {1, 2});
    EXPECT_EQ(Get_Sindr(received, st.pr_m_x, 7), 3);
    EXPECT_EQ(Decode_matr_one(st, received), 8);  // position 3, d1, flipped
}

TEST(HammingCode, TableEqualsTheAlgorithmOnEveryWord) {
    const SimState st = hamming_state();
    const HammingCode code(st);
    for (Word w = 0; w < 128; ++w) {
        EXPECT_EQ(code.decode_word(w), Decode_matr_one(st, w)) << w;
        EXPECT_EQ(code.found_error(w), Get_Sindr(w, st.pr_m_x, 7) != 0) << w;
    }
}

TEST(HammingErasures, OneErasureWithoutOtherErrorNeedsNoDraw) {
    SimState st = hamming_state();
    for (Word s = 0; s < 16; ++s)
        for (int q = 1; q <= 7; ++q) {
            const Word mask = flip_sent_bits(0, 7, {q});
            st.RandSeed = 5;
            const Word sent = encode_matr_one(st, s);
            EXPECT_EQ(decode_matr_stir(st, {static_cast<Word>(sent & ~mask), mask}),
                      (enc_sym{s, 0}));
            EXPECT_EQ(st.RandSeed, 5);
        }
}

TEST(HammingErasures, TwoErasuresLeaveInformationBitsAndMarks) {
    SimState st = hamming_state();
    const Word sent = encode_matr_one(st, 0b1011);
    const Word checks = flip_sent_bits(0, 7, {1, 2});
    EXPECT_EQ(decode_matr_stir(st, {static_cast<Word>(sent & ~checks), checks}),
              (enc_sym{0b1011, 0}));
    const Word info = flip_sent_bits(0, 7, {3, 7});
    EXPECT_EQ(decode_matr_stir(st, {static_cast<Word>(sent & ~info), info}),
              (enc_sym{0b0010, 0b1001}));
}

TEST(HammingErasures, DifferingFillingsDrawFromTheGeneratorOnly) {
    SimState st = hamming_state();
    // Symbol 0, position 1 inverted, position 5 erased: the fillings decode differently.
    const Word received = flip_sent_bits(0, 7, {1});
    const Word mask = flip_sent_bits(0, 7, {5});
    const Word v1 = Decode_matr_one(st, received | mask), v2 = Decode_matr_one(st, received);
    ASSERT_NE(v1, v2);
    st.seed1 = 10;
    st.seed2 = 20;
    st.RandSeed = 649090866;
    Integer expected = st.RandSeed;
    const Extended x = Random(expected);
    EXPECT_EQ(decode_matr_stir(st, {received, mask}).inv, x > 0.5L ? v2 : v1);
    EXPECT_EQ(st.RandSeed, expected);
    EXPECT_EQ(st.seed1, 10);
    EXPECT_EQ(st.seed2, 20);
}

TEST(HammingErasures, MessageDecoderAgreesWithTheTable) {
    SimState st = hamming_state();
    const HammingCode code(st);
    vectenc received;
    for (Word w = 0; w < 128; ++w)
        for (Word mask : {Word{0}, Word{4}, Word{64}, Word{5}, Word{96}})
            received.push_back({static_cast<Word>(w & ~mask), mask});
    vectenc a(received.size()), b(received.size());
    st.RandSeed = -77;
    decode_matr(st, received, a);
    Integer seed = -77;
    code.decode(received, b, seed);
    EXPECT_EQ(a, b);
    EXPECT_EQ(seed, st.RandSeed);
    EXPECT_NE(seed, -77);  // some fillings did differ
}

}  // namespace
}  // namespace tavolin
