// SPDX-License-Identifier: GPL-3.0-or-later
// The context menus that export what the windows show: charts as pictures, grids as tables, the
// result labels as text; and a failed write, reported with no file left behind.
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cerrno>

#include "core/number_text.h"
#include "tests/ui/window_fixture.h"
#include "ui/export/chart_export.h"
#include "ui/widgets/bar_chart.h"

namespace tavolin::ui {
namespace {

using testing_support::Windows;

QAction* action(QWidget* widget, const char* name) {
    auto* a = widget->findChild<QAction*>(name);
    EXPECT_NE(a, nullptr) << name;
    return a;
}

StringGrid* matrix_grid(const Windows& w, const char* name) {
    return w.form9->findChild<StringGrid*>(name);
}

// A text written with ',' as the separator, in the window's own separator.
QString regional(QString with_comma, const Windows& w) {
    if (w.form2->separator() == '.') with_comma.replace(',', '.');
    return with_comma;
}

QStringList files_in(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// Fields of a CSV text, with quoted fields unquoted.
std::vector<QStringList> parse_csv(const QString& text) {
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row << std::exchange(field, QString());
        } else if (c == '\n') {
            row << std::exchange(field, QString());
            rows.push_back(std::exchange(row, QStringList()));
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(field.isEmpty() && row.isEmpty()) << "the last row is not ended";
    return rows;
}

QString read_text(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(f.readAll());
}

Extended read_back(const QString& text) {
    const std::optional<Extended> v = parse_number(text.toStdString(), '.');
    EXPECT_TRUE(v.has_value()) << text.toStdString();
    return v.value_or(-1);
}

// A run with the start-up inputs: every chart gets its two bars.
void run_once(Windows& w) {
    w.start();
    w.find<QPushButton>("Button1")->click();
    ASSERT_TRUE(w.dialogs.messages.empty());
}

struct MenuCase {
    const char* name;
    bool matrix_window;
    const char* widget;
    QStringList items;
};

class ContextMenu : public testing::TestWithParam<MenuCase> {};

TEST_P(ContextMenu, ListsItsExportItems) {
    Windows w;
    w.start();
    QWidget* owner = GetParam().matrix_window ? static_cast<QWidget*>(w.form9.get())
                                              : static_cast<QWidget*>(w.form2.get());
    auto* widget = owner->findChild<QWidget*>(GetParam().widget);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList texts;
    for (const QAction* a : widget->actions()) texts << a->text();
    EXPECT_EQ(texts, GetParam().items);
}

const QStringList kChartItems = {"Копировать изображение", "Сохранить изображение…"};
const QStringList kGridItems = {"Копировать", "Сохранить как CSV…"};
const QStringList kResultItems = {"Копировать результаты"};

INSTANTIATE_TEST_SUITE_P(
    Widgets, ContextMenu,
    testing::Values(MenuCase{"Chart1", false, "Chart1", kChartItems},
                    MenuCase{"Chart2", false, "Chart2", kChartItems},
                    MenuCase{"alphabet", false, "StringGrid1", kGridItems},
                    MenuCase{"apriori_matrix", true, "StringGrid1", kGridItems},
                    MenuCase{"aposteriori_matrix", true, "StringGrid2", kGridItems},
                    MenuCase{"Label2", false, "Label2", kResultItems},
                    MenuCase{"Label5", false, "Label5", kResultItems},
                    MenuCase{"Label9", false, "Label9", kResultItems},
                    MenuCase{"Label14", false, "Label14", kResultItems},
                    MenuCase{"Label11", false, "Label11", kResultItems},
                    MenuCase{"Label19", false, "Label19", kResultItems},
                    MenuCase{"Label18", false, "Label18", kResultItems},
                    MenuCase{"Label22", false, "Label22", kResultItems}),
    [](const testing::TestParamInfo<MenuCase>& i) { return std::string(i.param.name); });

// The inputs' headings and the channel table take no export items.
TEST(ContextMenu, InputsKeepTheirOwn) {
    Windows w;
    w.start();
    for (const char* name : {"Label1", "Label6", "Label7", "StringGrid2", "Button1"}) {
        auto* widget = w.form2->findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_TRUE(widget->actions().isEmpty()) << name;
    }
}

// The bars' colour, where a bar's inside shows in the picture.
bool shows_colour(const QImage& image, QColor colour) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (argb.pixelColor(x, y) == colour) return true;
    return false;
}

TEST(ChartExport, CopiesThePictureShown) {
    for (int chart : {1, 2}) {
        Windows w;
        run_once(w);
        BarChart* c = w.form2->chart(chart);
        QApplication::clipboard()->clear();
        action(c, "CopyImage")->trigger();
        const QImage copied = QApplication::clipboard()->image();
        EXPECT_EQ(copied.size(), c->size() * c->devicePixelRatio()) << chart;
        EXPECT_EQ(copied.convertToFormat(QImage::Format_ARGB32),
                  chart_image(*c).convertToFormat(QImage::Format_ARGB32))
            << chart;
        EXPECT_TRUE(shows_colour(copied, Qt::blue)) << chart;
        EXPECT_TRUE(shows_colour(copied, QColor(255, 128, 255))) << chart;
    }
}

struct PictureCase {
    const char* name;
    QString typed;
    QString filter;  // the filter chosen in the dialog; empty keeps PNG
    QString written;
    PictureFormat format;
};

class ChartSave : public testing::TestWithParam<PictureCase> {};

TEST_P(ChartSave, WritesTheFormatOfTheFileType) {
    const PictureCase& p = GetParam();
    Windows w;
    run_once(w);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    w.dialogs.file_answers.push_back({dir.filePath(p.typed), p.filter});
    BarChart* chart = w.form2->chart(1);
    action(chart, "SaveImage")->trigger();

    ASSERT_EQ(w.dialogs.file_requests.size(), 1u);
    const auto& request = w.dialogs.file_requests[0];
    EXPECT_EQ(request.mode, Dialogs::FileMode::Save);
    EXPECT_EQ(request.caption, "Сохранить изображение");
    EXPECT_EQ(request.filters, "Изображение PNG (*.png);;Изображение SVG (*.svg)");
    EXPECT_TRUE(w.dialogs.messages.empty());
    EXPECT_EQ(files_in(dir), QStringList{p.written});  // no temporary file stays beside it

    const QString path = dir.filePath(p.written);
    if (p.format == PictureFormat::Png) {
        QImage image;
        ASSERT_TRUE(image.load(path, "PNG"));
        EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32),
                  chart_image(*chart).convertToFormat(QImage::Format_ARGB32));
    } else {
        QSvgRenderer svg(path);
        ASSERT_TRUE(svg.isValid());
        EXPECT_EQ(svg.viewBox(), QRect(QPoint(0, 0), chart->chart()->size().toSize()));
        EXPECT_TRUE(read_text(path).contains("Полезная информация"));
    }
}

