// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study/study_chart.h"

#include <QAreaSeries>
#include <QChart>
#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/study/study_names.h"
#include "ui/widgets/chart_numbers.h"

namespace tavolin::ui {

namespace {

// The first colour is the main window's blue; the rest stay apart from it and each other, in
// print as on screen.
const QColor kCodeColours[] = {QColor(0, 0, 255),   QColor(220, 40, 140), QColor(0, 150, 70),
                               QColor(230, 120, 0), QColor(120, 60, 180), QColor(0, 150, 170)};
constexpr int kBandAlpha = 50;
// Curves whose values span two decades or more are read on a logarithmic axis.
constexpr double kLogSpan = 100;
constexpr int kMostSteps = 6;
// More decades than this are labelled every second, third... one, so that no label is cut short.
constexpr int kMostDecadeLabels = 10;
// Room a legend entry takes besides its name: the mark and the gaps around it.
constexpr int kLegendEntryRoom = 40;
constexpr double kLogMargin = 1.15;
constexpr qreal kMarkerSize = 9;
constexpr int kMostMarkedPoints = 100;
constexpr qsizetype kMostBandCorners = 150;
// Values the axes can hold with a decade to spare at both ends: a logarithmic axis with an
// infinite or zero end never finishes its layout.
constexpr double kSmallestDrawn = 1e-300, kLargestDrawn = 1e300;

struct Value {
    double y;
    std::optional<std::pair<double, double>> band;
};

// A share without trials (no distorted words, say) does not exist, so it has no point.
std::optional<Value> value_of(const StudyCell& c, StudyMeasure m) {
    auto share = [](Extended y, const std::optional<Interval>& i) -> std::optional<Value> {
        if (!i) return std::nullopt;
        return Value{static_cast<double>(y),
                     std::pair{static_cast<double>(i->lo), static_cast<double>(i->hi)}};
    };
    switch (m) {
        case StudyMeasure::Detected:
            return share(c.detected_share, c.detected_ci);
        case StudyMeasure::Corrected:
            return share(c.corrected_share, c.corrected_ci);
        case StudyMeasure::Wrong:
            return share(c.wrong_rate, c.wrong_ci);
        case StudyMeasure::UsefulPerBit:
            return Value{static_cast<double>(c.useful_per_bit), std::nullopt};
        case StudyMeasure::RateAposteriori:
            if (!c.rate_aposteriori) return std::nullopt;
            return Value{*c.rate_aposteriori, std::nullopt};
    }
    return std::nullopt;
}

std::optional<double> exact_of(const StudyCell& c, StudyMeasure m) {
    std::optional<Extended> v;
    switch (m) {
        case StudyMeasure::Detected:
            v = c.detected_share_exact;
            break;
        case StudyMeasure::Corrected:
            v = c.corrected_share_exact;
            break;
        case StudyMeasure::Wrong:
            v = c.wrong_rate_exact;
            break;
        case StudyMeasure::UsefulPerBit:
            v = c.useful_per_bit_exact;
            break;
        case StudyMeasure::RateAposteriori:
            break;
    }
    if (!v) return std::nullopt;
    return static_cast<double>(*v);
}

bool has_bands(StudyMeasure m) {
    return m == StudyMeasure::Detected || m == StudyMeasure::Corrected || m == StudyMeasure::Wrong;
}

// Each code's points have a shape of their own as well as a colour, so that curves read apart
// where they cross and in a report printed without colour.
QImage marker(std::size_t code, const QColor& colour) {
    constexpr int kSide = 64;  // drawn large, scaled down to the marker size
    QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(140), 4));
    p.setBrush(colour);
    const QRectF box(6, 6, kSide - 12, kSide - 12);
    const QPointF c = box.center();
    switch (code % 5) {
        case 0:
            p.drawEllipse(box);
            break;
        case 1:
            p.drawRect(box.adjusted(4, 4, -4, -4));
            break;
        case 2:
            p.drawPolygon(
                QPolygonF({QPointF(c.x(), box.top()), box.bottomRight(), box.bottomLeft()}));
            break;
        case 3:
            p.drawPolygon(QPolygonF({QPointF(c.x(), box.top()), QPointF(box.right(), c.y()),
                                     QPointF(c.x(), box.bottom()), QPointF(box.left(), c.y())}));
            break;
        default:
            p.drawPolygon(QPolygonF({box.topLeft(), box.topRight(), QPointF(c.x(), box.bottom())}));
            break;
    }
    return image;
}

