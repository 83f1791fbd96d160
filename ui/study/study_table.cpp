// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study/study_table.h"

#include <algorithm>

#include "ui/study/study_names.h"
#include "ui/widgets/chart_numbers.h"

namespace tavolin::ui {

namespace {

enum Column {
    kValue,
    kCode,
    kSymbols,
    kDetected,
    kDetectedInterval,
    kDetectedExact,
    kCorrected,
    kCorrectedInterval,
    kCorrectedExact,
    kWrong,
    kWrongInterval,
    kWrongExact,
    kUsefulPerBit,
    kUsefulPerBitExact,
    kCapacity,
    kRateApriori,
    kRateAposteriori,
    kComplete,
    kColumns
};

// Headers break into two lines, so the columns stay as narrow as their numbers.
const char* const kHeaders[kColumns] = {nullptr,
                                        "Код",
                                        "Передано\nсимволов",
                                        "Доля\nобнаруженных",
                                        "Доверительный\nинтервал",
                                        "Доля обнару-\nженных точно",
                                        "Доля\nисправленных",
                                        "Доверительный\nинтервал",
                                        "Доля исправ-\nленных точно",
                                        "Доля неверно\nпринятых",
                                        "Доверительный\nинтервал",
                                        "Доля неверно\nпринятых точно",
                                        "Полезная инф.\nна бит канала",
                                        "Полезная инф.\nна бит точно",
                                        "Пропускная\nспособность",
                                        "Скорость\nаприорная, бит/с",
                                        "Скорость апо-\nстериорная, бит/с",
                                        "Ячейка\nзавершена"};

constexpr int kDigits = 5;       // significant digits of the shares and measures
constexpr int kValueDigits = 6;  // of the varied quantity
const QString kMissing = "—";

bool before(const StudyCell& a, const StudyCell& b) {
    return std::pair(a.point, a.code) < std::pair(b.point, b.code);
}

}  // namespace

StudyTable::StudyTable(char sep, QObject* parent)
    : QAbstractTableModel(parent), locale_(chart_locale(sep)) {}

void StudyTable::set_study(const StudyPlan& plan) {
    beginResetModel();
    plan_ = plan;
    cells_.clear();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, kValue, kValue);
}

// Cells mostly come in order, so a batch usually goes after the last row in one insertion.
void StudyTable::add(std::vector<StudyCell> cells) {
    if (cells.empty()) return;
    std::stable_sort(cells.begin(), cells.end(), before);
    if (cells_.empty() || !before(cells.front(), cells_.back())) {
        const int first = rowCount();
        beginInsertRows({}, first, first + static_cast<int>(cells.size()) - 1);
        cells_.insert(cells_.end(), cells.begin(), cells.end());
        endInsertRows();
        return;
    }
    for (const StudyCell& cell : cells) {
        const auto at = std::upper_bound(cells_.begin(), cells_.end(), cell, before);
        const int row = static_cast<int>(at - cells_.begin());
        beginInsertRows({}, row, row);
        cells_.insert(at, cell);
        endInsertRows();
    }
}

void StudyTable::set_cells(const std::vector<StudyCell>& cells) {
    beginResetModel();
    cells_ = cells;
    std::stable_sort(cells_.begin(), cells_.end(), before);
    endResetModel();
}

int StudyTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cells_.size());
}

int StudyTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant StudyTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical) return section + 1;
    if (section == kValue) return QString(varied_name(plan_.varied));
    return section > kValue && section < kColumns ? QString(kHeaders[section]) : QVariant();
}

QVariant StudyTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(index.column() == kCode
                                       ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                       : Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    if (role != Qt::DisplayRole) return {};
    return text(cells_[static_cast<std::size_t>(index.row())], index.column());
}

QString StudyTable::text(const StudyCell& c, int column) const {
    auto number = [this](Extended v) {
        return locale_.toString(static_cast<double>(v), 'g', kDigits);
    };
    auto interval = [&](const std::optional<Interval>& i) {
        return i ? "[" + number(i->lo) + "; " + number(i->hi) + "]" : kMissing;
    };
    auto share = [&](Extended v, const std::optional<Interval>& i) {
        return i ? number(v) : kMissing;  // a share without trials does not exist
    };
    auto rate = [this](std::optional<double> r) { return r ? mark_text(*r, locale_) : kMissing; };
    auto exact = [&](const std::optional<Extended>& v) { return v ? number(*v) : kMissing; };
    switch (column) {
        case kValue:
            return locale_.toString(static_cast<double>(c.value), 'g', kValueDigits);
        case kCode:
            return c.code < plan_.codes.size() ? code_title(plan_.codes[c.code].name) : QString();
        case kSymbols:
            return locale_.toString(static_cast<qulonglong>(c.symbols));
        case kDetected:
            return share(c.detected_share, c.detected_ci);
        case kDetectedInterval:
            return interval(c.detected_ci);
        case kDetectedExact:
            return exact(c.detected_share_exact);
        case kCorrected:
            return share(c.corrected_share, c.corrected_ci);
        case kCorrectedInterval:
            return interval(c.corrected_ci);
        case kCorrectedExact:
            return exact(c.corrected_share_exact);
        case kWrong:
            return share(c.wrong_rate, c.wrong_ci);
        case kWrongInterval:
            return interval(c.wrong_ci);
        case kWrongExact:
            return exact(c.wrong_rate_exact);
        case kUsefulPerBit:
            return plan_.exact_only ? kMissing : number(c.useful_per_bit);  // nothing measured
        case kUsefulPerBitExact:
            return exact(c.useful_per_bit_exact);
        case kCapacity:
            return number(c.capacity);
        case kRateApriori:
            return rate(c.rate_apriori);
        case kRateAposteriori:
            return rate(c.rate_aposteriori);
        case kComplete:
            return c.complete ? "да" : "нет";
        default:
            return {};
    }
}

}  // namespace tavolin::ui
