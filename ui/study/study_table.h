// SPDX-License-Identifier: GPL-3.0-or-later
// The study's table: one row per cell in (point, code) order, with the columns of the study's
// CSV that a user reads, numbers written with the regional separator.
#pragma once

#include <QAbstractTableModel>
#include <QLocale>
#include <vector>

#include "engine/study.h"

namespace tavolin::ui {

class StudyTable : public QAbstractTableModel {
    Q_OBJECT
  public:
    StudyTable(char sep, QObject* parent);

    // A new study: its codes and varied quantity, no rows yet.
    void set_study(const StudyPlan& plan);
    // More cells, each in its place.
    void add(std::vector<StudyCell> cells);
    void set_cells(const std::vector<StudyCell>& cells);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QString text(const StudyCell& c, int column) const;

    QLocale locale_;
    StudyPlan plan_;
    std::vector<StudyCell> cells_;
};

}  // namespace tavolin::ui
