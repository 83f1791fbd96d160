// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run_io.h"

namespace tavolin {

const char* refusal_text(Refusal why) {
    switch (why) {
        case Refusal::AlphabetTooShort:
            return "В алфивите должно быть не менее 9 символов";
        case Refusal::SumNotOne:
            return "Сумма вероятностей символов должна равнятся 1";
        case Refusal::SumNotOneContinuous:
            return "Сумма вероятностей символов должна равнятсяся 1";
        case Refusal::UnknownNoise:
            return "Неизвестный тип помех в канале связи";
        case Refusal::PacketSize:
            return "Размер пакета должен быть от 1 до 50000 символов";
    }
    return "";
}

}  // namespace tavolin
