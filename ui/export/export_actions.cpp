// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/export_actions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QLabel>

#include "ui/export/chart_export.h"
#include "ui/export/save_file.h"
#include "ui/widgets/bar_chart.h"
#include "ui/widgets/string_grid.h"

namespace tavolin::ui {

namespace {

// The widget's right-click menu lists its actions; each action belongs to the widget.
QAction* add_action(QWidget& widget, const char* name, const QString& text) {
    auto* action = new QAction(text, &widget);
    action->setObjectName(name);
    widget.setContextMenuPolicy(Qt::ActionsContextMenu);
    widget.addAction(action);
    return action;
}

// Asks for a name and writes the file whole; a failure is told in the window's message box.
void save_as(QWidget& widget, Dialogs& dialogs, const QString& caption, const QString& filters,
             QString* filter, const std::function<QString(const QString&)>& complete_name,
             const std::function<bool(const QString& path, QIODevice&)>& write) {
    const QString chosen = dialogs.file(&widget, Dialogs::FileMode::Save, caption, filters, filter);
    if (chosen.isEmpty()) return;
    const QString path = complete_name(chosen);
    QWidget* window = widget.window();
    save_file_or_say(window, dialogs, window->windowTitle(), path,
                     [&](QIODevice& device) { return write(path, device); });
}

}  // namespace

void add_chart_export(BarChart& chart, Dialogs& dialogs) {
    QObject::connect(add_action(chart, "CopyImage", QStringLiteral("Копировать изображение")),
                     &QAction::triggered, &chart,
                     [&chart] { QApplication::clipboard()->setImage(chart_image(chart)); });
    QObject::connect(
        add_action(chart, "SaveImage", QStringLiteral("Сохранить изображение…")),
        &QAction::triggered, &chart, [&chart, &dialogs] {
            QString filter = kPngFilter;
            save_as(
                chart, dialogs, QStringLiteral("Сохранить изображение"),
                kPngFilter + ";;" + kSvgFilter, &filter,
                [&](const QString& chosen) { return picture_file(chosen, filter).path; },
                [&](const QString& path, QIODevice& device) {
                    return write_chart(chart, picture_file(path, filter).format, device);
                });
        });
}

void add_grid_export(StringGrid& grid, Dialogs& dialogs, CsvCell cells) {
    add_table_export(
        grid, dialogs, [&grid] { return tab_separated(grid); },
        [&grid, cells = std::move(cells)] { return csv(grid, cells); });
}

void add_table_export(QWidget& table, Dialogs& dialogs, std::function<QString()> copied,
                      std::function<QString()> saved) {
    QObject::connect(
        add_action(table, "CopyTable", QStringLiteral("Копировать")), &QAction::triggered, &table,
        [copied = std::move(copied)] { QApplication::clipboard()->setText(copied()); });
    QObject::connect(
        add_action(table, "SaveCsv", QStringLiteral("Сохранить как CSV…")), &QAction::triggered,
        &table, [&table, &dialogs, saved = std::move(saved)] {
            QString filter = kCsvFilter;
            save_as(
                table, dialogs, QStringLiteral("Сохранить как CSV"), kCsvFilter, &filter,
                [](const QString& chosen) { return chosen_file(chosen, kCsvFilter, {"csv"}).path; },
                [&](const QString&, QIODevice& device) {
                    const QByteArray text = saved().toUtf8();
                    return device.write(text) == text.size();
                });
        });
}

QString results_text(const std::vector<std::pair<QLabel*, QLabel*>>& lines) {
    QString out;
    for (const auto& [caption, value] : lines)
        out += (caption->text().trimmed() + QLatin1Char(' ') + value->text()).trimmed() +
               QLatin1Char('\n');
    return out;
}

QAction* add_results_copy(QWidget& owner, std::vector<std::pair<QLabel*, QLabel*>> lines) {
    auto* action = new QAction(QStringLiteral("Копировать результаты"), &owner);
    action->setObjectName("CopyResults");
    for (const auto& [caption, value] : lines)
        for (QLabel* label : {caption, value}) {
            label->setContextMenuPolicy(Qt::ActionsContextMenu);
            label->addAction(action);
        }
    QObject::connect(action, &QAction::triggered, &owner, [lines = std::move(lines)] {
        QApplication::clipboard()->setText(results_text(lines));
    });
    return action;
}

}  // namespace tavolin::ui
