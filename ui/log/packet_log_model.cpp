// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/log/packet_log_model.h"

#include <QColor>

namespace tavolin::ui {

namespace {

const char* const kTitles[PacketLogModel::kColumns] = {
    "№",    "Символ", "Кодовое слово", "Принято", "Ошибка обнаружена", "Декодировано",
    "Итог", "Синдром"};

QString bits(enc_sym w, Byte n) {
    return QString::fromStdString(word_bits(w, n));
}

}  // namespace

QColor outcome_colour(WordOutcome o) {
    switch (o) {
        case WordOutcome::Intact:
            return QColor(255, 255, 255);
        case WordOutcome::Corrected:
            return QColor(226, 243, 228);
        case WordOutcome::Detected:
            return QColor(253, 243, 214);
        case WordOutcome::Undetected:
            return QColor(250, 222, 222);
    }
    return {};
}

PacketLogModel::PacketLogModel(const PacketLog& log, QObject* parent)
    : QAbstractTableModel(parent), log_(log), rows_(log.size()) {}

void PacketLogModel::refresh() {
    beginResetModel();
    rows_ = log_.size();
    endResetModel();
}

int PacketLogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_);
}

int PacketLogModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QString PacketLogModel::text(int row, int column) const {
    const auto i = static_cast<std::size_t>(row);
    const WordRecord r = log_.record(i);
    switch (column) {
        case Position:
            return QString::number(r.position);
        case Symbol:
            return QString(QChar('A' + r.symbol));  // as the alphabet table names them
        case CodeWord:
            return bits(r.code_word, log_.n0());
        case Received:
            return bits(r.received, log_.n0());
        case FoundError:
            return r.found_error ? "да" : "нет";
        case Decoded:
            return bits(r.decoded, 4);
        case Outcome:
            return outcome_title(r.outcome);
        case Syndrome:
            return QString::fromStdString(log_.syndrome(i));
    }
    return {};
}

QVariant PacketLogModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= rows_) return {};
    switch (role) {
        case Qt::DisplayRole:
            return text(index.row(), index.column());
        case Qt::ToolTipRole:  // the longest texts, whole however narrow their column
            if (index.column() != Syndrome && index.column() != Outcome) return {};
            return text(index.row(), index.column());
        case Qt::BackgroundRole:
            return outcome_colour(log_.record(static_cast<std::size_t>(index.row())).outcome);
        case Qt::TextAlignmentRole:
            return index.column() == Position ? int(Qt::AlignRight | Qt::AlignVCenter)
                                              : int(Qt::AlignLeft | Qt::AlignVCenter);
        case kInvertedRole: {
            const WordRecord r = log_.record(static_cast<std::size_t>(index.row()));
            return int((r.received.inv ^ r.code_word.inv) & ~r.received.stir);
        }
        case kOutcomeRole:
            return int(log_.record(static_cast<std::size_t>(index.row())).outcome);
        default:
            return {};
    }
}

QVariant PacketLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString(kTitles[section]);
}

}  // namespace tavolin::ui
