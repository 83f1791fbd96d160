// SPDX-License-Identifier: GPL-3.0-or-later
// A string grid: cells addressed (column, row), leading fixed header rows and columns, in-place
// editing with a per-character key filter that judges "the cell's text plus the typed
// character", and a notification whenever an edit changes a cell's text.
#pragma once

#include <QTableWidget>
#include <functional>

namespace tavolin::ui {

class StringGrid : public QTableWidget {
    Q_OBJECT
  public:
    // Returns whether the character typed into cell (col, row) may stand.
    using KeyFilter = std::function<bool(int col, int row, QChar typed)>;

    StringGrid(int cols, int rows, int fixed_cols, int fixed_rows, QWidget* parent);

    QString cell(int col, int row) const;
    // A program write: no notification.
    void setCell(int col, int row, const QString& text);
    void setColCount(int cols);
    void setRowCount(int rows);
    int colCount() const { return columnCount(); }
    void setDefaultColWidth(int width);
    void setDefaultRowHeight(int height);
    void setKeyFilter(KeyFilter filter) { filter_ = std::move(filter); }
    void setEditable(bool editable);
    bool isFixed(int col, int row) const { return col < fixed_cols_ || row < fixed_rows_; }

  signals:
    // The text of a cell changed through its editor, or its editing ended.
    void editTextChanged(int col, int row);

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    // Keeps the current cell off the fixed header cells.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

  private:
    friend class GridDelegate;
    QModelIndex first_editable() const;
    // Moves the focus to the next (or previous) control of the window's tab order.
    void leave(bool forward);
    bool accepts(int col, int row, const QKeyEvent& e) const;
    void fill_items();
    void style_item(QTableWidgetItem* item, int col, int row) const;

    int fixed_cols_, fixed_rows_;
    int default_col_width_ = 64;
    int default_row_height_ = 24;
    bool editable_ = true;
    KeyFilter filter_;
};

}  // namespace tavolin::ui
