// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/chart_export.h"

#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>

namespace tavolin::ui {

namespace {

constexpr int kScreenDpi = 96;

}  // namespace

QImage chart_image(QChartView& view, PictureScale size) {
    if (size.scale == 1 && size.dots_per_meter == 0) return view.grab().toImage();
    // The scene is drawn anew at the larger size, so lines and letters stay sharp.
    const QRectF source = view.chart()->sceneBoundingRect();
    QImage image((source.size() * size.scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    if (size.dots_per_meter > 0) {
        image.setDotsPerMeterX(size.dots_per_meter);
        image.setDotsPerMeterY(size.dots_per_meter);
    }
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    view.scene()->render(&painter, QRectF(image.rect()), source);
    return image;
}

bool write_chart(QChartView& view, PictureFormat format, QIODevice& device, PictureScale size) {
    if (format == PictureFormat::Png) return chart_image(view, size).save(&device, "PNG");
    const QRectF source = view.chart()->sceneBoundingRect();
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setSize(source.size().toSize());
    svg.setResolution(kScreenDpi);  // its size in millimetres is the size on a common screen
    svg.setViewBox(QRectF(QPointF(0, 0), source.size()));
    svg.setTitle(view.chart()->title());
    svg.setDescription("Tavolin");
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    view.scene()->render(&painter, QRectF(QPointF(0, 0), source.size()), source);
    return painter.end();
}

ChosenFile chosen_file(const QString& chosen, const QString& filter, const QStringList& suffixes) {
    const QString own = QFileInfo(chosen).suffix().toLower();
    if (suffixes.contains(own)) return {chosen, own};
    QString suffix = suffixes.front();
    for (const QString& s : suffixes)
        if (filter.contains("*." + s)) suffix = s;
    return {chosen + "." + suffix, suffix};
}

PictureFile picture_file(const QString& chosen, const QString& filter) {
    const ChosenFile f = chosen_file(chosen, filter, {"png", "svg"});
    return {f.path, f.suffix == "svg" ? PictureFormat::Svg : PictureFormat::Png};
}

}  // namespace tavolin::ui
