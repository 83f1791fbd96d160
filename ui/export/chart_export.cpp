// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/chart_export.h"

#include <QChartView>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>

namespace tavolin::ui {

QImage chart_image(QChartView& view) {
    return view.grab().toImage();
}

bool write_chart(QChartView& view, PictureFormat format, QIODevice& device) {
    if (format == PictureFormat::Png) return chart_image(view).save(&device, "PNG");
    // The same drawing as on screen, as vectors and texts: the view renders its scene into
    // the generator at the view's size.
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    const QSize size = view.viewport()->size();
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(view.chart()->title());
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    view.render(&painter);
    return painter.end();
}

PictureFile picture_file(const QString& chosen, PictureFormat fallback) {
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    if (suffix == QLatin1String("png")) return {chosen, PictureFormat::Png};
    if (suffix == QLatin1String("svg")) return {chosen, PictureFormat::Svg};
    return {chosen + (fallback == PictureFormat::Svg ? ".svg" : ".png"), fallback};
}

}  // namespace tavolin::ui
