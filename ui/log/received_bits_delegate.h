// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a received word with its inverted bits set apart, in colour and bold, so a learner sees
// at a glance where the channel struck; erased bits read '?' as the model gives them.
#pragma once

#include <QStyledItemDelegate>

namespace tavolin::ui {

class ReceivedBitsDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static const QColor kInverted;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace tavolin::ui
