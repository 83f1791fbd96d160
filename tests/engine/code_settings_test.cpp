// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/code_settings.h"

#include <gtest/gtest.h>

#include "../codes/polynomial_cases.h"
#include "codes/bitstring.h"

namespace tavolin {
namespace {

TEST(PolynomialPrompt, AcceptsWhatThePolynomialTestPasses) {
    for (const testing_support::PolynomialCase& c : testing_support::kPolynomialCases) {
        const PolynomialCheck got = check_polynomial_text(c.bits);
        EXPECT_EQ(got.refusal.has_value(), !c.passes) << c.bits;
        if (c.passes) {
            EXPECT_EQ(got.polynomial, BinToInt(c.bits)) << c.bits;
        }
    }
    for (const char* bits : testing_support::kPrimitivePolynomials)
        EXPECT_EQ(check_polynomial_text(bits).polynomial, BinToInt(bits)) << bits;
}

TEST(PolynomialPrompt, AcceptsAndRefusesAsThePromptDoes) {
    struct Case {
        const char* text;
        std::optional<SettingRefusal> refusal;
        Word value;
    };
    for (const Case& c :
         {Case{"0001101", std::nullopt, 13}, Case{"1111", SettingRefusal::PolynomialRefused, 0},
          Case{"10000000011011", SettingRefusal::PolynomialRefused, 0},
          Case{"00000000001101", SettingRefusal::PolynomialRefused, 0},
          Case{"", SettingRefusal::NotBinary, 0}, Case{"0", SettingRefusal::NotBinary, 0},
          Case{"000", SettingRefusal::NotBinary, 0}, Case{"12", SettingRefusal::NotBinary, 0}}) {
        const PolynomialCheck got = check_polynomial_text(c.text);
        EXPECT_EQ(got.refusal, c.refusal) << c.text;
        if (!c.refusal) {
            EXPECT_EQ(got.polynomial, c.value) << c.text;
        }
    }
}

TEST(FramePrompt, OneToFourOnly) {
    for (const char* ok : {"1", "4", " 2", "+3"}) EXPECT_FALSE(check_frame_text(ok).refusal) << ok;
    EXPECT_EQ(check_frame_text("4").frame, 4);
    for (const char* bad : {"0", "5", "-1", "65537", "2,5", "", "x"})
        EXPECT_EQ(check_frame_text(bad).refusal, SettingRefusal::FrameOutOfRange) << bad;
}

TEST(SettingMessages, TextsAndCaptions) {
    EXPECT_STREQ(setting_message(SettingRefusal::NotBinary).caption, "Ошибка разбора числа");
    EXPECT_STREQ(setting_message(SettingRefusal::PolynomialRefused).text,
                 "Этот полином использовать не рекомендуется");
    EXPECT_STREQ(setting_message(SettingRefusal::FrameOutOfRange).caption, "Проверка параметров");
}

TEST(StartParameters, AsTheFirstActivationSetsThem) {
    SimState st;
    init_code_parameters(st);
    EXPECT_EQ(st.coding_type, kCyclic);
    EXPECT_EQ(st.Polinom_default, 13);
    EXPECT_EQ(st.L_default, 3);
    EXPECT_EQ(st.p_m_x.size(), 7u);
    EXPECT_EQ(st.pr_m_x.size(), 3u);
}

}  // namespace
}  // namespace tavolin