const QString kPng = "Изображение PNG (*.png)";
const QString kSvg = "Изображение SVG (*.svg)";

INSTANTIATE_TEST_SUITE_P(
    Names, ChartSave,
    testing::Values(
        PictureCase{"png", "chart.png", "", "chart.png", PictureFormat::Png},
        PictureCase{"svg", "chart.svg", kSvg, "chart.svg", PictureFormat::Svg},
        PictureCase{"svg_typed_with_png_chosen", "chart.svg", kPng, "chart.svg",
                    PictureFormat::Svg},
        PictureCase{"upper_case_svg", "chart.SVG", "", "chart.SVG", PictureFormat::Svg},
        PictureCase{"bare_name_svg_chosen", "chart", kSvg, "chart.svg", PictureFormat::Svg},
        PictureCase{"bare_name_png_chosen", "chart", kPng, "chart.png", PictureFormat::Png},
        PictureCase{"other_ending", "chart.jpg", "", "chart.jpg.png", PictureFormat::Png}),
    [](const testing::TestParamInfo<PictureCase>& i) { return std::string(i.param.name); });

TEST(ChartSave, CancelledWritesNothing) {
    Windows w;
    run_once(w);
    QTemporaryDir dir;
    action(w.form2->chart(2), "SaveImage")->trigger();  // no answer: the dialog is cancelled
    EXPECT_EQ(w.dialogs.file_requests.size(), 1u);
    EXPECT_TRUE(files_in(dir).isEmpty());
    EXPECT_TRUE(w.dialogs.messages.empty());
}

