// SPDX-License-Identifier: GPL-3.0-or-later
// The transmission log's window: every word of the last packet, from the symbol sent to what
// was decoded, with the count of each outcome and a filter to the distorted words. It follows
// the runs: after every packet, and every tick of a continuous run.
#pragma once

#include <QWidget>
#include <array>

#include "engine/packet_log.h"
#include "ui/dialogs.h"

class QCheckBox;
class QLabel;
class QSortFilterProxyModel;
class QTableView;

namespace tavolin::ui {

class PacketLogModel;

class PacketLogWindow : public QWidget {
    Q_OBJECT
  public:
    // `log` is the main window's, kept by its runs while this window lives.
    PacketLogWindow(const PacketLog& log, Dialogs& dialogs, QWidget* parent);

    void open();
    // The log holds another packet.
    void refresh();

    // What the table shows, for the tests: rows after the filter.
    int shown_rows() const;

  private:
    void show_counts();
    // The rows shown, headers first, as the table shows them: what is copied and saved.
    QString shown_text(bool csv_file) const;

    const PacketLog& log_;
    PacketLogModel* model_;
    QSortFilterProxyModel* filter_;
    QTableView* table_;
    QCheckBox* distorted_only_;
    QLabel* words_;
    std::array<QLabel*, kWordOutcomes> counts_{};
};

}  // namespace tavolin::ui
