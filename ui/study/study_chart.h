// SPDX-License-Identifier: GPL-3.0-or-later
// The study's chart: one curve per code over the varied quantity, with its confidence band as a
// shaded area, for one measure at a time, and beside it a thin line of the code's exact values
// where the study has them. The value axis turns logarithmic when the curves span decades; the
// useful information per channel bit has the channel's capacity drawn as its limit.
#pragma once

#include <QChartView>
#include <QLocale>
#include <vector>

#include "engine/study.h"

class QAbstractAxis;
class QAreaSeries;
class QLineSeries;

namespace tavolin::ui {

enum class StudyMeasure { Detected, Corrected, Wrong, UsefulPerBit, RateAposteriori };
inline constexpr StudyMeasure kStudyMeasures[] = {StudyMeasure::Detected, StudyMeasure::Corrected,
                                                  StudyMeasure::Wrong, StudyMeasure::UsefulPerBit,
                                                  StudyMeasure::RateAposteriori};
QString measure_title(StudyMeasure m);
// Why a measured curve of useful information can lie above its exact line.
extern const char* const kMeasuredUsefulNote;

class StudyChart : public QChartView {
    Q_OBJECT
  public:
    // `sep` is the decimal separator of the axes' numbers.
    StudyChart(char sep, QWidget* parent);

    // A new study: its axis and its codes, no points yet.
    void set_study(const StudyPlan& plan);
    void set_measure(StudyMeasure m);
    StudyMeasure measure() const { return measure_; }
    // Draws the cells finished so far, each at its point on its code's curve.
    void set_cells(const std::vector<StudyCell>& cells);

    // What is drawn, for the tests: a code's curve, band and exact line, the capacity line, the
    // value axis.
    QLineSeries* curve(std::size_t code) const;
    QLineSeries* exact_curve(std::size_t code) const;
    QAreaSeries* band(std::size_t code) const;
    QLineSeries* capacity() const { return capacity_; }
    bool logarithmic_values() const { return log_values_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Curve {
        QLineSeries* line;
        QAreaSeries* band;
        QLineSeries* exact;
    };
    void redraw();
    void place_legend();
    void set_axes(bool log_x, double x_lo, double x_hi, bool log_y, double y_lo, double y_hi);
    QAbstractAxis* make_axis(bool log, const QString& title) const;

    QLocale locale_;
    StudyPlan plan_;
    std::vector<StudyCell> cells_;
    StudyMeasure measure_ = StudyMeasure::Detected;
    std::vector<Curve> curves_;
    QLineSeries* capacity_ = nullptr;
    QAbstractAxis* x_axis_ = nullptr;
    QAbstractAxis* y_axis_ = nullptr;
    bool log_values_ = false;
};

}  // namespace tavolin::ui