// Two symbols, so the grids are small enough to spell out: 3 rows, 4 columns.
const matr kApriori = {{1.0L / 3, 2.0L / 3, 0}, {0.1L, 0.9L, 0}};
const matr kAposteriori = {{1, 0, 0}, {1e-20L, 0.999L, 0.000123456789012345678L}};

void show_matrices(Windows& w) {
    w.form9->setMat1(kApriori);
    w.form9->setMat2(kAposteriori);
    w.form9->showMatrix();
}

struct TableCopyCase {
    const char* name;
    char sep;
    const char* grid;
    QString text;  // with ',' as the separator
};

class TableCopy : public testing::TestWithParam<TableCopyCase> {};

TEST_P(TableCopy, PutsTheShownTextsWithTheirHeaders) {
    Windows w(GetParam().sep);
    w.start();
    show_matrices(w);
    QApplication::clipboard()->clear();
    action(matrix_grid(w, GetParam().grid), "CopyTable")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), regional(GetParam().text, w));
}

INSTANTIATE_TEST_SUITE_P(Grids, TableCopy,
                         testing::Values(TableCopyCase{"apriori_comma", ',', "StringGrid1",
                                                       "\t0000\t0001\t????\n"
                                                       "0000\t0,3333\t0,6667\t0,0000\n"
                                                       "0001\t0,1000\t0,9000\t0,0000\n"},
                                         TableCopyCase{"aposteriori_point", '.', "StringGrid2",
                                                       "\t0000\t0001\t????\n"
                                                       "0000\t1,0000\t0,0000\t0,0000\n"
                                                       "0001\t0,0000\t0,9990\t0,0001\n"}),
                         [](const testing::TestParamInfo<TableCopyCase>& i) {
                             return std::string(i.param.name);
                         });

TEST(TableCopy, AlphabetWithItsHeaderRow) {
    for (char sep : {',', '.'}) {
        Windows w(sep);
        w.start();
        QApplication::clipboard()->clear();
        action(w.grid1(), "CopyTable")->trigger();
        const QStringList lines = QApplication::clipboard()->text().split('\n');
        ASSERT_EQ(lines.size(), 18) << sep;  // 17 rows, each ended
        EXPECT_EQ(lines[0], "Символ\tКод\tВероятность");
        EXPECT_EQ(lines[1], w.sep_text("A\t0000\t0,0625"));
        EXPECT_EQ(lines[16], w.sep_text("P\t1111\t0,0625"));
        EXPECT_EQ(lines[17], "");
    }
}

// Saves a grid as CSV into `dir` and parses it back; no message, nothing else in the folder.
std::vector<QStringList> save_csv(Windows& w, StringGrid* grid, const QTemporaryDir& dir,
                                  const QString& typed, const QString& written) {
    w.dialogs.file_answers.push_back({dir.filePath(typed), {}});
    action(grid, "SaveCsv")->trigger();
    EXPECT_EQ(w.dialogs.file_requests.back().caption, "Сохранить как CSV");
    EXPECT_EQ(w.dialogs.file_requests.back().filters, "Таблица CSV (*.csv)");
    EXPECT_TRUE(w.dialogs.messages.empty());
    EXPECT_EQ(files_in(dir), QStringList{written});
    return parse_csv(read_text(dir.filePath(written)));
}

