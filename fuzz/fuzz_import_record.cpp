// SPDX-License-Identifier: GPL-3.0-or-later
// The import records: every 80-bit encoding (normal, denormal, pseudo-denormal, unnormal,
// infinities, not-a-numbers) decodes to the value of its fields, checked against the processor's
// own reading of the canonical encoding of that value; the fill bytes play no part; and every
// finite value survives the texts the import and the files write.
//
// Input: one or more 24-byte records (a short tail is padded with zeros).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "core/import_record.h"
#include "core/number_text.h"
#include "fuzz_check.h"

namespace tavolin::fuzzing {
namespace {

static_assert(std::numeric_limits<Extended>::digits == 64 && sizeof(Extended) >= 10,
              "the model reads canonical encodings as the x87 80-bit format");

std::uint64_t significand_of(const unsigned char* b) {
    std::uint64_t m = 0;
    for (int i = 7; i >= 0; --i) m = (m << 8) | b[i];
    return m;
}

// The value of the fields m * 2^(e - 16383 - 63) (e = 0 read as 1), built as the canonical
// encoding of the same value and read by the processor: the significand shifted up until its
// integer bit is set, or as far as exponent 1 allows (a denormal). No bit is ever lost.
Extended canonical_value(std::uint64_t m, int e, bool negative) {
    Extended v = 0;
    if (m != 0) {
        int exponent = e == 0 ? 1 : e;
        while ((m >> 63) == 0 && exponent > 1) {
            m <<= 1;
            --exponent;
        }
        const unsigned field = (m >> 63) == 0 ? 0u : static_cast<unsigned>(exponent);
        unsigned char b[sizeof(Extended)] = {};
        for (int i = 0; i < 8; ++i) b[i] = static_cast<unsigned char>(m >> (8 * i));
        b[8] = static_cast<unsigned char>(field);
        b[9] = static_cast<unsigned char>(field >> 8);
        std::memcpy(&v, b, sizeof v);
    }
    return negative ? -v : v;
}

void check_record(const unsigned char* record) {
    const unsigned char* value = record + 8;
    const std::uint64_t m = significand_of(value);
    const unsigned se = value[8] | (static_cast<unsigned>(value[9]) << 8);
    const bool negative = (se & 0x8000u) != 0;
    const int e = static_cast<int>(se & 0x7FFFu);
    const Extended v = decode_extended(value);
    const std::string what = "significand " + std::to_string(m) + " exponent " + std::to_string(e) +
                             (negative ? " negative" : "");

    if (e == 0x7FFF) {
        if ((m << 1) == 0)
            FUZZ_CHECK(std::isinf(v) && std::signbit(v) == negative, "infinity: " + what);
        else
            FUZZ_CHECK(std::isnan(v), "not a number: " + what);
    } else {
        const Extended expected = canonical_value(m, e, negative);
        FUZZ_CHECK(v == expected && std::signbit(v) == negative,
                   what + " read " + format_round_trip(v) + " for " + format_round_trip(expected));
        // Pseudo-denormals and unnormals are values the processor also encodes canonically:
        // decoding that encoding gives the same value.
        unsigned char again[10];
        std::memcpy(again, &expected, 10);
        FUZZ_CHECK(decode_extended(again) == v, "canonical form of " + what);
    }

    // The fill bytes are not read.
    unsigned char other[kRecordSize];
    std::memcpy(other, record, kRecordSize);
    for (int i : {2, 3, 4, 5, 6, 7, 18, 19, 20, 21, 22, 23})
        other[i] = static_cast<unsigned char>(~other[i]);
    const alp a = decode_record(record), b = decode_record(other);
    FUZZ_CHECK(a.s == static_cast<char16_t>(record[0] | (record[1] << 8)), "symbol: " + what);
    FUZZ_CHECK(a.s == b.s && (a.v == b.v || (std::isnan(a.v) && std::isnan(b.v))),
               "fill bytes changed " + what);
    FUZZ_CHECK(a.v == v || (std::isnan(a.v) && std::isnan(v)), "record value: " + what);

    if (!std::isfinite(v)) return;
    // The import shows the value as a label and reads that text back: it must be a number.
    for (char sep : {',', '.'}) {
        const std::string shown = format_label(v, sep);
        FUZZ_CHECK(parse_number(shown, sep).has_value(), "label " + shown + " of " + what);
    }
    // Files keep it in 21 digits, which read back as the same value.
    const std::string kept = format_round_trip(v);
    const auto back = parse_number(kept, '.');
    FUZZ_CHECK(back && *back == v, "round trip " + kept + " of " + what);
}

}  // namespace
}  // namespace tavolin::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tavolin::kRecordSize;
    const std::size_t records = size == 0 ? 0 : (size + kRecordSize - 1) / kRecordSize;
    for (std::size_t r = 0; r < records; ++r) {
        unsigned char record[kRecordSize] = {};
        const std::size_t start = r * kRecordSize;
        for (std::size_t i = 0; i < static_cast<std::size_t>(kRecordSize) && start + i < size; ++i)
            record[i] = data[start + i];
        tavolin::fuzzing::check_record(record);
    }
    return 0;
}
