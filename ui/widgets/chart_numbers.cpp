// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/chart_numbers.h"

#include <algorithm>
#include <cmath>

namespace tavolin::ui {

namespace {

constexpr int kMostSteps = 4;
constexpr int kMarkDigits = 5;
constexpr int kMarkDecimals = 4;
// Ratios such as 3.0000000000000004 steps count as whole steps.
constexpr double kSlack = 1e-9;

}  // namespace

QLocale chart_locale(char sep) {
    const QLocale region;
    if (region.decimalPoint() == QString(QChar(sep)) && region.zeroDigit() == QString("0"))
        return region;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);  // the C locale omits groups by default
    return c;
}

ValueScale value_scale(double low, double high) {
    if (!(high > low)) {
        low = 0;
        high = 1;
    }
    const double least_step = (high - low) / kMostSteps;
    const double power = std::pow(10.0, std::floor(std::log10(least_step)));
    double step = 10 * power;
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= least_step * (1 - kSlack)) {
            step = m * power;
            break;
        }
    const double first = std::floor(low / step + kSlack);
    const double last = std::ceil(high / step - kSlack);
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + kSlack)));
    return {first * step, last * step, static_cast<int>(last - first) + 1, decimals};
}

QString mark_text(double value, const QLocale& locale) {
    const double magnitude = std::fabs(value);
    const int whole_digits =
        magnitude < 1 ? 1 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    const int decimals = std::clamp(kMarkDigits - whole_digits, 0, kMarkDecimals);
    QString text = locale.toString(value, 'f', decimals);
    // A value that rounds to zero carries no minus sign.
    if (text.startsWith(locale.negativeSign()) && locale.toDouble(text) == 0)
        text.remove(0, locale.negativeSign().size());
    return text;
}

}  // namespace tavolin::ui
