// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/alphabet_import.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <variant>

#include "core/defaults.h"
#include "core/number_text.h"
#include "ui/widgets/string_grid.h"

namespace tavolin::ui {

namespace {

constexpr int kSymbolColumn = 0;
constexpr int kProbabilityColumn = 2;

QString shown(Extended v, char sep) {
    return QString::fromStdString(format_label(v, sep));
}

// Writes the value to its row and reads the shown text back: the value as shown, or the
// description of a text that is no number (an infinity, not-a-number).
std::variant<Extended, QString> write_and_read_back(StringGrid& grid, int row, Extended v,
                                                    char sep) {
    grid.setCell(kProbabilityColumn, row, shown(v, sep));
    const std::string text = grid.cell(kProbabilityColumn, row).toStdString();
    if (const std::optional<Extended> read_back = parse_number(text, sep)) return *read_back;
    return QString::fromStdString(ConversionError(text).what());
}

}  // namespace

std::optional<QString> impAlph(StringGrid& grid, char sep, const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) return std::nullopt;
    QFile file(path);
    // Read-only or unreadable files are refused by their permissions even for a super-user, as
    // the import needs the file open for reading and writing.
    const QFile::Permissions p = file.permissions();
    const bool writable = p & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
    const bool readable = p & (QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!writable || !readable) return QString::fromLocal8Bit(std::strerror(EACCES));
    if (!file.open(QIODevice::ReadWrite)) return file.errorString();

    // Records past the table's 16 rows are ignored, as if the file ended there.
    const int records = static_cast<int>(std::min<qint64>(file.size() / kRecordSize, kMaxSymbols));
    Extended remainder = 1;
    Extended last = 0;
    for (int j = 1; j <= records; ++j) {
        unsigned char bytes[kRecordSize];
        if (file.read(reinterpret_cast<char*>(bytes), kRecordSize) != kRecordSize)
            return file.errorString();
        const alp record = decode_record(bytes);
        last = record.v;
        grid.setCell(kSymbolColumn, j, QString(QChar(record.s)));
        const auto read_back = write_and_read_back(grid, j, record.v, sep);
        if (const QString* failure = std::get_if<QString>(&read_back)) return *failure;
        // The remainder follows the values as shown, not as stored.
        remainder -= std::get<Extended>(read_back);
    }
    // A correction can overflow (records near the largest value); like any value that cannot
    // be read back it stops the import, and the file is kept.
    if (remainder != 1 && records > 0) {
        const auto read_back = write_and_read_back(grid, records, last + remainder, sep);
        if (const QString* failure = std::get_if<QString>(&read_back)) return *failure;
    }
    for (int row = records + 1; row <= kMaxSymbols; ++row)
        grid.setCell(kProbabilityColumn, row, "0");
    file.close();
    QFile::remove(path);  // a failure to delete is ignored
    return std::nullopt;
}

}  // namespace tavolin::ui