// The whole shown matrix comes back from the file, every entry the same 80-bit value, headers
// and all; also after the close button, which frees the matrices but leaves the grids shown.
TEST(MatrixCsv, ReadsBackAsTheShownMatrixAtFullPrecision) {
    for (bool closed : {false, true}) {
        Windows w(',');
        w.start();
        w.find<QPushButton>("Button4")->click();
        show_matrices(w);
        if (closed) w.form9->BitBtn1Click();
        for (const auto& [name, m] :
             {std::pair{"StringGrid1", kApriori}, std::pair{"StringGrid2", kAposteriori}}) {
            QTemporaryDir dir;
            const auto rows = save_csv(w, matrix_grid(w, name), dir, "matrix", "matrix.csv");
            ASSERT_EQ(rows.size(), 3u) << name;
            EXPECT_EQ(rows[0], (QStringList{"", "0000", "0001", "????"}));
            for (std::size_t i = 0; i < m.size(); ++i) {
                ASSERT_EQ(rows[i + 1].size(), 4) << name;
                EXPECT_EQ(rows[i + 1][0], i == 0 ? "0000" : "0001");
                for (std::size_t j = 0; j < m[i].size(); ++j)
                    EXPECT_EQ(read_back(rows[i + 1][static_cast<int>(j) + 1]), m[i][j])
                        << name << " [" << i << "][" << j << "] closed " << closed;
            }
        }
    }
}

TEST(MatrixCsv, BeforeAnyRunTheEmptyGrid) {
    Windows w;
    w.start();
    QTemporaryDir dir;
    const auto rows = save_csv(w, matrix_grid(w, "StringGrid2"), dir, "empty.csv", "empty.csv");
    ASSERT_EQ(rows.size(), 5u);
    for (const QStringList& row : rows) EXPECT_EQ(row, QStringList(5, QString()));
}

// The probability column reads with the regional separator and is written at full precision
// with a point; the symbol and code columns, and a probability that is not a number, stay text.
TEST(AlphabetCsv, ProbabilitiesAtFullPrecisionTextsAsTheyStand) {
    struct Row {
        QString symbol, code, probability;  // probability with ',' as the separator
    };
    const std::vector<Row> rows = {{"A", "0000", "0,0625"},
                                   {",", "0001", "0,333333333333333333333333"},
                                   {"\"", "0010", "1e-4950"},
                                   {"D", "0011", "abc"},
                                   {"E", "0100", ""}};
    for (char sep : {',', '.'}) {
        Windows w(sep);
        w.start();
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            w.grid1()->setCell(0, r + 1, rows[r].symbol);
            w.grid1()->setCell(1, r + 1, rows[r].code);
            w.grid1()->setCell(2, r + 1, regional(rows[r].probability, w));
        }
        QTemporaryDir dir;
        const auto back = save_csv(w, w.grid1(), dir, "alphabet.csv", "alphabet.csv");
        ASSERT_EQ(back.size(), 17u) << sep;
        EXPECT_EQ(back[0], (QStringList{"Символ", "Код", "Вероятность"}));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            const QStringList& got = back[static_cast<std::size_t>(r) + 1];
            ASSERT_EQ(got.size(), 3);
            EXPECT_EQ(got[0], rows[r].symbol);
            EXPECT_EQ(got[1], rows[r].code);
            const QString shown = w.grid1()->cell(2, r + 1);
            const std::optional<Extended> value = parse_number(shown.toStdString(), sep);
            if (value)
                EXPECT_EQ(read_back(got[2]), *value) << shown.toStdString();
            else
                EXPECT_EQ(got[2], shown);
        }
        EXPECT_EQ(back[16], (QStringList{"P", "1111", "0.0625"}));
    }
}

TEST(ResultsCopy, EveryCaptionWithItsValue) {
    Windows w(',');
    run_once(w);
    QApplication::clipboard()->clear();
    action(w.form2.get(), "CopyResults")->trigger();
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    const std::pair<const char*, const char*> order[] = {
        {"Label2", "Label4"},   {"Label3", "Label5"},   {"Label9", "Label10"},
        {"Label13", "Label14"}, {"Label11", "Label12"}, {"Label15", "Label19"},
        {"Label16", "Label20"}, {"Label17", "Label21"}, {"Label18", "Label22"}};
    ASSERT_EQ(lines.size(), static_cast<int>(std::size(order)) + 1);
    for (std::size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(lines[static_cast<int>(i)],
                  w.text(order[i].first).trimmed() + ' ' + w.text(order[i].second));
    EXPECT_EQ(lines[0], "Сумма вероятностей = 1,0000");
    EXPECT_EQ(lines[1], "Разница вероятностей = 0,0000");
    EXPECT_EQ(lines[2], "Всего передано символов: 1000");
    EXPECT_EQ(lines[5], "Коэф. избыточности кода: 0,4286");
}

TEST(ResultsCopy, BeforeAnyRunCaptionsAlone) {
    Windows w(',');
    w.start();
    action(w.form2.get(), "CopyResults")->trigger();
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[2], "Всего передано символов:");
    EXPECT_EQ(lines[3], "Доля обнаруженных ошибок:");
}

