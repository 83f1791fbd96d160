// SPDX-License-Identifier: GPL-3.0-or-later
// Every modal dialog of the windows goes through this seam, so tests can record a message's
// text, caption and icon (and answer a prompt) instead of blocking.
#pragma once

#include <QString>
#include <memory>

class QInputDialog;
class QMessageBox;
class QWidget;

namespace tavolin::ui {

class Dialogs {
  public:
    enum class Icon { Error, Information };

    virtual ~Dialogs() = default;
    // A modal message box owned by `owner`, with one OK button.
    virtual void message(QWidget* owner, const QString& text, const QString& caption,
                         Icon icon) = 0;
    // A modal text prompt; returns the edited text, or `default_text` when cancelled.
    virtual QString prompt(QWidget* owner, const QString& caption, const QString& label,
                           const QString& default_text) = 0;

    enum class FileMode { Open, Save };
    // A modal file dialog: a file to read, or a name to write (an existing file is confirmed
    // first). `filters` as QFileDialog takes them, separated by ";;"; `filter`, when given,
    // holds the one offered first and receives the one chosen. Returns the path, or an empty
    // text when cancelled; a seam without file dialogs cancels them all.
    virtual QString file(QWidget* owner, FileMode mode, const QString& caption,
                         const QString& filters, QString* filter);
};

// The real dialogs: QMessageBox, QInputDialog and QFileDialog.
class QtDialogs final : public Dialogs {
  public:
    void message(QWidget* owner, const QString& text, const QString& caption, Icon icon) override;
    QString prompt(QWidget* owner, const QString& caption, const QString& label,
                   const QString& default_text) override;
    QString file(QWidget* owner, FileMode mode, const QString& caption, const QString& filters,
                 QString* filter) override;
};

// The least width of a dialog whose title bar shows `caption` whole.
int caption_width(const QString& caption);

// The dialogs QtDialogs runs, built but not yet shown.
std::unique_ptr<QMessageBox> make_message_box(QWidget* owner, const QString& text,
                                              const QString& caption, Dialogs::Icon icon);
std::unique_ptr<QInputDialog> make_prompt(QWidget* owner, const QString& caption,
                                          const QString& label, const QString& default_text);

}  // namespace tavolin::ui
