// SPDX-License-Identifier: GPL-3.0-or-later
// The real dialogs as the window builds them: wide enough for their captions, and with Qt's
// own texts in Russian like the rest of the window.
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <memory>

#include "tests/ui/window_fixture.h"

namespace tavolin::ui {
namespace {

using testing_support::Windows;

struct CaptionCase {
    const char* name;
    const char* caption;
};

// Every caption the windows give a message box or a prompt.
const CaptionCase kCaptions[] = {{"general_error", "Tavolin"},
                                 {"input_refusal", "Ввод начальных данных"},
                                 {"polynomial_prompt", "Ввод полинома"},
                                 {"frame_prompt", "Ввод параметров непрерывного кодирования"},
                                 {"no_settings", "Настройка кодирования"},
                                 {"not_binary", "Ошибка разбора числа"},
                                 {"polynomial_refused", "Проверка полинома"},
                                 {"frame_refused", "Проверка параметров"}};

class CaptionWidth : public testing::TestWithParam<CaptionCase> {
  protected:
    // The caption's own width in the bold title font, before the title bar's buttons.
    static int caption_text_width(const QString& caption) {
        QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        font.setBold(true);
        return QFontMetrics(font).horizontalAdvance(caption);
    }
    Windows w_;
};

TEST_P(CaptionWidth, LeavesRoomForTheTitleBarButtons) {
    const QString caption = QString::fromUtf8(GetParam().caption);
    EXPECT_GE(caption_width(caption), caption_text_width(caption) + 100);
}

TEST_P(CaptionWidth, MessageBoxesShowTheWholeCaption) {
    const QString caption = QString::fromUtf8(GetParam().caption);
    for (Dialogs::Icon icon : {Dialogs::Icon::Error, Dialogs::Icon::Information}) {
        const std::unique_ptr<QMessageBox> box =
            make_message_box(w_.form2.get(), "Ошибка", caption, icon);
        box->show();
        QApplication::processEvents();
        EXPECT_EQ(box->windowTitle(), caption);
        EXPECT_GE(box->width(), caption_width(caption));
    }
}

TEST_P(CaptionWidth, PromptsShowTheWholeCaption) {
    const QString caption = QString::fromUtf8(GetParam().caption);
    const std::unique_ptr<QInputDialog> prompt =
        make_prompt(w_.form2.get(), caption, "Введите размер кадра", "3");
    prompt->show();
    QApplication::processEvents();
    EXPECT_EQ(prompt->windowTitle(), caption);
    EXPECT_EQ(prompt->textValue(), "3");
    EXPECT_GE(prompt->width(), caption_width(caption));
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionWidth, testing::ValuesIn(kCaptions),
                         [](const testing::TestParamInfo<CaptionCase>& i) {
                             return std::string(i.param.name);
                         });

// A text a user reads, without its access-key marks and its shortcut.
QString readable(QString text) {
    text = text.section('\t', 0, 0);
    return text.remove('&');
}

void expect_russian(const QString& text) {
    static const QRegularExpression latin("[A-Za-z]");
    static const QRegularExpression cyrillic("\\p{Cyrillic}");
    EXPECT_FALSE(readable(text).contains(latin)) << text.toStdString();
    EXPECT_TRUE(readable(text).contains(cyrillic)) << text.toStdString();
}

QStringList button_texts(QDialog* dialog) {
    dialog->show();  // a prompt makes its buttons when first shown
    QApplication::processEvents();
    QStringList texts;
    for (const QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
        texts << readable(b->text());
    texts.sort();
    return texts;
}

TEST(QtTexts, ButtonsOfPromptsAndMessageBoxesAreRussian) {
    Windows w;
    w.start();
    const std::unique_ptr<QInputDialog> prompt =
        make_prompt(w.form2.get(), "Ввод полинома", "Введите полином", "1101");
    // Qt's Russian catalogue keeps "OK" as it is.
    EXPECT_EQ(button_texts(prompt.get()), QStringList({"OK", "Отмена"}));
    const std::unique_ptr<QMessageBox> box =
        make_message_box(w.form2.get(), "Ошибка", "Tavolin", Dialogs::Icon::Error);
    EXPECT_EQ(button_texts(box.get()), QStringList({"OK"}));
}

TEST(QtTexts, EditContextMenusAreRussian) {
    Windows w;
    w.start();
    for (const char* name : {"Edit1", "Edit2"}) {
        const std::unique_ptr<QMenu> menu(w.find<QLineEdit>(name)->createStandardContextMenu());
        int items = 0;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) {
                expect_russian(a->text());
                ++items;
            }
        EXPECT_GE(items, 5) << name;
    }
}

}  // namespace
}  // namespace tavolin::ui
