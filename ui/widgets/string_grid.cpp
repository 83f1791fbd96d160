// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/string_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <algorithm>

#include "ui/widgets/typed_key.h"

namespace tavolin::ui {

// The in-place editor: a line edit whose keys pass the grid's filter and whose every change
// reaches the cell at once.
class GridDelegate final : public QStyledItemDelegate {
  public:
    explicit GridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->installEventFilter(grid_);
        const int col = index.column(), row = index.row();
        connect(editor, &QLineEdit::textEdited, grid_, [this, col, row](const QString& text) {
            if (QTableWidgetItem* item = grid_->item(row, col)) item->setText(text);
            emit grid_->editTextChanged(col, row);
        });
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        QStyledItemDelegate::setModelData(editor, model, index);
        emit grid_->editTextChanged(index.column(), index.row());
    }

    // Tab and Shift+Tab in an open editor keep its text and leave the grid for the next or
    // previous control, as they do on a cell that is not being edited.
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const auto* k = static_cast<const QKeyEvent*>(e);
            const bool tab = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
            if (tab && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                auto* editor = static_cast<QWidget*>(watched);
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                grid_->leave(k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier));
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(watched, e);
    }

  private:
    StringGrid* grid_;
};

StringGrid::StringGrid(int cols, int rows, int fixed_cols, int fixed_rows, QWidget* parent)
    : QTableWidget(rows, cols, parent), fixed_cols_(fixed_cols), fixed_rows_(fixed_rows) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setItemDelegate(new GridDelegate(this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);  // the arrow keys move between cells, Tab between controls
    setDefaultColWidth(64);
    setDefaultRowHeight(24);
    fill_items();
}

QString StringGrid::cell(int col, int row) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void StringGrid::setCell(int col, int row, const QString& text) {
    if (QTableWidgetItem* it = item(row, col)) it->setText(text);
}

void StringGrid::setColCount(int cols) {
    setColumnCount(cols);
    for (int c = 0; c < cols; ++c) setColumnWidth(c, default_col_width_);
    fill_items();
}

void StringGrid::setRowCount(int rows) {
    QTableWidget::setRowCount(rows);
    for (int r = 0; r < rows; ++r) setRowHeight(r, default_row_height_);
    fill_items();
}

void StringGrid::setDefaultColWidth(int width) {
    default_col_width_ = width;
    horizontalHeader()->setDefaultSectionSize(width);
    for (int c = 0; c < columnCount(); ++c) setColumnWidth(c, width);
}

void StringGrid::setDefaultRowHeight(int height) {
    default_row_height_ = height;
    verticalHeader()->setDefaultSectionSize(height);
    for (int r = 0; r < rowCount(); ++r) setRowHeight(r, height);
}

void StringGrid::setEditable(bool editable) {
    editable_ = editable;
    setEditTriggers(editable ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                   QAbstractItemView::EditKeyPressed
                             : QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (QTableWidgetItem* it = item(r, c)) style_item(it, c, r);
}

void StringGrid::fill_items() {
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            QTableWidgetItem* it = item(r, c);
            if (!it) {
                it = new QTableWidgetItem;
                setItem(r, c, it);
            }
            style_item(it, c, r);
        }
    if (!currentIndex().isValid() || isFixed(currentColumn(), currentRow())) {
        const QModelIndex first = first_editable();
        // Current without being selected: nothing is highlighted until the user moves.
        if (first.isValid())
            selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    }
}

QModelIndex StringGrid::first_editable() const {
    return model()->index(fixed_rows_, fixed_cols_);
}

QModelIndex StringGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex from = currentIndex();
    if (!from.isValid() || isFixed(from.column(), from.row())) return first_editable();
    const QModelIndex to = QTableWidget::moveCursor(action, modifiers);
    if (!to.isValid()) return to;
    // A move towards the headers stops at the first editable row or column.
    return model()->index(std::max(to.row(), fixed_rows_), std::max(to.column(), fixed_cols_));
}

void StringGrid::leave(bool forward) {
    focusNextPrevChild(forward);
}

void StringGrid::style_item(QTableWidgetItem* it, int col, int row) const {
    if (isFixed(col, row)) {
        // Header cells take neither the current cell nor a selection; they keep the enabled
        // text colour all the same.
        it->setFlags(Qt::NoItemFlags);
        it->setBackground(palette().button());
        it->setForeground(palette().buttonText());
    } else {
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (editable_) flags |= Qt::ItemIsEditable;
        it->setFlags(flags);
    }
}

bool StringGrid::accepts(int col, int row, const QKeyEvent& e) const {
    const std::optional<QChar> typed = typed_character(e);
    if (!typed || !filter_) return true;
    return filter_(col, row, *typed);
}

void StringGrid::keyPressEvent(QKeyEvent* e) {
    // A key on a cell that is not being edited opens its editor with the key as its text; it is
    // judged, like every key, against the cell's text plus the character.
    const QModelIndex at = currentIndex();
    if (at.isValid() && state() != EditingState && editable_ && !isFixed(at.column(), at.row()) &&
        typed_character(*e) && !accepts(at.column(), at.row(), *e)) {
        e->accept();
        return;
    }
    QTableWidget::keyPressEvent(e);
}

bool StringGrid::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched)) {
        const QModelIndex at = currentIndex();
        if (at.isValid() && !accepts(at.column(), at.row(), *static_cast<QKeyEvent*>(e)))
            return true;
    }
    return QTableWidget::eventFilter(watched, e);
}

}  // namespace tavolin::ui
