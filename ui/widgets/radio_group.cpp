// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace tavolin::ui {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 2, 4, 2);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        group_->addButton(b, i);
        layout->addWidget(b, i / columns, i % columns);
    }
    // Only a change of the selection is reported; clicking the selected item does nothing.
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) emit itemChanged(id);
    });
}

int RadioGroup::itemIndex() const {
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* b = group_->button(index)) b->setChecked(true);
}

QRadioButton* RadioGroup::button(int index) const {
    return static_cast<QRadioButton*>(group_->button(index));
}

}  // namespace tavolin::ui
