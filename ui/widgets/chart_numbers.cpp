// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/chart_numbers.h"

#include <algorithm>
#include <cmath>

namespace tavolin::ui {

namespace {

constexpr double kNarrowest = 1e-300;
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

ValueScale nice_scale(double low, double high, int most_steps) {
    if (!(high > low)) {  // one value: a little room around it, or 0 to 1 around 0
        const double pad = low == 0 ? 1 : std::fabs(low) / 10;
        high = low + pad;
        low = low == 0 ? 0 : low - pad;
    }
    // A width too small for steps of its own (values near the smallest doubles) is read
    // against the unit; the logarithms below would be infinite.
    if (!(high - low >= kNarrowest)) {
        low = std::min(0.0, std::floor(low));
        high = low + 1;
    }
    const double least_step = (high - low) / most_steps;
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
