// SPDX-License-Identifier: GPL-3.0-or-later
// A titled group of radio buttons laid out in columns, with the selected item as an index and a
// notification only when the selection changes.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace tavolin::ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent);

    int itemIndex() const;  // -1 when no item is selected
    void setItemIndex(int index);
    QRadioButton* button(int index) const;

  signals:
    void itemChanged(int index);

  private:
    QButtonGroup* group_;
};

}  // namespace tavolin::ui