// Takes from this thread the power to write where permissions forbid it, as root has: the folder's
// permissions then stop it as they stop any user.
class PermissionsApply {
  public:
    PermissionsApply() {
        syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &header_, reduced);
    }
    ~PermissionsApply() { syscall(SYS_capset, &header_, saved_); }
    PermissionsApply(const PermissionsApply&) = delete;
    PermissionsApply& operator=(const PermissionsApply&) = delete;

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

struct FailureCase {
    const char* name;
    bool chart;      // the picture of Chart1, else the CSV of the alphabet
    bool read_only;  // the folder takes no new files; else a folder stands under the name
};

class FailedWrite : public testing::TestWithParam<FailureCase> {};

TEST_P(FailedWrite, IsReportedWithTheReasonAndLeavesNoFile) {
    const FailureCase& f = GetParam();
    Windows w(',');
    run_once(w);
    QTemporaryDir dir;
    const QString name = f.chart ? "chart.png" : "alphabet.csv";
    const QString path = dir.filePath(name);
    QString reason;
    if (f.read_only) {
        ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    } else {
        ASSERT_TRUE(QDir(dir.path()).mkdir(name));
        QSaveFile probe(path);
        ASSERT_FALSE(probe.open(QIODevice::WriteOnly));
        reason = probe.errorString();
    }
    {
        PermissionsApply permissions;
        if (f.read_only) {
            // The kernel's answer to this process: no new file in the folder.
            const int fd = ::open(dir.filePath("probe").toLocal8Bit().constData(),
                                  O_WRONLY | O_CREAT | O_EXCL, 0600);
            ASSERT_EQ(fd, -1);
            ASSERT_EQ(errno, EACCES);
            reason = qt_error_string(EACCES);
        }
        w.dialogs.file_answers.push_back({path, {}});
        if (f.chart)
            action(w.form2->chart(1), "SaveImage")->trigger();
        else
            action(w.grid1(), "SaveCsv")->trigger();
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    const auto& m = w.dialogs.messages[0];
    EXPECT_EQ(m.icon, Dialogs::Icon::Error);
    EXPECT_EQ(m.caption, "Tavolin");
    EXPECT_TRUE(m.text.startsWith("Не удалось записать файл " + path)) << m.text.toStdString();
    EXPECT_TRUE(m.text.contains(reason))
        << m.text.toStdString() << " lacks " << reason.toStdString();
    EXPECT_EQ(files_in(dir), f.read_only ? QStringList() : QStringList{name});
    EXPECT_TRUE(QFileInfo(path).isDir() || !QFileInfo::exists(path));
}

INSTANTIATE_TEST_SUITE_P(Faults, FailedWrite,
                         testing::Values(FailureCase{"picture_into_read_only_folder", true, true},
                                         FailureCase{"csv_into_read_only_folder", false, true},
                                         FailureCase{"picture_onto_a_folder", true, false},
                                         FailureCase{"csv_onto_a_folder", false, false}),
                         [](const testing::TestParamInfo<FailureCase>& i) {
                             return std::string(i.param.name);
                         });

// A failure in the matrix window is told over the matrix window.
TEST(FailedWrite, MatrixWindowReportsOverItself) {
    Windows w;
    w.start();
    show_matrices(w);
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("matrix.csv"));
    w.dialogs.file_answers.push_back({dir.filePath("matrix.csv"), {}});
    action(matrix_grid(w, "StringGrid1"), "SaveCsv")->trigger();
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].caption, "Сравнение канальных матриц");
    EXPECT_EQ(w.dialogs.messages[0].icon, Dialogs::Icon::Error);
}

}  // namespace
}  // namespace tavolin::ui
