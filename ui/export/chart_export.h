// SPDX-License-Identifier: GPL-3.0-or-later
// A chart as a picture: the image the view shows, for the clipboard and PNG files, and the same
// drawing as SVG.
#pragma once

#include <QImage>
#include <QString>

class QChartView;
class QIODevice;

namespace tavolin::ui {

enum class PictureFormat { Png, Svg };

// What the view shows, pixel for pixel.
QImage chart_image(QChartView& view);

// Writes the chart into `device`; false when the device refused the data.
bool write_chart(QChartView& view, PictureFormat format, QIODevice& device);

// The format a file name asks for by its ending (.png or .svg, in any case); a name with
// another ending, or none, gets the ending of `fallback` added.
struct PictureFile {
    QString path;
    PictureFormat format;
};
PictureFile picture_file(const QString& chosen, PictureFormat fallback);

}  // namespace tavolin::ui
