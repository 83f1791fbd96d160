// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/table_export.h"

#include "core/number_text.h"
#include "ui/widgets/string_grid.h"

namespace tavolin::ui {

namespace {

QString quoted(const QString& field) {
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    QString q = field;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString joined(int rows, int cols, const CsvCell& cell, QChar separator) {
    QString out;
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            if (col > 0) out += separator;
            out += cell(col, row);
        }
        out += QLatin1Char('\n');
    }
    return out;
}

QString round_trip(Extended value) {
    return QString::fromStdString(format_round_trip(value));
}

}  // namespace

QString tab_separated(int rows, int cols, const CsvCell& cell) {
    return joined(rows, cols, cell, QLatin1Char('\t'));
}

QString csv(int rows, int cols, const CsvCell& cell) {
    return joined(
        rows, cols, [&cell](int col, int row) { return quoted(cell(col, row)); }, QLatin1Char(','));
}

QString tab_separated(const StringGrid& grid) {
    return tab_separated(grid.rowCount(), grid.colCount(),
                         [&grid](int col, int row) { return grid.cell(col, row); });
}

QString csv(const StringGrid& grid, const CsvCell& cell) {
    return csv(grid.rowCount(), grid.colCount(), cell);
}

CsvCell matrix_cells(const StringGrid& grid, const matr& shown) {
    return [&grid, &shown](int col, int row) {
        const auto i = static_cast<std::size_t>(row - 1), j = static_cast<std::size_t>(col - 1);
        if (row >= 1 && col >= 1 && i < shown.size() && j < shown[i].size())
            return round_trip(shown[i][j]);
        return grid.cell(col, row);
    };
}

CsvCell alphabet_cells(const StringGrid& grid, int probability_column, char sep) {
    return [&grid, probability_column, sep](int col, int row) {
        const QString text = grid.cell(col, row);
        if (col != probability_column || grid.isFixed(col, row)) return text;
        const std::optional<Extended> value = parse_number(text.toStdString(), sep);
        return value ? round_trip(*value) : text;
    };
}

}  // namespace tavolin::ui
