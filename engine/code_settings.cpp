// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/code_settings.h"

#include "codes/bitstring.h"
#include "codes/cyclic.h"
#include "codes/hamming.h"
#include "core/defaults.h"
#include "core/number_text.h"

namespace tavolin {

namespace {

// A code word must fit 16 bits: 4 information bits plus at most 12 check bits.
constexpr std::size_t kMaxPolynomialDigits = 13;

}  // namespace

void init_code_parameters(SimState& st) {
    st.coding_type = kStartup.coding_type;
    por_m_x(st.p_m_x);
    st.Polinom_default = kStartup.polynomial;
    prover_m_x(st.pr_m_x);
    st.L_default = kStartup.frame;
}

SettingMessage setting_message(SettingRefusal why) {
    switch (why) {
        case SettingRefusal::NotBinary:
            return {"Двоичное число не содержит знаков, либо содержит запрещенные знаки",
                    "Ошибка разбора числа"};
        case SettingRefusal::PolynomialRefused:
            return {"Этот полином использовать не рекомендуется", "Проверка полинома"};
        case SettingRefusal::FrameOutOfRange:
            return {"Введите размер кадра из диапазона 1..4", "Проверка параметров"};
    }
    return {"", ""};
}

PolynomialCheck check_polynomial_text(std::string_view text) {
    if (!Check_Str(text)) return {0, SettingRefusal::NotBinary};
    const Cardinal p = BinToInt(text);
    if (text.size() > kMaxPolynomialDigits || !Check_Polinom(static_cast<Word>(p)).passed())
        return {0, SettingRefusal::PolynomialRefused};
    return {static_cast<Word>(p), std::nullopt};
}

FrameCheck check_frame_text(std::string_view text) {
    const Integer v = to_integer_or(text, 0);
    if (v < 1 || v > 4) return {0, SettingRefusal::FrameOutOfRange};
    return {static_cast<Word>(v), std::nullopt};
}

}  // namespace tavolin