// A band of many points is drawn through some of them, evenly chosen, and its ends: filling
// an outline of thousands of corners takes longer than the event loop may wait, and the
// band looks the same.
QList<QPointF> thinned(const QList<QPointF>& edge) {
    if (edge.size() <= kMostBandCorners) return edge;
    QList<QPointF> kept;
    const qsizetype step = (edge.size() + kMostBandCorners - 1) / kMostBandCorners;
    for (qsizetype k = 0; k < edge.size(); k += step) kept << edge[k];
    if (kept.back() != edge.back()) kept << edge.back();
    return kept;
}

double decade_below(double v) {
    return std::pow(10.0, std::floor(std::log10(v) + 1e-9));
}
double decade_above(double v) {
    return std::pow(10.0, std::ceil(std::log10(v) - 1e-9));
}

}  // namespace

const char* const kMeasuredUsefulNote =
    "Измеренная полезная информация вычисляется по частотам самой ячейки и при малом числе "
    "символов завышена; точное значение — её предел при неограниченном числе символов.";

QString measure_title(StudyMeasure m) {
    switch (m) {
        case StudyMeasure::Detected:
            return "Доля обнаруженных ошибок";
        case StudyMeasure::Corrected:
            return "Доля исправленных ошибок";
        case StudyMeasure::Wrong:
            return "Доля неверно принятых символов";
        case StudyMeasure::UsefulPerBit:
            return "Полезная информация на бит канала";
        case StudyMeasure::RateAposteriori:
            return "Скорость передачи апостериорная, бит/с";
    }
    return {};
}

// The view is made with its chart: a chart view made without one makes a default chart that
// setChart() would leave to the caller.
StudyChart::StudyChart(char sep, QWidget* parent)
    : QChartView(new QChart, parent), locale_(chart_locale(sep)) {
    QChart* c = chart();
    QFont title_font = font();
    title_font.setBold(true);
    c->setTitleFont(title_font);
    c->setBackgroundBrush(Qt::white);
    c->setBackgroundRoundness(0);
    c->setMargins(QMargins(4, 4, 4, 4));
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->setAnimationOptions(QChart::NoAnimation);
    c->setLocalizeNumbers(true);
    c->setLocale(locale_);
    c->legend()->setAlignment(Qt::AlignBottom);
    c->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    c->legend()->setFont(font());
    setRenderHint(QPainter::Antialiasing);
    setInteractive(false);
    setFrameShape(QFrame::StyledPanel);
    set_study(StudyPlan{});
}

