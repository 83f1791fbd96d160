// SPDX-License-Identifier: GPL-3.0-or-later
// A grid as text for other programs: tab-separated for the clipboard, with the texts the grid
// shows, and CSV for files, with numbers at full precision.
#pragma once

#include <QString>
#include <functional>

#include "core/types.h"

namespace tavolin::ui {

class StringGrid;

// The CSV text of a cell (col, row), before quoting.
using CsvCell = std::function<QString(int col, int row)>;

// Every cell, headers included: cells joined by tabs, rows ended by line feeds.
QString tab_separated(const StringGrid& grid);
// The same of any table of `rows` rows and `cols` columns, each cell as `cell` shows it.
QString tab_separated(int rows, int cols, const CsvCell& cell);

// Every cell, headers included, as `cell` writes it: comma-separated, rows ended by line feeds,
// a field quoted when it holds a comma, a quote or a line break.
QString csv(const StringGrid& grid, const CsvCell& cell);
QString csv(int rows, int cols, const CsvCell& cell);

// The cells of a matrix grid: each value of `shown` (the matrix whose rounded texts the grid
// holds) at full precision with a point, the header cells as their texts.
CsvCell matrix_cells(const StringGrid& grid, const matr& shown);

// The cells of the alphabet grid: the probability column's texts read with the regional
// separator `sep` and written at full precision with a point; the symbol and code columns, the
// headers and any text that is not a number as they stand.
CsvCell alphabet_cells(const StringGrid& grid, int probability_column, char sep);

}  // namespace tavolin::ui
