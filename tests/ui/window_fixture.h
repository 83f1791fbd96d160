// SPDX-License-Identifier: GPL-3.0-or-later
// Both windows made as the program entry makes them, with recorded dialogs, a fixed clock and a
// chosen regional separator.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <deque>
#include <memory>
#include <ostream>
#include <vector>

#include "ui/dialogs.h"
#include "ui/main/main_window.h"
#include "ui/matrix/matrix_window.h"
#include "ui/regional.h"
#include "ui/widgets/string_grid.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace tavolin::ui::testing_support {

// Records every message and answers prompts and file dialogs from queues (an empty queue
// cancels).
struct RecordingDialogs final : Dialogs {
    struct Message {
        QString text, caption;
        Icon icon;
        bool owner_on_screen;  // the owner's window was exposed when the box opened
    };
    struct Prompt {
        QString caption, label, default_text;
    };
    struct FileRequest {
        FileMode mode;
        QString caption, filters, offered_filter;
    };
    struct FileAnswer {
        QString path;
        QString filter;  // the filter chosen; empty keeps the one offered
    };
    std::vector<Message> messages;
    std::vector<Prompt> prompts;
    std::deque<QString> answers;
    std::vector<FileRequest> file_requests;
    std::deque<FileAnswer> file_answers;

    void message(QWidget* owner, const QString& text, const QString& caption, Icon icon) override {
        const QWindow* window = owner ? owner->window()->windowHandle() : nullptr;
        messages.push_back({text, caption, icon, window && window->isExposed()});
    }
    QString prompt(QWidget*, const QString& caption, const QString& label,
                   const QString& default_text) override {
        prompts.push_back({caption, label, default_text});
        if (answers.empty()) return default_text;
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
    QString file(QWidget*, FileMode mode, const QString& caption, const QString& filters,
                 QString* filter) override {
        file_requests.push_back({mode, caption, filters, filter ? *filter : QString()});
        if (file_answers.empty()) return {};
        FileAnswer a = file_answers.front();
        file_answers.pop_front();
        if (filter && !a.filter.isEmpty()) *filter = a.filter;
        return a.path;
    }
};

inline QLocale locale_with(char sep) {
    return sep == ',' ? QLocale(QLocale::Russian, QLocale::Russia)
                      : QLocale(QLocale::English, QLocale::UnitedStates);
}

class Windows {
  public:
    explicit Windows(char sep = ',', bool has_arguments = false) {
        QLocale::setDefault(locale_with(sep));
        form9 = std::make_unique<TForm9>(regional_separator());
        form2 = std::make_unique<TForm2>(
            st, *form9, dialogs, [this] { return clock += 1000; }, has_arguments);
    }
    ~Windows() {
        form2.reset();
        form9.reset();
        // Qt Charts deletes some of its items later; let them go before the next windows.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Shows the main window, which runs the first activation, and lets through what waits for
    // the window to be on screen.
    void start() {
        form2->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form2.get()));
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }

    template <typename T>
    T* find(const char* name) const {
        T* w = form2->findChild<T*>(name);
        if (!w) w = form9->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char* label) const { return find<QLabel>(label)->text(); }
    StringGrid* grid1() const { return form2->findChild<StringGrid*>("StringGrid1"); }
    StringGrid* grid2() const { return form2->findChild<StringGrid*>("StringGrid2"); }
    QString sep_text(const char* with_comma) const {
        QString s = with_comma;
        if (form2->separator() == '.') s.replace(',', '.');
        return s;
    }

    SimState st;
    RecordingDialogs dialogs;
    Integer clock = 0;
    std::unique_ptr<TForm9> form9;
    std::unique_ptr<TForm2> form2;
};

}  // namespace tavolin::ui::testing_support
