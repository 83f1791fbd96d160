// SPDX-License-Identifier: GPL-3.0-or-later
// The context menus that take what a window shows elsewhere: a chart's picture, a grid's table,
// the result labels' texts. They add no control: the layout stays as it is.
#pragma once

#include <QString>
#include <functional>
#include <utility>
#include <vector>

#include "ui/dialogs.h"
#include "ui/export/table_export.h"

class QAction;
class QLabel;
class QWidget;

namespace tavolin::ui {

class BarChart;

// "Копировать изображение" (CopyImage) and "Сохранить изображение…" (SaveImage).
void add_chart_export(BarChart& chart, Dialogs& dialogs);

// "Копировать" (CopyTable): the texts shown; "Сохранить как CSV…" (SaveCsv): the cells as
// `cells` writes them.
void add_grid_export(StringGrid& grid, Dialogs& dialogs, CsvCell cells);
// The same menu on any table: `copied` gives the clipboard's text, `saved` the CSV file's.
void add_table_export(QWidget& table, Dialogs& dialogs, std::function<QString()> copied,
                      std::function<QString()> saved);

// "Копировать результаты" (CopyResults) on each caption and value label: every line as its
// caption and its value. The action belongs to `owner`.
QAction* add_results_copy(QWidget& owner, std::vector<std::pair<QLabel*, QLabel*>> lines);

// The text that action copies.
QString results_text(const std::vector<std::pair<QLabel*, QLabel*>>& lines);

}  // namespace tavolin::ui
