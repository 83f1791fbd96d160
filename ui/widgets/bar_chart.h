// SPDX-License-Identifier: GPL-3.0-or-later
// A bar chart of two series with one bar each: a title, a legend at the bottom, no category
// axis, and a mark with its value above each bar.
#pragma once

#include <QChartView>
#include <QColor>
#include <QLocale>
#include <optional>

class QBarSet;
class QBarSeries;
class QGraphicsSimpleTextItem;
class QValueAxis;

namespace tavolin::ui {

class BarChart : public QChartView {
    Q_OBJECT
  public:
    struct SeriesLook {
        const char* object_name;  // Series1 ...
        QString title;
        QColor colour;
    };
    // `sep` is the decimal separator of the chart's numbers.
    BarChart(const QString& title, SeriesLook first, SeriesLook second, char sep, QWidget* parent);

    // Series 0 or 1, found by tests through its object name as well.
    QBarSet* series(int i) const { return sets_[i]; }
    void clearSeries(int i);
    // Clears the series and adds one bar of the value (none when the value is missing).
    void setBar(int i, std::optional<double> value);
    // How many bars a series holds.
    int bars(int i) const;

  private:
    void rescale();
    void place_marks();
    QBarSet* sets_[2];
    QGraphicsSimpleTextItem* marks_[2];
    QBarSeries* bar_series_;
    QValueAxis* axis_;
    QLocale locale_;
};

}  // namespace tavolin::ui
