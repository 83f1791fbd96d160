// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/bar_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QValueAxis>
#include <algorithm>

#include "ui/widgets/chart_numbers.h"

namespace tavolin::ui {

namespace {

// The axis reaches this far past the longest bar, so its mark stands above it inside the plot.
constexpr double kHeadroom = 1.25;
constexpr int kMostSteps = 4;
constexpr qreal kMarkGap = 2;
// The two bars share the one category slot from -0.5 to 0.5: bar i is centred here.
constexpr qreal kBarCentre[2] = {-0.25, 0.25};

}  // namespace

// The view is made with its chart: a chart view made without one makes a default chart that
// setChart() would leave to the caller.
BarChart::BarChart(const QString& title, SeriesLook first, SeriesLook second, char sep,
                   QWidget* parent)
    : QChartView(new QChart, parent),
      bar_series_(new QBarSeries),
      axis_(new QValueAxis),
      locale_(chart_locale(sep)) {
    QChart* c = chart();
    c->setTitle(title);
    QFont title_font = font();
    title_font.setBold(true);
    c->setTitleFont(title_font);
    c->setBackgroundBrush(Qt::white);
    c->setMargins(QMargins(2, 2, 2, 2));
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->setBackgroundRoundness(0);
    c->setAnimationOptions(QChart::NoAnimation);
    c->setLocalizeNumbers(true);
    c->setLocale(locale_);

    const SeriesLook looks[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        sets_[i] = new QBarSet(looks[i].title);
        sets_[i]->setObjectName(looks[i].object_name);
        sets_[i]->setColor(looks[i].colour);
        sets_[i]->setBorderColor(looks[i].colour.darker(150));
        bar_series_->append(sets_[i]);
    }
    // Each bar fills its whole slot: no gap between the two series' bars.
    bar_series_->setBarWidth(1.0);
    c->addSeries(bar_series_);

    auto* categories = new QBarCategoryAxis;
    categories->append(QStringLiteral(" "));  // one slot; the axis itself is hidden
    c->addAxis(categories, Qt::AlignBottom);
    bar_series_->attachAxis(categories);
    categories->setVisible(false);
    axis_->setLabelsFont(font());
    c->addAxis(axis_, Qt::AlignLeft);
    bar_series_->attachAxis(axis_);

    // The marks stand on the white plot above the bars, not inside them: no one text colour
    // reads well on both the blue and the pink bar.
    for (QGraphicsSimpleTextItem*& mark : marks_) {
        mark = new QGraphicsSimpleTextItem(c);
        mark->setFont(font());
        mark->setBrush(Qt::black);
        mark->setZValue(1000);
        mark->hide();
    }
    connect(c, &QChart::plotAreaChanged, this, &BarChart::place_marks);

    c->legend()->setAlignment(Qt::AlignBottom);
    c->legend()->setFont(font());
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

// The scale is computed from the bars alone, so an empty chart always looks the same.
void BarChart::rescale() {
    double top = 0, bottom = 0;
    for (QBarSet* s : sets_)
        for (int k = 0; k < s->count(); ++k) {
            top = std::max(top, s->at(k));
            bottom = std::min(bottom, s->at(k));
        }
    const ValueScale scale = nice_scale(bottom * kHeadroom, top * kHeadroom, kMostSteps);
    axis_->setRange(scale.min, scale.max);
    axis_->setTickCount(scale.ticks);
    axis_->setLabelFormat(QStringLiteral("%.%1f").arg(scale.decimals));
    for (int i = 0; i < 2; ++i)
        if (sets_[i]->count() > 0) marks_[i]->setText(mark_text(sets_[i]->at(0), locale_));
    place_marks();
}

void BarChart::place_marks() {
    for (int i = 0; i < 2; ++i) {
        QGraphicsSimpleTextItem* mark = marks_[i];
        mark->setVisible(sets_[i]->count() > 0);
        if (!mark->isVisible()) continue;
        const double value = sets_[i]->at(0);
        const QPointF end = chart()->mapToPosition(QPointF(kBarCentre[i], value), bar_series_);
        const QRectF box = mark->boundingRect();
        // Above the end of a bar that rises, below the end of one that falls.
        const qreal top = value >= 0 ? end.y() - kMarkGap - box.height() : end.y() + kMarkGap;
        mark->setPos(end.x() - box.width() / 2, top);
    }
}

}  // namespace tavolin::ui
