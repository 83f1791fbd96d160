// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/alphabet_import.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/number_text.h"
#include "tests/ui/window_fixture.h"

namespace tavolin::ui {
namespace {

using testing_support::Windows;

// Ten bytes of an x87 value, built from sign, exponent and significand.
void put_extended(unsigned char* out, Extended v) {
    std::memset(out, 0, 10);
    if (v == 0) return;
    if (std::isinf(v)) {
        out[7] = 0x80;
        out[8] = 0xFF;
        out[9] = v < 0 ? 0xFF : 0x7F;
        return;
    }
    int exponent = 0;
    const Extended fraction = std::frexp(std::fabs(v), &exponent);  // in [0.5, 1)
    const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    for (int i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>(significand >> (8 * i));
    const unsigned se = static_cast<unsigned>(exponent - 1 + 16383) | (v < 0 ? 0x8000u : 0);
    out[8] = static_cast<unsigned char>(se);
    out[9] = static_cast<unsigned char>(se >> 8);
}

QByteArray record(char16_t symbol, Extended v) {
    QByteArray r(kRecordSize, '\xAB');  // fill bytes are ignored
    r[0] = static_cast<char>(symbol & 0xFF);
    r[1] = static_cast<char>(symbol >> 8);
    put_extended(reinterpret_cast<unsigned char*>(r.data()) + 8, v);
    return r;
}

QByteArray records(int n, Extended v, char16_t first = u'a') {
    QByteArray out;
    for (int i = 0; i < n; ++i) out += record(static_cast<char16_t>(first + i), v);
    return out;
}

TEST(ExtendedDecoding, FieldsAsTheFileHoldsThem) {
    const unsigned char sixteenth[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFB, 0x3F};
    EXPECT_EQ(decode_extended(sixteenth), 0.0625L);
    const unsigned char zero[10] = {};
    EXPECT_EQ(decode_extended(zero), 0.0L);
    const unsigned char inf[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F};
    EXPECT_TRUE(std::isinf(decode_extended(inf)));
    const unsigned char nan[10] = {1, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0xFF};
    EXPECT_TRUE(std::isnan(decode_extended(nan)));
    for (Extended v : {1.0L / 9, 0.1L, -0.75L, 1e-300L, 3.0L}) {
        unsigned char b[10];
        put_extended(b, v);
        EXPECT_EQ(decode_extended(b), v);
    }
}

TEST(ExtendedDecoding, SymbolAndProbabilityOfARecord) {
    const QByteArray r = record(u'Ж', 0.0625L);
    const alp a = decode_record(reinterpret_cast<const unsigned char*>(r.constData()));
    EXPECT_EQ(a.s, u'Ж');
    EXPECT_EQ(a.v, 0.0625L);
}

// The program started in a folder holding exp.tmp with the given bytes.
class Import : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    void write(const QByteArray& bytes, QFile::Permissions permissions = {}) {
        QFile f("exp.tmp");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        if (permissions) f.setPermissions(permissions);
    }
    static bool file_exists() { return QFile::exists("exp.tmp"); }
    static QString probability(const Windows& w, int row) { return w.grid1()->cell(2, row); }

    QTemporaryDir dir_;
    QString previous_;
};

TEST_F(Import, NineNinthsCorrectTheLastShownValue) {
    write(records(9, 1.0L / 9));
    Windows w(',', true);
    w.start();
    for (int row = 1; row <= 8; ++row) EXPECT_EQ(probability(w, row), "0,1111");
    EXPECT_EQ(probability(w, 9), "0,1112");
    for (int row = 10; row <= 16; ++row) EXPECT_EQ(probability(w, row), "0");
    EXPECT_EQ(w.grid1()->cell(0, 1), "a");
    EXPECT_EQ(w.grid1()->cell(0, 9), "i");
    EXPECT_EQ(w.grid1()->cell(0, 10), "J");    // symbols after the records stay
    EXPECT_EQ(w.grid1()->cell(1, 1), "0000");  // codes untouched
    EXPECT_EQ(w.text("Label4"), "1,0000");     // the sum labels are not rewritten
    EXPECT_FALSE(file_exists());
    EXPECT_FALSE(w.form2->imp());
    EXPECT_TRUE(w.dialogs.messages.empty());
}

TEST_F(Import, NineTenthsGiveTwoTenthsLast) {
    write(records(9, 0.1L));
    Windows w('.', true);
    w.start();
    EXPECT_EQ(probability(w, 8), "0.1000");
    EXPECT_EQ(probability(w, 9), "0.2000");
    // The imported alphabet runs: 8 x 0.1 + 0.2 passes the exact sum.
    w.form2->Button1Click();
    EXPECT_TRUE(w.dialogs.messages.empty());
}

TEST_F(Import, SixteenRecordsReplaceEveryRow) {
    write(records(16, 0.0625L));
    Windows w(',', true);
    w.start();
    for (int row = 1; row <= 16; ++row) EXPECT_EQ(probability(w, row), "0,0625");
    EXPECT_EQ(w.grid1()->cell(0, 16), "p");
    EXPECT_FALSE(file_exists());
}

TEST_F(Import, RecordsPastTheSixteenthAreIgnored) {
    write(records(16, 0.05L) + records(4, 0.05L, u'z'));
    Windows w(',', true);
    w.start();
    for (int row = 1; row <= 15; ++row) EXPECT_EQ(probability(w, row), "0,0500");
    EXPECT_EQ(probability(w, 16), "0,2500");  // the correction goes to row 16
    EXPECT_EQ(w.grid1()->rowCount(), 17);
    EXPECT_FALSE(file_exists());
}

TEST_F(Import, EmptyOrShortFilesClearTheAlphabet) {
    for (const QByteArray& bytes : {QByteArray(), QByteArray(23, '\x01')}) {
        write(bytes);
        Windows w(',', true);
        w.start();
        for (int row = 1; row <= 16; ++row) EXPECT_EQ(probability(w, row), "0");
        EXPECT_EQ(w.grid1()->cell(0, 1), "A");
        EXPECT_FALSE(file_exists());
        w.form2->Button1Click();
        ASSERT_EQ(w.dialogs.messages.size(), 1u);
        EXPECT_EQ(w.dialogs.messages[0].text, "В алфивите должно быть не менее 9 символов");
    }
}

TEST_F(Import, TrailingBytesAreIgnored) {
    write(records(10, 0.1L) + QByteArray(10, '\x7F'));
    Windows w(',', true);
    w.start();
    EXPECT_EQ(probability(w, 10), "0,1000");
    EXPECT_EQ(probability(w, 11), "0");
}

TEST_F(Import, ZeroProbabilitiesAreNotCorrected) {
    write(records(9, 0));
    Windows w(',', true);
    w.start();
    for (int row = 1; row <= 9; ++row) EXPECT_EQ(probability(w, row), "0,0000");
    EXPECT_EQ(probability(w, 10), "0");
}

TEST_F(Import, WithoutArgumentsTheFileStays) {
    write(records(9, 0.1L));
    Windows w(',', false);
    w.start();
    EXPECT_EQ(probability(w, 1), "0,0625");
    EXPECT_TRUE(file_exists());
}

TEST_F(Import, NoFileNoChange) {
    Windows w(',', true);
    w.start();
    EXPECT_EQ(probability(w, 16), "0,0625");
    EXPECT_TRUE(w.dialogs.messages.empty());
}

TEST_F(Import, ADirectoryOfThatNameIsNoFile) {
    ASSERT_TRUE(QDir().mkdir("exp.tmp"));
    Windows w(',', true);
    w.start();
    EXPECT_EQ(probability(w, 1), "0,0625");
    EXPECT_TRUE(w.dialogs.messages.empty());
}

TEST_F(Import, ReadOnlyOrUnreadableFileIsReportedAndKept) {
    for (QFile::Permissions p : {QFile::Permissions(QFile::ReadOwner | QFile::ReadUser),
                                 QFile::Permissions(QFile::WriteOwner | QFile::WriteUser)}) {
        write(records(9, 0.1L), p);
        Windows w(',', true);
        w.start();
        ASSERT_EQ(w.dialogs.messages.size(), 1u);
        EXPECT_EQ(w.dialogs.messages[0].icon, Dialogs::Icon::Error);
        EXPECT_EQ(probability(w, 1), "0,0625");
        EXPECT_TRUE(file_exists());
        EXPECT_TRUE(w.form2->imp());
        QFile::setPermissions("exp.tmp", QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove("exp.tmp");
    }
}

TEST_F(Import, NonFiniteProbabilityStopsAfterItsRow) {
    write(records(2, 0.1L) + record(u'x', std::numeric_limits<Extended>::infinity()) +
          records(6, 0.1L));
    Windows w(',', true);
    w.start();
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_TRUE(w.dialogs.messages[0].text.contains("INF"));
    EXPECT_EQ(probability(w, 2), "0,1000");
    EXPECT_EQ(w.grid1()->cell(0, 3), "x");
    EXPECT_EQ(probability(w, 4), "0,0625");  // nothing after the failure
    EXPECT_TRUE(file_exists());
}

TEST_F(Import, OverflowingCorrectionStopsLikeAnUnreadableValue) {
    // The two shown values are finite, but 1 minus their sum, added to the last, is not.
    write(records(2, std::numeric_limits<Extended>::max()));
    Windows w(',', true);
    w.start();
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    const auto& m = w.dialogs.messages[0];
    EXPECT_EQ(m.icon, Dialogs::Icon::Error);
    EXPECT_EQ(m.caption, "Tavolin");
    EXPECT_EQ(m.text,
              QString::fromStdString(ConversionError(probability(w, 2).toStdString()).what()));
    EXPECT_FALSE(parse_number(probability(w, 2).toStdString(), ','));
    EXPECT_TRUE(parse_number(probability(w, 1).toStdString(), ','));
    EXPECT_EQ(probability(w, 3), "0,0625");  // stopped before the rows after the records
    EXPECT_TRUE(file_exists());
    EXPECT_TRUE(w.form2->imp());
}

// The error box of a failed import opens over the main window once it is on screen.
class ImportErrorBox : public Import, public testing::WithParamInterface<bool> {};

TEST_P(ImportErrorBox, OpensAfterTheWindowIsOnScreen) {
    const bool activated_before_shown = GetParam();
    write(records(2, 0.1L) + record(u'x', std::numeric_limits<Extended>::infinity()));
    Windows w(',', true);
    if (activated_before_shown) {
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(w.form2.get(), &activate);
        QApplication::processEvents();
        EXPECT_TRUE(w.dialogs.messages.empty());
    }
    w.start();
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_TRUE(w.dialogs.messages[0].owner_on_screen);
    EXPECT_EQ(w.dialogs.messages[0].caption, "Tavolin");
    EXPECT_TRUE(file_exists());
}

INSTANTIATE_TEST_SUITE_P(Activations, ImportErrorBox, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& i) {
                             return i.param ? "activated_before_shown" : "activated_when_shown";
                         });

}  // namespace
}  // namespace tavolin::ui
