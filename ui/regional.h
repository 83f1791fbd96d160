// SPDX-License-Identifier: GPL-3.0-or-later
// The regional decimal separator, read once by each window at its creation.
#pragma once

#include <QLocale>

namespace tavolin::ui {

// One character; a point where the region's separator is not a single ASCII character.
inline char regional_separator() {
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 128 ? point.at(0).toLatin1() : '.';
}

}  // namespace tavolin::ui