void StudyChart::set_study(const StudyPlan& plan) {
    plan_ = plan;
    cells_.clear();
    QChart* c = chart();
    c->removeAllSeries();  // deletes them, and the bands' edges with them
    for (QAbstractAxis* a : {x_axis_, y_axis_}) {
        if (!a) continue;
        c->removeAxis(a);
        delete a;
    }
    x_axis_ = y_axis_ = nullptr;
    curves_.clear();

    // Bands first, so that every curve is drawn over every band.
    for (std::size_t i = 0; i < plan_.codes.size(); ++i) {
        const QColor colour = kCodeColours[i % std::size(kCodeColours)];
        auto* band = new QAreaSeries;
        band->setObjectName(QString("Band%1").arg(i + 1));
        auto* upper = new QLineSeries(band);
        auto* lower = new QLineSeries(band);
        band->setUpperSeries(upper);
        band->setLowerSeries(lower);
        QColor fill = colour;
        fill.setAlpha(kBandAlpha);
        band->setBrush(fill);
        band->setPen(Qt::NoPen);
        band->setName(code_title(plan_.codes[i].name));
        c->addSeries(band);
        curves_.push_back({nullptr, band, nullptr});
    }
    for (std::size_t i = 0; i < plan_.codes.size(); ++i) {
        auto* line = new QLineSeries;
        line->setObjectName(QString("Curve%1").arg(i + 1));
        line->setName(code_title(plan_.codes[i].name));
        const QColor colour = kCodeColours[i % std::size(kCodeColours)];
        line->setPen(QPen(colour, 2));
        c->addSeries(line);
        line->setLightMarker(marker(i, colour));
        line->setMarkerSize(kMarkerSize);
        curves_[i].line = line;
    }
    // Thin and broken, so that the measured curve and its band show through.
    for (std::size_t i = 0; i < plan_.codes.size(); ++i) {
        auto* exact = new QLineSeries;
        exact->setObjectName(QString("Exact%1").arg(i + 1));
        exact->setName(code_title(plan_.codes[i].name) + " (точно)");
        exact->setPen(QPen(kCodeColours[i % std::size(kCodeColours)], 1, Qt::DashDotLine));
        c->addSeries(exact);
        curves_[i].exact = exact;
    }
    capacity_ = new QLineSeries;
    capacity_->setObjectName("Capacity");
    capacity_->setName("Пропускная способность канала");
    capacity_->setPen(QPen(Qt::black, 1.5, Qt::DashLine));
    c->addSeries(capacity_);
    for (const Curve& curve : curves_)
        for (QLegendMarker* m : c->legend()->markers(curve.band)) m->setVisible(false);
    redraw();
}

void StudyChart::set_measure(StudyMeasure m) {
    measure_ = m;
    redraw();
}

void StudyChart::set_cells(const std::vector<StudyCell>& cells) {
    cells_ = cells;
    redraw();
}

QLineSeries* StudyChart::curve(std::size_t code) const {
    return code < curves_.size() ? curves_[code].line : nullptr;
}

QLineSeries* StudyChart::exact_curve(std::size_t code) const {
    return code < curves_.size() ? curves_[code].exact : nullptr;
}

QAreaSeries* StudyChart::band(std::size_t code) const {
    return code < curves_.size() ? curves_[code].band : nullptr;
}

