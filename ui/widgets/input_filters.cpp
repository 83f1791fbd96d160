// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/input_filters.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "core/defaults.h"
#include "core/number_text.h"
#include "ui/widgets/typed_key.h"

namespace tavolin::ui {

namespace {

std::string candidate(const QString& text, QChar typed) {
    return (text + typed).toStdString();
}

class LineEditFilter final : public QObject {
  public:
    LineEditFilter(QLineEdit* edit, std::function<bool(const QString&, QChar)> accepts)
        : QObject(edit), edit_(edit), accepts_(std::move(accepts)) {}

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const std::optional<QChar> typed = typed_character(*static_cast<QKeyEvent*>(e));
        return typed && !accepts_(edit_->text(), *typed);  // a refused key simply vanishes
    }

  private:
    QLineEdit* edit_;
    std::function<bool(const QString&, QChar)> accepts_;
};

}  // namespace

bool code_cell_accepts(const QString& text, QChar typed) {
    if (typed == kBackspace) return true;
    return (typed == '0' || typed == '1') && text.size() + 1 <= 8;
}

bool probability_cell_accepts(const QString& text, QChar typed, char sep) {
    return typed == kBackspace || parse_number(candidate(text, typed), sep).has_value();
}

bool channel_cell_accepts(const QString& text, QChar typed, const QString& other, char sep) {
    if (typed == kBackspace) return true;
    const std::optional<Extended> p = parse_number(candidate(text, typed), sep);
    if (!p) return false;
    return *p + to_number_or(other.toStdString(), sep, 0) <= 1;
}

bool bit_time_accepts(const QString& text, QChar typed, char sep) {
    return parse_number(candidate(text, typed), sep).has_value();
}

bool packet_size_accepts(const QString& text, QChar typed) {
    const std::optional<Integer> v = parse_integer(candidate(text, typed));
    return v && *v <= kMaxPacketSize;
}

void install_key_filter(QLineEdit* edit, std::function<bool(const QString&, QChar)> accepts) {
    edit->installEventFilter(new LineEditFilter(edit, std::move(accepts)));
}

}  // namespace tavolin::ui
