// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "code_fixture.h"
#include "codes/bitstring.h"
#include "codes/code.h"
#include "codes/no_coding.h"
#include "reference/dispatch_reference.h"

namespace tavolin {
namespace {

using namespace reference;
using testing_support::started_state;

struct TypeCase {
    const char* name;
    Byte coding_type;
    Byte n0;
};

class EveryCodingType : public testing::TestWithParam<TypeCase> {};

TEST_P(EveryCodingType, CodeObjectEncodesAsTheDispatchAndDecodesItsWords) {
    SimState st = started_state(GetParam().coding_type);
    vectb msg(16);
    for (Byte s = 0; s < 16; ++s) msg[s] = s;
    vectenc coded(16), by_dispatch(16), decoded(16);
    const auto code = make_code(st);
    code->encode(msg, coded);
    EXPECT_EQ(code->n0(), GetParam().n0);
    encode(st, msg, by_dispatch);
    EXPECT_EQ(st.n0, GetParam().n0);
    EXPECT_EQ(coded, by_dispatch);
    code->decode(coded, decoded, st.RandSeed);
    for (Byte s = 0; s < 16; ++s) EXPECT_EQ(decoded[s], (enc_sym{s, 0}));
}

TEST_P(EveryCodingType, CodeObjectAgreesWithFoundError) {
    SimState st = started_state(GetParam().coding_type);
    set_n0(st);
    st.n0 = GetParam().n0;
    const auto code = make_code(st);
    EXPECT_EQ(code->n0(), GetParam().n0);
    for (Cardinal w = 0; w < (1u << st.n0); ++w)
        ASSERT_EQ(code->found_error(static_cast<Word>(w)), found_error(st, static_cast<Word>(w)))
            << w;
}

INSTANTIATE_TEST_SUITE_P(Types, EveryCodingType,
                         testing::Values(TypeCase{"cyclic", kCyclic, 7},
                                         TypeCase{"hamming", kHamming, 7},
                                         TypeCase{"continuous", kContinuous, 14},
                                         TypeCase{"none", kNoCoding, 4}),
                         [](const testing::TestParamInfo<TypeCase>& i) { return i.param.name; });

TEST(Dispatch, AllZeroWordIsACodeWordOfEveryCode) {
    for (Byte t : {kCyclic, kHamming, kContinuous})
        EXPECT_FALSE(make_code(started_state(t))->found_error(0)) << int{t};
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
    EXPECT_TRUE(NoCode(st).found_error(3));
    EXPECT_EQ(decoded, received);
    EXPECT_TRUE(found_error(st, 3));
    EXPECT_EQ(encode_apriory_one(st, 11), 11);
}

TEST(Dispatch, AnUnknownTypeIsAProgrammingError) {
    SimState st = started_state(0);
    EXPECT_DEATH(make_code(st), "unknown coding type");
}

TEST(SetN0, TheCodeObjectsWordLengthFollowsItsParameters) {
    SimState st = started_state(kCyclic);
    st.Polinom_default = static_cast<Word>(BinToInt("10011"));
    EXPECT_EQ(make_code(st)->n0(), 8);
    st.coding_type = kContinuous;
    st.L_default = 4;
    EXPECT_EQ(make_code(st)->n0(), 16);
    st.coding_type = kHamming;
    EXPECT_EQ(make_code(st)->n0(), 7);
    st.coding_type = kNoCoding;
    EXPECT_EQ(make_code(st)->n0(), 4);
}

}  // namespace
}  // namespace tavolin