void StudyChart::redraw() {
    std::vector<const StudyCell*> sorted;
    for (const StudyCell& c : cells_)
        if (c.code < curves_.size()) sorted.push_back(&c);
    std::sort(sorted.begin(), sorted.end(), [](const StudyCell* a, const StudyCell* b) {
        return std::pair(a->point, a->code) < std::pair(b->point, b->code);
    });

    const std::size_t n = curves_.size();
    std::vector<QList<QPointF>> line(n), upper(n), lower(n), exact(n);
    int undrawn = 0;  // values the axes cannot hold (from a file: the engine writes none)
    const auto fits = [](double v) {
        const double size = std::fabs(v);  // no infinity or NaN passes
        return size <= kLargestDrawn && (size == 0 || size >= kSmallestDrawn);
    };
    const auto drawable = [&](double x, double y) {
        const bool both = fits(x) && fits(y);
        undrawn += both ? 0 : 1;
        return both;
    };
    QList<QPointF> limit;
    constexpr double kInf = std::numeric_limits<double>::infinity();
    double lo = kInf, hi = -kInf, least_positive = kInf, most = -kInf;
    int limit_point = -1;
    for (const StudyCell* c : sorted) {
        const auto x = static_cast<double>(c->value);
        if (measure_ == StudyMeasure::UsefulPerBit && c->point != limit_point) {
            limit_point = c->point;
            const auto cap = static_cast<double>(c->capacity);
            if (drawable(x, cap)) {
                limit << QPointF(x, cap);
                lo = std::min(lo, cap);
                hi = std::max(hi, cap);
            }
        }
        if (const std::optional<double> e = exact_of(*c, measure_); e && drawable(x, *e)) {
            exact[c->code] << QPointF(x, *e);
            lo = std::min(lo, *e);
            hi = std::max(hi, *e);
            most = std::max(most, *e);
            if (*e > 0) least_positive = std::min(least_positive, *e);
        }
        // An exact-only study measured nothing.
        const std::optional<Value> v = plan_.exact_only ? std::nullopt : value_of(*c, measure_);
        if (!v || !drawable(x, v->y)) continue;
        line[c->code] << QPointF(x, v->y);
        lo = std::min(lo, v->y);
        hi = std::max(hi, v->y);
        most = std::max(most, v->y);
        if (v->y > 0) least_positive = std::min(least_positive, v->y);
        if (v->band && fits(v->band->first) && fits(v->band->second)) {
            upper[c->code] << QPointF(x, v->band->second);
            lower[c->code] << QPointF(x, v->band->first);
            lo = std::min(lo, v->band->first);
            hi = std::max(hi, v->band->second);
        }
    }

    log_values_ = least_positive < kInf && most / least_positive >= kLogSpan;
    chart()->setTitle(undrawn == 0 ? measure_title(measure_)
                                   : QString("%1\n(значений вне пределов графика не показано: %2)")
                                         .arg(measure_title(measure_))
                                         .arg(undrawn));
    double y_lo = 0, y_hi = 1;
    if (log_values_) {
        // Zero has no place on a logarithmic axis: its points go, and bands that reach
        // down to it stop at the axis.
        y_lo = decade_below(least_positive);
        y_hi = decade_above(std::max(hi, most));
        for (std::size_t i = 0; i < n; ++i) {
            line[i].removeIf([](const QPointF& p) { return p.y() <= 0; });
            exact[i].removeIf([](const QPointF& p) { return p.y() <= 0; });
            for (QList<QPointF>* edge : {&upper[i], &lower[i]})
                for (QPointF& p : *edge) p.setY(std::max(p.y(), y_lo));
        }
    } else if (lo < kInf) {
        y_lo = lo;
        y_hi = hi;
    }

    // A start too small for a double (the values are drawn as doubles) has no place on a
    // logarithmic axis either.
    double x_lo = 0, x_hi = 1;
    if (!plan_.codes.empty() && plan_.from <= plan_.to &&
        std::fabs(static_cast<double>(plan_.from)) <= kLargestDrawn &&
        std::fabs(static_cast<double>(plan_.to)) <= kLargestDrawn) {
        x_lo = static_cast<double>(plan_.from);
        x_hi = static_cast<double>(plan_.to);
    }
    const bool log_x = plan_.log && x_lo >= kSmallestDrawn;
    if (log_x) {
        // A little room at both ends, but at least two powers of ten to label.
        x_lo /= kLogMargin;
        x_hi *= kLogMargin;
        if (decade_above(x_lo) * 10 > x_hi * (1 + 1e-9)) {
            x_lo = decade_below(x_lo);
            x_hi = std::max(decade_above(x_hi), x_lo * 10);
        }
    }
    set_axes(log_x, x_lo, x_hi, log_values_, y_lo, y_hi);

    // Past some points a curve is dense enough to read without its marks, which would only
    // merge into a thick line, and without smoothing; both take long to draw.
    const bool sparse = plan_.points <= kMostMarkedPoints;
    setRenderHint(QPainter::Antialiasing, sparse);
    for (std::size_t i = 0; i < n; ++i) {
        curves_[i].line->setPointsVisible(sparse);
        curves_[i].line->replace(line[i]);
        curves_[i].line->setVisible(!line[i].isEmpty());
        curves_[i].band->upperSeries()->replace(thinned(upper[i]));
        curves_[i].band->lowerSeries()->replace(thinned(lower[i]));
        curves_[i].band->setVisible(has_bands(measure_));
        // Shown again, a band would bring its legend entry back with it.
        for (QLegendMarker* m : chart()->legend()->markers(curves_[i].band)) m->setVisible(false);
        curves_[i].exact->replace(exact[i]);
        // Its legend entry only where there is a line to name.
        curves_[i].exact->setVisible(!exact[i].isEmpty());
    }
    if (capacity_) {
        capacity_->replace(limit);
        capacity_->setVisible(measure_ == StudyMeasure::UsefulPerBit);
    }
    place_legend();
}

void StudyChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    place_legend();
}

void StudyChart::place_legend() {
    QLegend* legend = chart()->legend();
    const auto markers = legend->markers();
    const QFontMetrics metrics(legend->font());
    int row = 0;
    for (QLegendMarker* m : markers)
        if (m->isVisible() && m->series()->isVisible())
            row += metrics.horizontalAdvance(m->label()) + kLegendEntryRoom;
    // Under the plot while the names fit in one row; else to its right, one a line, since the
    // row would cut every name short.
    const Qt::Alignment side = row <= width() ? Qt::AlignBottom : Qt::AlignRight;
    if (legend->alignment() != side) legend->setAlignment(side);
}

QAbstractAxis* StudyChart::make_axis(bool log, const QString& title) const {
    QAbstractAxis* axis = nullptr;
    if (log) {
        auto* a = new QLogValueAxis;
        // Every decade in one form, 1E-05 beside 1E-04 (the regional exponent sign): "%g" would
        // write 0,0001 beside 1E-05, and with no precision Qt Charts writes no labels at all.
        a->setLabelFormat("%.0e");
        axis = a;
    } else {
        axis = new QValueAxis;
    }
    axis->setLabelsFont(font());
    axis->setTitleFont(font());
    axis->setTitleText(title);
    return axis;
}

void StudyChart::set_axes(bool log_x, double x_lo, double x_hi, bool log_y, double y_lo,
                          double y_hi) {
    QChart* c = chart();
    const QString x_title = plan_.codes.empty() ? QString() : varied_title(plan_.varied);
    auto is_log = [](const QAbstractAxis* a) {
        return a->type() == QAbstractAxis::AxisTypeLogValue;
    };
    auto replace = [&](QAbstractAxis*& axis, bool log, Qt::Alignment side, const QString& title) {
        if (axis && is_log(axis) == log) {
            axis->setTitleText(title);
            return;
        }
        if (axis) {
            c->removeAxis(axis);
            delete axis;
        }
        axis = make_axis(log, title);
        c->addAxis(axis, side);
        for (QAbstractSeries* s : c->series()) s->attachAxis(axis);
    };
    replace(x_axis_, log_x, Qt::AlignBottom, x_title);
    replace(y_axis_, log_y, Qt::AlignLeft, QString());

    auto set_range = [](QAbstractAxis* axis, double lo, double hi) {
        if (auto* a = qobject_cast<QLogValueAxis*>(axis)) {
            // Labels stand at the powers of the base: a base of 1000 labels every third decade.
            const int decades = static_cast<int>(std::ceil(std::log10(hi / lo) - 1e-9));
            const int every = std::max(1, (decades + kMostDecadeLabels - 1) / kMostDecadeLabels);
            a->setBase(std::pow(10.0, every));
            // Between labels a decade apart the marks of 2 to 9; between labels further apart
            // the marks would not fall on decades, so none.
            a->setMinorTickCount(every == 1 ? 8 : 0);
            a->setRange(lo, hi);
            return;
        }
        auto* a = static_cast<QValueAxis*>(axis);
        const ValueScale s = nice_scale(lo, hi, kMostSteps);
        a->setRange(s.min, s.max);
        a->setTickCount(s.ticks);
        a->setLabelFormat(QString("%.%1f").arg(s.decimals));
    };
    set_range(x_axis_, x_lo, x_hi);
    set_range(y_axis_, y_lo, y_hi);
}

}  // namespace tavolin::ui
