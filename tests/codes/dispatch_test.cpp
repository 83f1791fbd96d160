#include "codes/dispatch.h"

#include <gtest/gtest.h>

#include "code_fixture.h"
#include "codes/bitstring.h"
#include "codes/cyclic.h"

namespace tavolin {
namespace {

using testing_support::started_state;

struct TypeCase {
    Byte coding_type;
    Byte n0;
};

class EveryCodingType : public testing::TestWithParam<TypeCase> {};

TEST_P(EveryCodingType, EncodeSetsTheWordLengthAndDecodeInvertsIt) {
    SimState st = started_state(GetParam().coding_type);
    vectb msg(16);
    for (Byte s = 0; s < 16; ++s) msg[s] = s;
    vectenc coded(16), decoded(16);
    encode(st, msg, coded);
    EXPECT_EQ(st.n0, GetParam().n0);
    decode(st, coded, decoded);
    for (Byte s = 0; s < 16; ++s) EXPECT_EQ(decoded[s], (enc_sym{s, 0}));
}

TEST_P(EveryCodingType, CodeObjectAgreesWithFoundError) {
    SimState st = started_state(GetParam().coding_type);
    set_n0(st);
    st.n0 = GetParam().n0;
    const auto code = make_code(st);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->n0(), GetParam().n0);
    for (Cardinal w = 0; w < (1u << st.n0); ++w)
        ASSERT_EQ(code->found_error(static_cast<Word>(w)), found_error(st, static_cast<Word>(w)))
            << w;
}

INSTANTIATE_TEST_SUITE_P(Types, EveryCodingType,
                         testing::Values(TypeCase{kCyclic, 7}, TypeCase{kHamming, 7},
                                         TypeCase{kContinuous, 14}, TypeCase{kNoCoding, 4}));

TEST(Dispatch, AllZeroWordIsACodeWordOfEveryCode) {
    for (Byte t : {kCyclic, kHamming, kContinuous}) {
        SimState st = started_state(t);
        set_n0(st);
        EXPECT_FALSE(found_error(st, 0)) << int{t};
    }
}

TEST(Dispatch, NoCodingPassesWordsAndMarksThrough) {
    SimState st = started_state(kNoCoding);
    vectb msg{3, 9};
    vectenc coded(2), decoded(2);
    encode_none(st, msg, coded);
    EXPECT_EQ(st.n0, 4);
    EXPECT_EQ(coded[1].inv, 9);
    const vectenc received{{2, 1}, {9, 0}};
    decode_none(received, decoded);
    EXPECT_EQ(decoded, received);
    NoCode(st).decode(received, decoded, st.RandSeed);
    EXPECT_EQ(decoded, received);
    EXPECT_TRUE(found_error(st, 3));
    EXPECT_EQ(encode_apriory_one(st, 11), 11);
}

TEST(Dispatch, UnknownTypeTouchesNothing) {
    SimState st = started_state(0);
    st.n0 = 9;
    vectb msg{1};
    vectenc out{{5, 6}};
    encode(st, msg, out);
    decode(st, out, out);
    EXPECT_EQ(out[0], (enc_sym{5, 6}));
    EXPECT_EQ(st.n0, 9);
    EXPECT_FALSE(found_error(st, 1));
    EXPECT_EQ(make_code(st), nullptr);
}

TEST(SetN0, FollowsTheSelectedCodeAndItsParameters) {
    SimState st = started_state(kCyclic);
    st.Polinom_default = static_cast<Word>(BinToInt("10011"));
    set_n0(st);
    EXPECT_EQ(st.n0, 8);
    st.coding_type = kContinuous;
    st.L_default = 4;
    set_n0(st);
    EXPECT_EQ(st.n0, 16);
    st.coding_type = kHamming;
    set_n0(st);
    EXPECT_EQ(st.n0, 7);
    st.coding_type = kNoCoding;
    set_n0(st);
    EXPECT_EQ(st.n0, 7);  // unchanged
}

}  // namespace
}  // namespace tavolin
