// SPDX-License-Identifier: GPL-3.0-or-later
// The transmission log's window: opened from the menu, it shows every word of the last packet,
// counts each outcome as the run counted it, filters to the distorted words, follows the runs
// and copies and saves what it shows.
#include "ui/log/packet_log_window.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTemporaryDir>

#include "tests/ui/window_fixture.h"
#include "ui/log/packet_log_model.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/string_grid.h"

namespace tavolin::ui {
namespace {

using testing_support::Windows;

class LogTest : public testing::Test {
  protected:
    LogTest() {
        w_.start();
        w_.find<QAction>("PacketLogAction")->trigger();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* l = qobject_cast<PacketLogWindow*>(top)) log_ = l;
    }

    template <typename T>
    T* find(const char* name) const {
        T* widget = log_->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString label(const char* name) const { return find<QLabel>(name)->text(); }
    QAbstractItemModel* source() const {
        return qobject_cast<QSortFilterProxyModel*>(find<QTableView>("LogTable")->model())
            ->sourceModel();
    }
    void packet(const char* size) {
        w_.find<QLineEdit>("Edit2")->setText(size);
        w_.form2->Button1Click();
    }
    // The count a label shows, after its colon.
    Count count_in(const char* name) const { return label(name).section(": ", 1).toULongLong(); }

    Windows w_;
    PacketLogWindow* log_ = nullptr;
};

TEST_F(LogTest, OpensFromTheStudyMenuEmptyUntilAPacketIsSent) {
    ASSERT_NE(log_, nullptr);
    EXPECT_TRUE(log_->isVisible());
    EXPECT_EQ(log_->windowTitle(), "Журнал передачи пакета");
    EXPECT_EQ(w_.find<QAction>("PacketLogAction")->text(), "Журнал передачи пакета…");
    EXPECT_EQ(w_.find<QAction>("PacketLogAction")->parent(), w_.find<QMenu>("N7"));
    EXPECT_EQ(log_->shown_rows(), 0);
    EXPECT_EQ(label("WordsLabel"), "Пакет ещё не передан");
    EXPECT_EQ(label("IntactCount"), "Не искажено: 0");
    // Opened again, the same window.
    log_->close();
    w_.find<QAction>("PacketLogAction")->trigger();
    int windows = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        windows += qobject_cast<PacketLogWindow*>(top) != nullptr;
    EXPECT_EQ(windows, 1);
    EXPECT_TRUE(log_->isVisible());
    EXPECT_FALSE(log_->isModal());
}

struct PacketCase {
    const char* name;
    int noise;           // 0 inversion, 1 erasure
    const char* coding;  // the coding menu's item
    const char* size;
};

class LoggedPackets : public LogTest, public testing::WithParamInterface<PacketCase> {};

// Every word is a row; the outcome counts are the packet's own counters; the filter leaves the
// distorted words, as many as the run counted.
TEST_P(LoggedPackets, RowsAndCountsAreThePacketsOwn) {
    const PacketCase& c = GetParam();
    w_.find<QAction>(c.coding)->trigger();
    w_.find<RadioGroup>("RadioGroup1")->setItemIndex(c.noise);
    if (c.noise == 1) {
        w_.grid2()->setCell(2, 1, w_.sep_text("0,05"));
        w_.grid2()->setCell(2, 2, w_.sep_text("0,05"));
    }
    packet(c.size);
    ASSERT_TRUE(w_.dialogs.messages.empty()) << w_.dialogs.messages[0].text.toStdString();
    const int size = QString(c.size).toInt();
    const ErrorCounters& e = w_.st.errors;
    EXPECT_EQ(source()->rowCount(), size);
    EXPECT_EQ(log_->shown_rows(), size);
    EXPECT_EQ(label("WordsLabel"), QString("Слов: %1").arg(size));
    EXPECT_EQ(count_in("CorrectedCount"), e.ispr);
    EXPECT_EQ(count_in("DetectedCount"), e.oshib - e.ispr);
    EXPECT_EQ(count_in("UndetectedCount"), e.iskaj - e.oshib);
    EXPECT_EQ(count_in("IntactCount"), size - e.iskaj);
    EXPECT_GT(e.iskaj, 0u);

    find<QCheckBox>("DistortedOnlyBox")->setChecked(true);
    EXPECT_EQ(static_cast<Count>(log_->shown_rows()), e.iskaj);
    EXPECT_EQ(label("WordsLabel"), QString("Слов: %1 из %2").arg(e.iskaj).arg(size));
    auto* table = find<QTableView>("LogTable");
    for (int row = 0; row < log_->shown_rows(); ++row) {
        const QModelIndex outcome = table->model()->index(row, PacketLogModel::Outcome);
        ASSERT_NE(outcome.data().toString(), "не искажено") << row;
        // A distorted word has an inverted bit, or an erased 1.
        const QModelIndex received = table->model()->index(row, PacketLogModel::Received);
        const QModelIndex code = table->model()->index(row, PacketLogModel::CodeWord);
        ASSERT_TRUE(received.data(PacketLogModel::kInvertedRole).toInt() != 0 ||
                    received.data().toString().contains('?'))
            << row;
        ASSERT_EQ(received.data().toString().size(), code.data().toString().size());
    }
    find<QCheckBox>("DistortedOnlyBox")->setChecked(false);
    EXPECT_EQ(log_->shown_rows(), size);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, LoggedPackets,
    testing::Values(PacketCase{"cyclic", 0, "N2", "3000"}, PacketCase{"hamming", 0, "N3", "3000"},
                    PacketCase{"continuous", 0, "N4", "2000"}, PacketCase{"none", 0, "N6", "3000"},
                    PacketCase{"hamming_erasure", 1, "N3", "3000"},
                    PacketCase{"none_erasure", 1, "N6", "3000"},
                    PacketCase{"the_largest_packet", 0, "N3", "50000"}),
    [](const testing::TestParamInfo<PacketCase>& i) { return std::string(i.param.name); });

TEST_F(LogTest, ACellHoldsTheWordsRecord) {
    packet("40");
    auto* model = source();
    for (int row = 0; row < model->rowCount(); ++row) {
        const auto text = [&](int column) { return model->index(row, column).data().toString(); };
        EXPECT_EQ(text(PacketLogModel::Position), QString::number(row + 1));
        EXPECT_EQ(text(PacketLogModel::Symbol).size(), 1);
        EXPECT_GE(text(PacketLogModel::Symbol)[0], QChar('A'));
        EXPECT_LE(text(PacketLogModel::Symbol)[0], QChar('P'));
        EXPECT_EQ(text(PacketLogModel::CodeWord).size(), 7);  // the cyclic code 1101
        EXPECT_EQ(text(PacketLogModel::Decoded).size(), 4);
        EXPECT_TRUE(text(PacketLogModel::FoundError) == "да" ||
                    text(PacketLogModel::FoundError) == "нет");
        EXPECT_TRUE(text(PacketLogModel::Syndrome).startsWith("остаток "));
        // The inverted bits are where the received word differs from the code word.
        const int inverted =
            model->index(row, PacketLogModel::Received).data(PacketLogModel::kInvertedRole).toInt();
        int differing = 0;
        const QString sent = text(PacketLogModel::CodeWord), got = text(PacketLogModel::Received);
        for (int k = 0; k < sent.size(); ++k)
            differing |= (sent[k] != got[k] ? 1 : 0) << (sent.size() - 1 - k);
        EXPECT_EQ(inverted, differing) << row;
        const QColor colour = model->index(row, 0).data(Qt::BackgroundRole).value<QColor>();
        const bool intact = text(PacketLogModel::Outcome) == "не искажено";
        EXPECT_EQ(colour == QColor(Qt::white), intact) << row;
    }
}

// A continuous run shows each tick's packet, not its history; the log opens during the run.
TEST_F(LogTest, FollowsEachTickOfAContinuousRun) {
    log_->close();
    w_.find<RadioGroup>("RadioGroup2")->setItemIndex(1);
    w_.find<QLineEdit>("Edit2")->setText("300");
    w_.form2->Button1Click();
    ASSERT_TRUE(w_.find<QAction>("PacketLogAction")->isEnabled());
    w_.find<QAction>("PacketLogAction")->trigger();
    for (int tick = 0; tick < 3; ++tick) {
        const ErrorCounters before = w_.st.errors;
        w_.form2->Timer1Timer();
        EXPECT_EQ(source()->rowCount(), 300);
        EXPECT_EQ(count_in("CorrectedCount"), w_.st.errors.ispr - before.ispr) << tick;
        EXPECT_EQ(count_in("IntactCount"), 300 - (w_.st.errors.iskaj - before.iskaj)) << tick;
    }
    w_.form2->Button2Click();
}

// Copied and saved: the rows shown, headers first, the filter applied.
TEST_F(LogTest, CopiesAndSavesTheRowsShown) {
    packet("500");
    auto* table = find<QTableView>("LogTable");
    find<QCheckBox>("DistortedOnlyBox")->setChecked(true);
    const int shown = log_->shown_rows();
    table->findChild<QAction*>("CopyTable")->trigger();
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), shown + 1);
    EXPECT_EQ(lines[0],
              "№\tСимвол\tКодовое слово\tПринято\tОшибка обнаружена\tДекодировано\tИтог\tСиндром");
    for (int row = 1; row <= shown; ++row) EXPECT_EQ(lines[row].count('\t'), 7) << row;

    QTemporaryDir dir;
    w_.dialogs.file_answers.push_back({dir.filePath("log"), {}});
    table->findChild<QAction*>("SaveCsv")->trigger();
    QFile file(dir.filePath("log.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), shown + 1);
    EXPECT_TRUE(rows[0].startsWith("№,Символ,Кодовое слово,Принято,"));
    // The syndrome texts hold commas, so they are quoted.
    for (int row = 1; row <= shown; ++row)
        if (rows[row].contains("вектор ошибки")) {
            EXPECT_TRUE(rows[row].endsWith('"')) << row;
        }
    EXPECT_TRUE(w_.dialogs.messages.empty());
}

}  // namespace
}  // namespace tavolin::ui
