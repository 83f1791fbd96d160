// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study/study_names.h"

namespace tavolin::ui {

QString code_title(const std::string& name) {
    const std::size_t colon = name.find(':');
    const std::string kind = name.substr(0, colon);
    const QString parameter =
        colon == std::string::npos ? QString() : QString::fromStdString(name.substr(colon + 1));
    if (kind == "cyclic")
        return parameter.isEmpty() ? "Циклический код" : "Циклический код (" + parameter + ")";
    if (kind == "continuous")
        return parameter.isEmpty() ? "Непрерывный код" : "Непрерывный код (кадр " + parameter + ")";
    if (name == "hamming") return "Код Хемминга";
    if (name == "none") return "Без кодирования";
    return QString::fromStdString(name);
}

QString varied_title(Varied v) {
    switch (v) {
        case Varied::p0:
            return "Вероятность инверсии 0";
        case Varied::p1:
            return "Вероятность инверсии 1";
        case Varied::p:
            return "Вероятности инверсии 0 и 1";
        case Varied::e0:
            return "Вероятность стирания 0";
        case Varied::e1:
            return "Вероятность стирания 1";
        case Varied::e:
            return "Вероятности стирания 0 и 1";
    }
    return {};
}

}  // namespace tavolin::ui
