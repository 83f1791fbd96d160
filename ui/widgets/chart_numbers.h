// SPDX-License-Identifier: GPL-3.0-or-later
// The numbers of the charts: the value axis's scale and the texts of its labels and of the
// value marks. They are written like every number of the window, with the regional decimal
// separator, and never in scientific notation: large values are digit groups.
#pragma once

#include <QLocale>
#include <QString>

namespace tavolin::ui {

// The locale the charts write numbers in: the region's, when its decimal separator is `sep`
// and its digits are ASCII; otherwise the C locale (whose separator is the fallback '.') with
// digit grouping.
QLocale chart_locale(char sep);

// A value axis from `min` to `max` in `ticks` labelled steps, each label with `decimals` places.
struct ValueScale {
    double min;
    double max;
    int ticks;
    int decimals;
    bool operator==(const ValueScale&) const = default;
};

// The scale that holds `low` to `high` in at most `most_steps` steps of 1, 2 or 5 times a power
// of ten. A single value gets room around it: 0 the scale of 0 to 1.
ValueScale nice_scale(double low, double high, int most_steps);

// The text of a value mark: 4 decimals and at most 5 significant digits, as the result labels,
// but whole digit groups instead of scientific notation for large values.
QString mark_text(double value, const QLocale& locale);

}  // namespace tavolin::ui
