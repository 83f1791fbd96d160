// SPDX-License-Identifier: GPL-3.0-or-later
// What the bar charts show: the value axis and the value marks, in the regional number form,
// marks readable above their bars, and one look for every empty chart.
#include "ui/widgets/bar_chart.h"

#include <QBarSet>
#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QPushButton>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "tests/ui/window_fixture.h"
#include "ui/widgets/chart_numbers.h"

namespace tavolin::ui {
namespace {

using testing_support::locale_with;
using testing_support::Windows;

// A text written the Russian way ("1 234,5") in the region of `sep`: its decimal separator and
// its digit groups.
QString regional(const char* russian, char sep) {
    QString s = QString::fromUtf8(russian);
    const QLocale region = locale_with(sep);
    s.replace(',', '\x01').replace(' ', region.groupSeparator());
    return s.replace('\x01', region.decimalPoint());
}

struct ShownText {
    QString text;
    QRectF rect;  // in scene coordinates
    QColor colour;
};

// Every visible text of a chart that holds a digit: the axis labels and the value marks.
std::vector<ShownText> numbers_shown(const BarChart* c) {
    std::vector<ShownText> out;
    for (QGraphicsItem* item : c->scene()->items()) {
        if (!item->isVisible()) continue;
        ShownText t;
        if (auto* rich = dynamic_cast<QGraphicsTextItem*>(item))
            t = {rich->toPlainText(), rich->sceneBoundingRect(), rich->defaultTextColor()};
        else if (auto* simple = dynamic_cast<QGraphicsSimpleTextItem*>(item))
            t = {simple->text(), simple->sceneBoundingRect(), simple->brush().color()};
        else
            continue;
        if (std::any_of(t.text.begin(), t.text.end(), [](QChar ch) { return ch.isDigit(); }))
            out.push_back(t);
    }
    return out;
}

// Rich text items give a no-break space (the Russian digit group separator) back as a plain
// space, so lists of texts are compared with plain spaces.
QString plain_spaces(QString s) {
    return s.replace(QChar::Nbsp, ' ');
}

QStringList texts(const std::vector<ShownText>& shown) {
    QStringList out;
    for (const ShownText& t : shown) out << plain_spaces(t.text);
    out.sort();
    return out;
}

QStringList regional_list(std::initializer_list<const char*> russian, char sep) {
    QStringList out;
    for (const char* r : russian) out << plain_spaces(regional(r, sep));
    out.sort();
    return out;
}

void show_bars(BarChart* c, double first, double second) {
    c->setBar(0, first);
    c->setBar(1, second);
    QApplication::processEvents();  // the chart lays itself out on a posted request
}

class ChartSeparator : public testing::TestWithParam<char> {};

TEST_P(ChartSeparator, AxisLabelsAndMarksUseTheRegionalForm) {
    const char sep = GetParam();
    Windows w(sep);
    w.start();
    BarChart* c = w.form2->chart(1);
    show_bars(c, 0.4286, 0.3);
    EXPECT_EQ(texts(numbers_shown(c)),
              regional_list({"0,4286", "0,3000", "0,0", "0,2", "0,4", "0,6"}, sep));
}

TEST_P(ChartSeparator, LargeValuesAreDigitGroupsNeverExponents) {
    const char sep = GetParam();
    Windows w(sep);
    w.start();
    BarChart* c = w.form2->chart(2);
    show_bars(c, 1234567, 2000000);
    EXPECT_EQ(
        texts(numbers_shown(c)),
        regional_list({"1 234 567", "2 000 000", "0", "1 000 000", "2 000 000", "3 000 000"}, sep));
    show_bars(c, 2270.29, 1570.36);
    EXPECT_EQ(texts(numbers_shown(c)),
              regional_list({"2 270,3", "1 570,4", "0", "1 000", "2 000", "3 000"}, sep));
}

INSTANTIATE_TEST_SUITE_P(Separators, ChartSeparator, testing::Values(',', '.'),
                         [](const testing::TestParamInfo<char>& i) {
                             return i.param == ',' ? "comma" : "point";
                         });

struct MarkCase {
    const char* name;
    double value;
    const char* russian;
};

class MarkTexts : public testing::TestWithParam<MarkCase> {};

TEST_P(MarkTexts, FourDecimalsFiveDigitsAndWholeGroups) {
    for (char sep : {',', '.'}) {
        QLocale::setDefault(locale_with(sep));
        EXPECT_EQ(mark_text(GetParam().value, chart_locale(sep)), regional(GetParam().russian, sep))
            << sep;
    }
}

INSTANTIATE_TEST_SUITE_P(Values, MarkTexts,
                         testing::Values(MarkCase{"information", 0.42857, "0,4286"},
                                         MarkCase{"entropy", 3.17844, "3,1784"},
                                         MarkCase{"tens", 22.5, "22,500"},
                                         MarkCase{"rate", 2270.29, "2 270,3"},
                                         MarkCase{"five_digits", 12345.6, "12 346"},
                                         MarkCase{"millions", 1234567, "1 234 567"},
                                         MarkCase{"billions", 4.2857e9, "4 285 700 000"},
                                         MarkCase{"tiny_negative", -0.00001, "0,0000"},
                                         MarkCase{"negative", -0.5, "-0,5000"}),
                         [](const testing::TestParamInfo<MarkCase>& i) {
                             return std::string(i.param.name);
                         });

struct ScaleCase {
    const char* name;
    double low, high;
    int most_steps;
    ValueScale scale;
};

class ValueScales : public testing::TestWithParam<ScaleCase> {};

TEST_P(ValueScales, FewRoundStepsThatHoldTheRange) {
    const ScaleCase& c = GetParam();
    EXPECT_EQ(nice_scale(c.low, c.high, c.most_steps), c.scale);
}

// Four steps for the bars, six for a study's curves.
INSTANTIATE_TEST_SUITE_P(
    Ranges, ValueScales,
    testing::Values(ScaleCase{"empty", 0, 0, 4, {0, 1, 3, 1}},
                    ScaleCase{"tenths", 0, 0.53575, 4, {0, 0.6000000000000001, 4, 1}},
                    ScaleCase{"exact_four_steps", 0, 4, 4, {0, 4, 5, 0}},
                    ScaleCase{"halves", 0, 1.25, 4, {0, 1.5, 4, 1}},
                    ScaleCase{"below_zero", -0.5, 1, 4, {-0.5, 1, 4, 1}},
                    ScaleCase{"thousandths", 0, 0.001, 4, {0, 0.001, 3, 4}},
                    ScaleCase{"millions", 0, 2.5e6, 4, {0, 3e6, 4, 0}},
                    ScaleCase{"billions", 0, 5.35e9, 4, {0, 6e9, 4, 0}},
                    ScaleCase{"shares_near_one", 0.93, 1, 6, {0.92, 1, 5, 2}},
                    ScaleCase{"one_value", 0.25, 0.25, 6, {0.22, 0.28, 7, 2}},
                    // No width to step through: against the unit, never an infinite step.
                    ScaleCase{"near_the_smallest_double", 1e-323, 1e-323, 6, {0, 1, 6, 1}},
                    ScaleCase{
                        "around_zero_below_the_normal_range", -1e-310, 1e-310, 6, {-1, 0, 6, 1}}),
    [](const testing::TestParamInfo<ScaleCase>& i) { return std::string(i.param.name); });

// WCAG relative luminance and contrast ratio.
double luminance(const QColor& c) {
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The rectangle of bar i (0 or 1), which share the one category slot from -0.5 to 0.5.
QRectF bar_rect(const BarChart* c, int i, double value) {
    QChart* chart = c->chart();
    QAbstractSeries* s = chart->series().front();
    const QPointF a = chart->mapToScene(chart->mapToPosition(QPointF(-0.5 + 0.5 * i, 0), s));
    const QPointF b = chart->mapToScene(chart->mapToPosition(QPointF(0.5 * i, value), s));
    return QRectF(a, b).normalized();
}

struct BarPair {
    const char* name;
    double first, second;
};

class ValueMarks : public testing::TestWithParam<BarPair> {};

TEST_P(ValueMarks, StandInThePlotClearOfBothBarsAndReadable) {
    Windows w(',');
    w.start();
    const double values[2] = {GetParam().first, GetParam().second};
    for (int chart : {1, 2}) {
        BarChart* c = w.form2->chart(chart);
        show_bars(c, values[0], values[1]);
        const QRectF plot = c->chart()->mapRectToScene(c->chart()->plotArea());
        const QRectF bars[2] = {bar_rect(c, 0, values[0]), bar_rect(c, 1, values[1])};
        const QColor background = c->chart()->backgroundBrush().color();
        for (int i = 0; i < 2; ++i) {
            SCOPED_TRACE(testing::Message() << "chart " << chart << " bar " << i);
            // The mark of a bar is the number centred over the bar's width.
            std::vector<ShownText> marks;
            for (const ShownText& t : numbers_shown(c))
                if (t.rect.center().x() > bars[i].left() && t.rect.center().x() < bars[i].right())
                    marks.push_back(t);
            ASSERT_EQ(marks.size(), 1u);
            const ShownText& mark = marks[0];
            EXPECT_TRUE(plot.contains(mark.rect)) << mark.text.toStdString();
            for (const QRectF& bar : bars) EXPECT_FALSE(mark.rect.intersects(bar));
            EXPECT_LT(mark.rect.bottom(), bars[i].top() + 0.5);
            EXPECT_GE(contrast(mark.colour, background), 4.5);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ValueMarks,
    testing::Values(BarPair{"information", 3.1784, 2.19849}, BarPair{"rates", 2270.29, 1570.36},
                    BarPair{"millions", 1234567, 2000000}, BarPair{"tiny_beside_tall", 0.001, 5},
                    BarPair{"zero_beside_half", 0, 0.5}, BarPair{"equal", 1, 1}),
    [](const testing::TestParamInfo<BarPair>& i) { return std::string(i.param.name); });

struct AxisLook {
    double min, max;
    int ticks;
    QStringList labels;
    bool operator==(const AxisLook&) const = default;
};

AxisLook axis_look(const BarChart* c) {
    const auto* axis = static_cast<QValueAxis*>(c->chart()->axes(Qt::Vertical).front());
    return {axis->min(), axis->max(), axis->tickCount(), texts(numbers_shown(c))};
}

TEST(EmptyCharts, LookTheSameAtStartAndAfterClearing) {
    Windows w(',');
    w.start();
    const AxisLook at_start[2] = {axis_look(w.form2->chart(1)), axis_look(w.form2->chart(2))};
    EXPECT_EQ(at_start[0].labels, regional_list({"0,0", "0,5", "1,0"}, ','));
    for (int round = 0; round < 2; ++round) {
        w.form2->Button1Click();
        w.find<QPushButton>("Button3")->click();
        QApplication::processEvents();
        for (int chart : {1, 2})
            EXPECT_EQ(axis_look(w.form2->chart(chart)), at_start[chart - 1])
                << "chart " << chart << ", round " << round;
    }
}

#if defined(__SANITIZE_ADDRESS__)
// Under LeakSanitizer: the charts of many windows leave nothing behind. One window's leak can
// hide behind stale pointers on the stack; many cannot.
TEST(ChartMemory, WindowsLeaveNothingBehind) {
    for (int i = 0; i < 10; ++i) {
        Windows w;
        w.start();
        w.form2->Button1Click();
    }
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
}
#endif

}  // namespace
}  // namespace tavolin::ui
