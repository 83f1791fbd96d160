#include "ui/alphabet_import.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

#include "engine/number_text.h"
#include "ui/string_grid.h"

namespace tavolin::ui {

namespace {

constexpr int kRows = 16;
constexpr int kSymbolColumn = 0;
constexpr int kProbabilityColumn = 2;

std::uint64_t little_endian(const unsigned char* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

QString shown(Extended v, char sep) {
    return QString::fromStdString(format_fixed(v, 5, 4, sep));
}

}  // namespace

Extended decode_extended(const unsigned char* bytes) {
    const std::uint64_t significand = little_endian(bytes, 8);
    const auto sign_exponent = static_cast<unsigned>(little_endian(bytes + 8, 2));
    const bool negative = (sign_exponent & 0x8000u) != 0;
    const int exponent = static_cast<int>(sign_exponent & 0x7FFFu);
    Extended v;
    if (exponent == 0x7FFF) {
        // Infinity when only the integer bit is set, not a number otherwise.
        v = (significand << 1) == 0 ? std::numeric_limits<Extended>::infinity()
                                    : std::numeric_limits<Extended>::quiet_NaN();
    } else {
        v = std::ldexp(static_cast<Extended>(significand),
                       (exponent == 0 ? 1 : exponent) - 16383 - 63);
    }
    return negative ? -v : v;
}

alp decode_record(const unsigned char* record) {
    return {static_cast<char16_t>(little_endian(record, 2)), decode_extended(record + 8)};
}

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
    const int records = static_cast<int>(std::min<qint64>(file.size() / kRecordSize, kRows));
    Extended remainder = 1;
    Extended last = 0;
    for (int j = 1; j <= records; ++j) {
        unsigned char bytes[kRecordSize];
        if (file.read(reinterpret_cast<char*>(bytes), kRecordSize) != kRecordSize)
            return file.errorString();
        const alp record = decode_record(bytes);
        last = record.v;
        grid.setCell(kSymbolColumn, j, QString(QChar(record.s)));
        grid.setCell(kProbabilityColumn, j, shown(record.v, sep));
        // The remainder follows the values as shown, not as stored.
        const std::optional<Extended> read_back =
            parse_number(grid.cell(kProbabilityColumn, j).toStdString(), sep);
        if (!read_back)
            return QString::fromStdString(
                ConversionError(grid.cell(kProbabilityColumn, j).toStdString()).what());
        remainder -= *read_back;
    }
    if (remainder != 1 && records > 0)
        grid.setCell(kProbabilityColumn, records, shown(last + remainder, sep));
    for (int row = records + 1; row <= kRows; ++row) grid.setCell(kProbabilityColumn, row, "0");
    file.close();
    QFile::remove(path);  // a failure to delete is ignored
    return std::nullopt;
}

}  // namespace tavolin::ui
