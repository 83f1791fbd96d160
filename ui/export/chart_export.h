// SPDX-License-Identifier: GPL-3.0-or-later
// A chart as a picture, PNG or SVG, at the size on screen or larger for a report; and the file
// names the save dialogs give, with the ending that picks a file's format.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class QChartView;
class QIODevice;

namespace tavolin::ui {

enum class PictureFormat { Png, Svg };

// How large a picture is drawn: `scale` times the chart's size on screen, its pixels marked
// with `dots_per_meter` (none: the screen's).
struct PictureScale {
    int scale;
    int dots_per_meter;
};
inline constexpr PictureScale kScreenPicture{1, 0};      // what the view shows, pixel for pixel
inline constexpr PictureScale kReportPicture{3, 11811};  // three times as large, 300 dpi

QImage chart_image(QChartView& view, PictureScale size = kScreenPicture);

// Writes the chart into `device`; false when the device refused the data. SVG is the same
// drawing as vectors and texts, sized as on a common screen whatever `size`.
bool write_chart(QChartView& view, PictureFormat format, QIODevice& device,
                 PictureScale size = kScreenPicture);

// A name as chosen in a save dialog, with the ending that picks its format: its own when it is
// one of `suffixes` (in any case), else that of the filter chosen, else the first of them,
// added to the name.
struct ChosenFile {
    QString path;
    QString suffix;  // one of `suffixes`, in lower case
};
ChosenFile chosen_file(const QString& chosen, const QString& filter, const QStringList& suffixes);

// The save dialogs' filters, worded alike in every window.
inline const QString kPngFilter = QStringLiteral("Изображение PNG (*.png)");
inline const QString kSvgFilter = QStringLiteral("Изображение SVG (*.svg)");
inline const QString kCsvFilter = QStringLiteral("Таблица CSV (*.csv)");
inline const QString kStudyFilter = QStringLiteral("Исследование JSON (*.json)");

// The picture format of a chosen name, PNG unless SVG is asked for.
struct PictureFile {
    QString path;
    PictureFormat format;
};
PictureFile picture_file(const QString& chosen, const QString& filter);

}  // namespace tavolin::ui
