// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/continuous.h"

#include <gtest/gtest.h>

#include "code_fixture.h"
#include "codes/bitstring.h"
#include "reference/continuous_reference.h"
#include "reference/dispatch_reference.h"

namespace tavolin {
namespace {

using reference::decode_nepr;
using reference::decode_nepr_str;
using reference::encode_nepr;
using reference::encode_nepr_str;
using reference::found_error;
using testing_support::flip_sent_bits;
using testing_support::started_state;

SimState continuous_state(Word L) {
    SimState st = started_state(kContinuous);
    st.L_default = L;
    st.n0 = static_cast<Byte>(2 * (L + 4));
    return st;
}

std::string pairs(const char* spaced) {
    std::string s;
    for (const char* p = spaced; *p; ++p)
        if (*p != ' ') s += *p;
    return s;
}

TEST(ContinuousCode, CodeWordsOfFrameThree) {
    const char* words[16] = {"00 00 00 00 00 00 00", "00 00 00 11 00 00 01", "00 00 11 00 00 01 00",
                             "00 00 11 11 00 01 01", "00 11 00 00 01 00 00", "00 11 00 11 01 00 01",
                             "00 11 11 00 01 01 00", "00 11 11 11 01 01 01", "11 00 00 01 00 00 00",
                             "11 00 00 10 00 00 01", "11 00 11 01 00 01 00", "11 00 11 10 00 01 01",
                             "11 11 00 01 01 00 00", "11 11 00 10 01 00 01", "11 11 11 01 01 01 00",
                             "11 11 11 10 01 01 01"};
    const SimState st = continuous_state(3);
    for (Word s = 0; s < 16; ++s) EXPECT_EQ(IntToBin(encode_nepr_one(st, s), 14), pairs(words[s]));
}

TEST(ContinuousCode, OtherFrameSizes) {
    struct Case {
        Word L, symbol;
        const char* word;
    };
    for (const Case& c :
         {Case{1, 1, "00 00 00 11 01"}, Case{1, 15, "11 10 10 10 01"},
          Case{2, 1, "00 00 00 11 00 01"}, Case{2, 15, "11 11 10 10 01 01"},
          Case{4, 1, "00 00 00 11 00 00 00 01"}, Case{4, 15, "11 11 11 11 01 01 01 01"}}) {
        const SimState st = continuous_state(c.L);
        EXPECT_EQ(IntToBin(encode_nepr_one(st, c.symbol), st.n0), pairs(c.word)) << c.L;
    }
}

class EveryFrame : public testing::TestWithParam<Word> {};

TEST_P(EveryFrame, IntegerAndStringEncodersAgree) {
    SimState st = continuous_state(GetParam());
    vectb msg(16);
    for (Byte s = 0; s < 16; ++s) msg[s] = s;
    vectenc out(16);
    st.n0 = 0;
    encode_nepr(st, msg, out);
    EXPECT_EQ(st.n0, 2 * (GetParam() + 4));
    for (Word s = 0; s < 16; ++s) EXPECT_EQ(out[s].inv, encode_nepr_one(st, s)) << s;
}

TEST_P(EveryFrame, EverySingleErrorIsCorrected) {
    const SimState st = continuous_state(GetParam());
    const ContinuousCode code(st);
    for (Word s = 0; s < 16; ++s)
        for (int bit = 1; bit <= st.n0; ++bit) {
            const Word received = flip_sent_bits(encode_nepr_one(st, s), st.n0, {bit});
            EXPECT_EQ(code.decode_word(received), s) << s << ' ' << bit;
            EXPECT_EQ(
                BinToInt(decode_nepr_str(IntToBin(received, st.n0), static_cast<Byte>(GetParam()))),
                s);
            EXPECT_TRUE(code.found_error(received));
        }
}

TEST_P(EveryFrame, IntegerDecoderEqualsTheStringAlgorithmOnEveryWord) {
    const SimState st = continuous_state(GetParam());
    const ContinuousCode code(st);
    const auto L = static_cast<Byte>(GetParam());
    for (Cardinal w = 0; w < (1u << st.n0); ++w) {
        const std::string text = IntToBin(w, st.n0);
        ASSERT_EQ(code.decode_word(static_cast<Word>(w)), BinToInt(decode_nepr_str(text, L)))
            << text;
        ASSERT_EQ(code.found_error(static_cast<Word>(w)), found_error(st, static_cast<Word>(w)))
            << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Frames, EveryFrame, testing::Values(1, 2, 3, 4), [](const auto& i) {
    return std::string(1, 'L').append(std::to_string(i.param));
});

TEST(ContinuousDecoder, TwoControlErrorsOfOneBitFlipItWrongly) {
    const SimState st = continuous_state(3);
    // Symbol 5; c1 and c4 are the control bits a1 enters: sent bits 2 and 8.
    const Word received = flip_sent_bits(encode_nepr_one(st, 5), 14, {2, 8});
    EXPECT_EQ(ContinuousCode(st).decode_word(received), 13);
    EXPECT_EQ(BinToInt(decode_nepr_str(IntToBin(received, 14), 3)), 13u);
}

TEST(ContinuousDecoder, TwoInformationErrorsAreBothCorrected) {
    const SimState st = continuous_state(3);
    for (Word s = 0; s < 16; ++s) {
        const Word received = flip_sent_bits(encode_nepr_one(st, s), 14, {1, 3});  // a1, a2
        EXPECT_EQ(ContinuousCode(st).decode_word(received), s);
    }
}

TEST(ContinuousDecoder, AgreeingChecksAreTakenAsReceived) {
    const SimState st = continuous_state(3);
    const Word other = encode_nepr_one(st, 9);
    EXPECT_FALSE(ContinuousCode(st).found_error(other));
    EXPECT_EQ(ContinuousCode(st).decode_word(other), 9);
}

TEST(ContinuousDecoder, ErasuresAreReadAsZeroAndNotMarked) {
    SimState st = continuous_state(3);
    const Word sent = encode_nepr_one(st, 15);
    const Word erased = flip_sent_bits(0, 14, {1});  // a1 = 1, erased
    const vectenc in{{static_cast<Word>(sent & ~erased), erased}};
    vectenc a(1), b(1);
    decode_nepr(st, in, a);
    Integer seed = 3;
    ContinuousCode(st).decode(in, b, seed);
    EXPECT_EQ(a[0], (enc_sym{15, 0}));
    EXPECT_EQ(b[0], a[0]);
    EXPECT_EQ(seed, 3);
}

TEST(ContinuousStrings, StringRoutinesOfOddShapes) {
    EXPECT_EQ(encode_nepr_str("0101", 3), pairs("00 11 00 11 01 00 01"));
    // A last character without a partner is dropped.
    EXPECT_EQ(decode_nepr_str(pairs("00 11 00 11 01 00 01") + "1", 3), "0101");
    EXPECT_EQ(decode_nepr_str("", 3), "");
}

}  // namespace
}  // namespace tavolin
