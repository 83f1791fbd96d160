#include "ui/bar_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QValueAxis>
#include <algorithm>

namespace tavolin::ui {

BarChart::BarChart(const QString& title, SeriesSpec first, SeriesSpec second, QWidget* parent)
    : QChartView(parent), bar_series_(new QBarSeries), axis_(new QValueAxis) {
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont title_font = font();
    title_font.setBold(true);
    chart->setTitleFont(title_font);
    chart->setBackgroundBrush(Qt::white);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->setAnimationOptions(QChart::NoAnimation);

    const SeriesSpec specs[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        sets_[i] = new QBarSet(specs[i].title);
        sets_[i]->setObjectName(specs[i].object_name);
        sets_[i]->setColor(specs[i].colour);
        sets_[i]->setBorderColor(specs[i].colour.darker(150));
        bar_series_->append(sets_[i]);
    }
    // Each bar fills its whole slot: no gap between the two series' bars.
    bar_series_->setBarWidth(1.0);
    bar_series_->setLabelsVisible(true);
    bar_series_->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    bar_series_->setLabelsFormat("@value");
    chart->addSeries(bar_series_);

    auto* categories = new QBarCategoryAxis;
    categories->append(QStringLiteral(" "));  // one slot; the axis itself is hidden
    chart->addAxis(categories, Qt::AlignBottom);
    bar_series_->attachAxis(categories);
    categories->setVisible(false);
    axis_->setLabelFormat("%.4g");
    axis_->setLabelsFont(font());
    chart->addAxis(axis_, Qt::AlignLeft);
    bar_series_->attachAxis(axis_);

    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(font());
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setInteractive(false);
    setFrameShape(QFrame::StyledPanel);
    rescale();
}

void BarChart::clearSeries(int i) {
    if (sets_[i]->count() > 0) sets_[i]->remove(0, sets_[i]->count());
    rescale();
}

void BarChart::setBar(int i, std::optional<double> value) {
    clearSeries(i);
    if (value) sets_[i]->append(*value);
    rescale();
}

int BarChart::bars(int i) const {
    return sets_[i]->count();
}

void BarChart::rescale() {
    double top = 0, bottom = 0;
    for (QBarSet* s : sets_)
        for (int k = 0; k < s->count(); ++k) {
            top = std::max(top, s->at(k));
            bottom = std::min(bottom, s->at(k));
        }
    if (top == bottom) top = bottom + 1;
    axis_->setRange(bottom, top * 1.15);
    axis_->applyNiceNumbers();
}

}  // namespace tavolin::ui
