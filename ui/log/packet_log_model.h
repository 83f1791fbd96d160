// SPDX-License-Identifier: GPL-3.0-or-later
// The transmission log as a table: a row per word of the last packet, read from the kept
// records as the view asks for them, so a packet of 50000 words scrolls as one of ten.
#pragma once

#include <QAbstractTableModel>

#include "engine/packet_log.h"

namespace tavolin::ui {

class PacketLogModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Position, Symbol, CodeWord, Received, FoundError, Decoded, Outcome, Syndrome };
    static constexpr int kColumns = Syndrome + 1;
    // The received word's inverted bits as a mask of its n0 bits (an int), for the delegate
    // that sets them apart; the row's WordOutcome (an int), for the filter.
    static constexpr int kInvertedRole = Qt::UserRole;
    static constexpr int kOutcomeRole = Qt::UserRole + 1;

    PacketLogModel(const PacketLog& log, QObject* parent);

    // The log holds another packet.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A cell's text, as the table shows it.
    QString text(int row, int column) const;

  private:
    const PacketLog& log_;
    std::size_t rows_ = 0;  // as of the last refresh: the view's count until it is told
};

// Each outcome's quiet row colour, indexed by WordOutcome.
QColor outcome_colour(WordOutcome o);

}  // namespace tavolin::ui
