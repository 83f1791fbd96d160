// SPDX-License-Identifier: GPL-3.0-or-later
// The Russian names a study shows for what the files name in English: its codes and the
// channel quantity it varies.
#pragma once

#include <QString>
#include <string>

#include "engine/study.h"

namespace tavolin::ui {

// "cyclic:1101" reads "Циклический код (1101)", "hamming" "Код Хемминга", and so on; a name
// that is none of the codes is shown as it is.
QString code_title(const std::string& name);

// "Вероятность инверсии 0" for p0, and so on.
QString varied_title(Varied v);

}  // namespace tavolin::ui
