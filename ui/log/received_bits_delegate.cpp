// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/log/received_bits_delegate.h"

#include <QApplication>
#include <QPainter>

#include "ui/log/packet_log_model.h"

namespace tavolin::ui {

namespace {

constexpr int kPadding = 4;

QFont bold(QFont font) {
    font.setBold(true);
    return font;
}

}  // namespace

const QColor ReceivedBitsDelegate::kInverted(200, 0, 0);

void ReceivedBitsDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);  // background, selection

    const int inverted = index.data(PacketLogModel::kInvertedRole).toInt();
    const bool selected = (opt.state & QStyle::State_Selected) != 0;
    const QColor plain = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    painter->save();
    int x = area.left() + kPadding;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const bool struck = (inverted >> (text.size() - 1 - k)) & 1;
        painter->setFont(struck ? bold(opt.font) : opt.font);
        painter->setPen(struck && !selected ? kInverted : plain);
        const int width = QFontMetrics(painter->font()).horizontalAdvance(text[k]);
        painter->drawText(QRect(x, area.top(), width, area.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, QString(text[k]));
        x += width;
    }
    painter->restore();
}

QSize ReceivedBitsDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    size.setWidth(QFontMetrics(bold(option.font)).horizontalAdvance(text) + 4 * kPadding);
    return size;
}

}  // namespace tavolin::ui
