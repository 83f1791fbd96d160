// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>

#include "tests/ui/window_fixture.h"

namespace tavolin::ui {
namespace {

using testing_support::Windows;

const QString kNotBinary = "Двоичное число не содержит знаков, либо содержит запрещенные знаки";
const QString kNotRecommended = "Этот полином использовать не рекомендуется";
const QString kFrameRange = "Введите размер кадра из диапазона 1..4";

TEST(CodingMenu, ItemsSetTheCodingTypeAndStayExclusive) {
    Windows w;
    w.start();
    const std::pair<const char*, Byte> items[] = {
        {"N3", kHamming}, {"N4", kContinuous}, {"N6", kNoCoding}, {"N2", kCyclic}};
    for (const auto& [name, type] : items) {
        w.find<QAction>(name)->trigger();
        EXPECT_EQ(w.st.coding_type, type) << name;
        int checked = 0;
        for (const char* n : {"N2", "N3", "N4", "N6"}) checked += w.find<QAction>(n)->isChecked();
        EXPECT_EQ(checked, 1);
        EXPECT_TRUE(w.find<QAction>(name)->isChecked());
    }
}

struct PolynomialCase {
    const char* name;
    std::optional<QString> answer;  // nothing: cancelled
    Word result;
    QString message;
};

class PolynomialPrompt : public testing::TestWithParam<PolynomialCase> {};

TEST_P(PolynomialPrompt, AcceptsOrRefusesWithOneMessage) {
    const PolynomialCase& c = GetParam();
    Windows w;
    w.start();
    if (c.answer) w.dialogs.answers.push_back(*c.answer);
    w.form2->N5Click();
    ASSERT_EQ(w.dialogs.prompts.size(), 1u);
    EXPECT_EQ(w.dialogs.prompts[0].caption, "Ввод полинома");
    EXPECT_EQ(w.dialogs.prompts[0].label, "Введите полином");
    EXPECT_EQ(w.dialogs.prompts[0].default_text, "1101");
    EXPECT_EQ(w.st.Polinom_default, c.result);
    if (c.message.isEmpty()) {
        EXPECT_TRUE(w.dialogs.messages.empty());
    } else {
        ASSERT_EQ(w.dialogs.messages.size(), 1u);
        EXPECT_EQ(w.dialogs.messages[0].text, c.message);
        EXPECT_EQ(w.dialogs.messages[0].caption,
                  c.message == kNotBinary ? "Ошибка разбора числа" : "Проверка полинома");
        EXPECT_EQ(w.dialogs.messages[0].icon, Dialogs::Icon::Error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PolynomialPrompt,
    testing::Values(
        PolynomialCase{"unchanged", QString("1101"), 13, ""},
        PolynomialCase{"cancelled", std::nullopt, 13, ""},
        PolynomialCase{"x3_x_1", QString("1011"), 11, ""},
        PolynomialCase{"x4_x_1", QString("10011"), 19, ""},
        PolynomialCase{"leading_zeros", QString("0001101"), 13, ""},
        PolynomialCase{"thirteen_digits", QString("1000001010011"), 0b1000001010011, ""},
        PolynomialCase{"one", QString("1"), 1, ""}, PolynomialCase{"x", QString("10"), 2, ""},
        PolynomialCase{"not_primitive", QString("1111"), 13, kNotRecommended},
        PolynomialCase{"x_squared", QString("100"), 13, kNotRecommended},
        PolynomialCase{"fourteen_digits", QString("10000000011011"), 13, kNotRecommended},
        PolynomialCase{"fourteen_with_zeros", QString("00000000001101"), 13, kNotRecommended},
        PolynomialCase{"empty", QString(""), 13, kNotBinary},
        PolynomialCase{"zero", QString("0"), 13, kNotBinary},
        PolynomialCase{"zeros", QString("000"), 13, kNotBinary},
        PolynomialCase{"not_binary", QString("12"), 13, kNotBinary}),
    [](const testing::TestParamInfo<PolynomialCase>& i) { return std::string(i.param.name); });

TEST(PolynomialPrompt, ShowsTheAcceptedPolynomialNextTime) {
    Windows w;
    w.start();
    for (const char* text : {"0001101", "1", "10"}) {
        w.dialogs.answers.push_back(text);
        w.form2->N5Click();
    }
    w.form2->N5Click();
    ASSERT_EQ(w.dialogs.prompts.size(), 4u);
    EXPECT_EQ(w.dialogs.prompts[1].default_text, "1101");
    EXPECT_EQ(w.dialogs.prompts[2].default_text, "1");
    EXPECT_EQ(w.dialogs.prompts[3].default_text, "10");
}

struct FrameCase {
    const char* name;
    std::optional<QString> answer;
    Word result;
    bool refused;
};

class FramePrompt : public testing::TestWithParam<FrameCase> {};

TEST_P(FramePrompt, OneToFour) {
    const FrameCase& c = GetParam();
    Windows w(',');
    w.start();
    w.form2->N4Click();
    if (c.answer) w.dialogs.answers.push_back(*c.answer);
    w.form2->N5Click();
    ASSERT_EQ(w.dialogs.prompts.size(), 1u);
    EXPECT_EQ(w.dialogs.prompts[0].caption, "Ввод параметров непрерывного кодирования");
    EXPECT_EQ(w.dialogs.prompts[0].label, "Введите размер кадра");
    EXPECT_EQ(w.dialogs.prompts[0].default_text, "3");
    EXPECT_EQ(w.st.L_default, c.result);
    ASSERT_EQ(w.dialogs.messages.size(), c.refused ? 1u : 0u);
    if (c.refused) {
        EXPECT_EQ(w.dialogs.messages[0].text, kFrameRange);
        EXPECT_EQ(w.dialogs.messages[0].caption, "Проверка параметров");
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, FramePrompt,
                         testing::Values(FrameCase{"one", QString("1"), 1, false},
                                         FrameCase{"four", QString("4"), 4, false},
                                         FrameCase{"cancelled", std::nullopt, 3, false},
                                         FrameCase{"zero", QString("0"), 3, true},
                                         FrameCase{"five", QString("5"), 3, true},
                                         FrameCase{"minus_one", QString("-1"), 3, true},
                                         FrameCase{"wraps_in_16_bits", QString("65537"), 3, true},
                                         FrameCase{"fraction", QString("2,5"), 3, true},
                                         FrameCase{"empty", QString(""), 3, true}),
                         [](const testing::TestParamInfo<FrameCase>& i) {
                             return std::string(i.param.name);
                         });

TEST(SettingsDialog, CodesWithoutParametersOnlyInform) {
    for (const char* item : {"N3", "N6"}) {
        Windows w;
        w.start();
        w.find<QAction>(item)->trigger();
        w.form2->N5Click();
        EXPECT_TRUE(w.dialogs.prompts.empty());
        ASSERT_EQ(w.dialogs.messages.size(), 1u);
        EXPECT_EQ(w.dialogs.messages[0].text, "Нет настраеваемых параметров");
        EXPECT_EQ(w.dialogs.messages[0].caption, "Настройка кодирования");
        EXPECT_EQ(w.dialogs.messages[0].icon, Dialogs::Icon::Information);
    }
}

TEST(SettingsDialog, ParametersSurviveAChangeOfCode) {
    Windows w;
    w.start();
    w.dialogs.answers.push_back("10011");
    w.form2->N5Click();
    w.form2->N3Click();
    w.form2->N2Click();
    EXPECT_EQ(w.st.Polinom_default, 19);
    w.form2->Button1Click();
    EXPECT_EQ(w.st.n0, 8);
    EXPECT_EQ(w.text("Label19"), "0,5000");
}

}  // namespace
}  // namespace tavolin::ui
