// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/log/packet_log_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/export/export_actions.h"
#include "ui/log/packet_log_model.h"
#include "ui/log/received_bits_delegate.h"

namespace tavolin::ui {

namespace {

// Only the words the channel distorted, when asked.
class DistortedFilter : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void set_distorted_only(bool on) {
        distorted_only_ = on;
        invalidateFilter();
    }

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (!distorted_only_) return true;
        const QModelIndex index = sourceModel()->index(row, 0, parent);
        return index.data(PacketLogModel::kOutcomeRole).toInt() !=
               static_cast<int>(WordOutcome::Intact);
    }

  private:
    bool distorted_only_ = false;
};

constexpr WordOutcome kOutcomes[kWordOutcomes] = {WordOutcome::Intact, WordOutcome::Corrected,
                                                  WordOutcome::Detected, WordOutcome::Undetected};
const char* const kCountNames[kWordOutcomes] = {"IntactCount", "CorrectedCount", "DetectedCount",
                                                "UndetectedCount"};

}  // namespace

PacketLogWindow::PacketLogWindow(const PacketLog& log, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), log_(log) {
    setObjectName("PacketLogWindow");
    setWindowTitle("Журнал передачи пакета");

    model_ = new PacketLogModel(log_, this);
    auto* filter = new DistortedFilter(this);
    filter->setSourceModel(model_);
    filter_ = filter;

    table_ = new QTableView;
    table_->setObjectName("LogTable");
    table_->setModel(filter_);
    table_->setItemDelegateForColumn(PacketLogModel::Received, new ReceivedBitsDelegate(table_));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Widths from the rows in view, not from every row of a packet of 50000 words.
    table_->horizontalHeader()->setResizeContentsPrecision(0);
    table_->horizontalHeader()->setStretchLastSection(true);
    add_table_export(
        *table_, dialogs, [this] { return shown_text(false); },
        [this] { return shown_text(true); });

    words_ = new QLabel;
    words_->setObjectName("WordsLabel");
    auto* counts = new QHBoxLayout;
    counts->addWidget(words_);
    for (int k = 0; k < kWordOutcomes; ++k) {
        counts_[k] = new QLabel;
        counts_[k]->setObjectName(kCountNames[k]);
        counts_[k]->setMargin(3);
        // The label wears its rows' colour, and so reads as the table's key.
        counts_[k]->setAutoFillBackground(true);
        QPalette palette = counts_[k]->palette();
        palette.setColor(QPalette::Window, outcome_colour(kOutcomes[k]));
        palette.setColor(QPalette::WindowText, Qt::black);
        counts_[k]->setPalette(palette);
        counts_[k]->setFrameShape(QFrame::StyledPanel);
        counts->addWidget(counts_[k]);
    }
    counts->addStretch(1);
    distorted_only_ = new QCheckBox("только искажённые");
    distorted_only_->setObjectName("DistortedOnlyBox");
    counts->addWidget(distorted_only_);
    connect(distorted_only_, &QCheckBox::toggled, this, [this, filter](bool on) {
        filter->set_distorted_only(on);
        show_counts();
    });

    auto* all = new QVBoxLayout(this);
    all->addLayout(counts);
    all->addWidget(table_, 1);
    resize(1180, 600);
    refresh();
}

void PacketLogWindow::open() {
    refresh();
    show();
    raise();
    activateWindow();
}

void PacketLogWindow::refresh() {
    model_->refresh();
    show_counts();
    table_->resizeColumnsToContents();
}

int PacketLogWindow::shown_rows() const {
    return filter_->rowCount();
}

void PacketLogWindow::show_counts() {
    const std::array<Count, kWordOutcomes> counts = log_.outcome_counts();
    words_->setText(log_.empty() ? QString("Пакет ещё не передан")
                    : distorted_only_->isChecked()
                        ? QString("Слов: %1 из %2").arg(shown_rows()).arg(log_.size())
                        : QString("Слов: %1").arg(log_.size()));
    for (int k = 0; k < kWordOutcomes; ++k) {
        QString title = QString::fromUtf8(outcome_title(kOutcomes[k]));
        title[0] = title[0].toUpper();
        counts_[k]->setText(QString("%1: %2").arg(title).arg(counts[k]));
    }
}

QString PacketLogWindow::shown_text(bool csv_file) const {
    const CsvCell cell = [this](int col, int row) {
        if (row == 0) return model_->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
        return model_->text(filter_->mapToSource(filter_->index(row - 1, 0)).row(), col);
    };
    const int rows = shown_rows() + 1;
    return csv_file ? csv(rows, PacketLogModel::kColumns, cell)
                    : tab_separated(rows, PacketLogModel::kColumns, cell);
}

}  // namespace tavolin::ui
