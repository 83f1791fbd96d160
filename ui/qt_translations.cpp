// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tavolin::ui {

void use_russian_qt_texts() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || app->findChild<QTranslator*>("qtbase_ru", Qt::FindDirectChildrenOnly)) return;
    // Owned by the application, so it lives exactly as long as the texts it translates.
    auto* translator = new QTranslator(app);
    translator->setObjectName("qtbase_ru");
    if (translator->load("qtbase_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

}  // namespace tavolin::ui
