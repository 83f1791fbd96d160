// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts: the strict parser against an independent reading of the grammar, the integer
// parser against its own, and the formatters read back through the parser.
//
// Input: byte 0 chooses the separator (bit 0), bytes 1 and 2 the precision (1 to 18) and the
// decimals (0 to 9) of the fixed format, bytes 3 to 12 an x87 value for the formatters, and the
// rest is the text for the parsers (whose value, when it has one, is formatted too).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/import_record.h"
#include "core/number_text.h"
#include "fuzz_check.h"

namespace tavolin::fuzzing {
namespace {

bool digit(char c) {
    return c >= '0' && c <= '9';
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '"' && c != '\\') {
            out += c;
        } else {
            static const char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 15];
        }
    }
    return out + '"';
}

// What the grammar says of a text, read without the parser: whether it is a number text, its
// sign, and the decimal place of its first significant digit (the value lies in [10^q, 10^(q+1))).
struct NumberReading {
    bool syntax = false;
    bool negative = false;
    bool zero = true;  // no significant digit
    long long q = 0;
};

NumberReading read_number(std::string_view t, char sep) {
    NumberReading r;
    std::size_t i = 0;
    const std::size_t n = t.size();
    while (i < n && t[i] == ' ') ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) r.negative = t[i++] == '-';
    const std::size_t int_start = i;
    while (i < n && digit(t[i])) ++i;
    const std::string_view int_part = t.substr(int_start, i - int_start);
    std::string_view frac_part;
    bool has_sep = false;
    if (i < n && t[i] == sep) {
        has_sep = true;
        const std::size_t frac_start = ++i;
        while (i < n && digit(t[i])) ++i;
        frac_part = t.substr(frac_start, i - frac_start);
    }
    if (int_part.empty() && !has_sep) return r;
    long long exponent = 0;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool exp_negative = false;
        if (i < n && (t[i] == '+' || t[i] == '-')) exp_negative = t[i++] == '-';
        for (; i < n && digit(t[i]); ++i)
            if (exponent < 1'000'000'000'000LL) exponent = exponent * 10 + (t[i] - '0');
        if (exp_negative) exponent = -exponent;
    }
    while (i < n && t[i] == ' ') ++i;
    if (i != n) return r;
    r.syntax = true;
    if (const std::size_t k = int_part.find_first_not_of('0'); k != std::string_view::npos) {
        r.zero = false;
        r.q = static_cast<long long>(int_part.size() - k) - 1 + exponent;
    } else if (const std::size_t j = frac_part.find_first_not_of('0');
               j != std::string_view::npos) {
        r.zero = false;
        r.q = -static_cast<long long>(j) - 1 + exponent;
    }
    return r;
}

// The largest finite value is about 1.19e4932; the smallest denormal about 3.65e-4951.
constexpr long long kSurelyFinite = 4931, kSurelyInfinite = 4933;
constexpr long long kSurelyNonZero = -4950, kSurelyZero = -4953;

void check_parse_number(std::string_view text, char sep) {
    const std::optional<Extended> got = parse_number(text, sep);
    const NumberReading r = read_number(text, sep);
    const std::string what = quoted(text) + " sep '" + sep + "'";
    if (!got) {
        FUZZ_CHECK(!r.syntax || (!r.zero && r.q >= kSurelyFinite + 1), "refused " + what);
        bool thrown = false;
        try {
            (void)to_number(text, sep);
        } catch (const ConversionError& e) {
            // The description names the text (as far as a C string carries it).
            const std::string named =
                "'" + std::string(text) + "' is not a valid floating point value";
            thrown = std::string(e.what()) == named.substr(0, named.find('\0'));
        }
        FUZZ_CHECK(thrown, "strict conversion of " + what);
        FUZZ_CHECK(to_number_or(text, sep, 7.5L) == 7.5L, "lenient conversion of " + what);
        return;
    }
    const Extended v = *got;
    FUZZ_CHECK(r.syntax, "accepted " + what);
    FUZZ_CHECK(std::isfinite(v), "not finite: " + what);
    FUZZ_CHECK(r.zero || r.q < kSurelyInfinite, "overflow accepted: " + what);
    if (r.zero || r.q <= kSurelyZero) FUZZ_CHECK(v == 0, "not zero: " + what);
    if (!r.zero && r.q >= kSurelyNonZero) FUZZ_CHECK(v != 0, "zero: " + what);
    if (v != 0) FUZZ_CHECK(std::signbit(v) == r.negative, "sign of " + what);
    if (v != 0 && r.q > -4900 && r.q < 4900) {
        const Extended lower = std::pow(10.0L, static_cast<Extended>(r.q));
        const Extended a = std::fabs(v);
        FUZZ_CHECK(a >= lower * (1 - 1e-15L) && a <= 10 * lower * (1 + 1e-15L),
                   "magnitude of " + what + " is " + format_round_trip(v));
    }
    FUZZ_CHECK(to_number(text, sep) == v, "strict conversion of " + what);
    FUZZ_CHECK(to_number_or(text, sep, 7.5L) == v, "lenient conversion of " + what);

    // Spaces around a number text change nothing.
    const std::optional<Extended> spaced = parse_number(" " + std::string(text) + "  ", sep);
    FUZZ_CHECK(spaced && *spaced == v, "spaces around " + what);
    // The separator is a value: the same text with the other one reads the same.
    const char other = sep == ',' ? '.' : ',';
    const std::string text_s(text);
    if (text_s.find(sep) != std::string::npos) {
        FUZZ_CHECK(!parse_number(text, other), "foreign separator accepted in " + what);
        if (text_s.find(other) == std::string::npos) {
            std::string swapped = text_s;
            for (char& c : swapped)
                if (c == sep) c = other;
            const std::optional<Extended> w = parse_number(swapped, other);
            FUZZ_CHECK(w && *w == v && std::signbit(*w) == std::signbit(v),
                       "separator swapped in " + what);
        }
    }
}

// An integer text read without the parser: its value, or nothing.
std::optional<long long> read_integer(std::string_view t) {
    std::size_t i = 0;
    const std::size_t n = t.size();
    while (i < n && t[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    int base = 10;
    if (t.substr(i, 2) == "0x" || t.substr(i, 2) == "0X") {
        base = 16;
        i += 2;
    } else if (i < n && (t[i] == '$' || t[i] == 'x' || t[i] == 'X')) {
        base = 16;
        ++i;
    }
    if (i == n) return std::nullopt;
    long long value = 0;
    for (; i < n; ++i) {
        const char c = t[i];
        int d;
        if (digit(c))
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return std::nullopt;
        if (value < (1LL << 40)) value = value * base + d;
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return value;
}

void check_parse_integer(std::string_view text) {
    const std::optional<Integer> got = parse_integer(text);
    const std::optional<long long> expected = read_integer(text);
    const std::string what = quoted(text);
    FUZZ_CHECK(got.has_value() == expected.has_value(), "integer " + what);
    if (!got) {
        FUZZ_CHECK(to_integer_or(text, -77) == -77, "lenient integer " + what);
        return;
    }
    FUZZ_CHECK(*got == *expected, "integer " + what + " read " + std::to_string(*got) + " for " +
                                      std::to_string(*expected));
    // A decimal integer text is a number text of the same value.
    bool decimal = true;
    for (char c : text) decimal = decimal && (digit(c) || c == ' ' || c == '+' || c == '-');
    if (decimal) {
        const std::optional<Extended> as_number = parse_number(text, ',');
        FUZZ_CHECK(as_number && *as_number == static_cast<Extended>(*got),
                   "integer " + what + " as a number");
    }
}

std::string show(Extended v) {
    return format_round_trip(v);
}

// Where a text's significant digits start (10^place of the first), and how many it shows.
struct ShownDigits {
    long long first_place = 0;
    long long count = 0;  // from the first significant digit to the last digit shown
    bool any = false;
};

ShownDigits shown_digits(const std::string& text, char sep) {
    ShownDigits s;
    const std::size_t cut = text.find(sep);
    const std::size_t int_end = cut == std::string::npos ? text.size() : cut;
    long long place = 0;
    for (std::size_t i = 0; i < int_end; ++i)
        if (digit(text[i])) ++place;
    place -= 1;  // the place of the first integer digit
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!digit(text[i])) continue;
        if (!s.any && text[i] != '0') {
            s.any = true;
            s.first_place = place;
        }
        if (s.any) ++s.count;
        --place;
    }
    return s;
}

// |shown - v| within half a unit of the last place the format rounded to, plus the rounding of
// the two 80-bit values themselves.
bool within_half_unit(Extended shown_value, Extended v, long long unit_place) {
    const Extended half = 0.5L * std::pow(10.0L, static_cast<Extended>(unit_place));
    const Extended slack = std::fmax(std::fabs(v), std::fabs(shown_value)) * 0x1p-62L;
    return std::fabs(shown_value - v) <= half * (1 + 0x1p-60L) + slack;
}

// Decimal rounding of a value at the top of the range may go past the largest finite value
// (its 18 digits 1.18973149535723177E+4932 do): then the text has the syntax of a number and
// the magnitude of the largest, and nothing else is wrong with it.
bool rounded_past_the_largest(const std::string& text, Extended v, char sep) {
    const NumberReading r = read_number(text, sep);
    return r.syntax && !r.zero && r.q == 4932 && std::fabs(v) > 1e4932L;
}

void check_fixed(Extended v, int precision, int decimals, char sep) {
    const std::string text = format_fixed(v, precision, decimals, sep);
    const std::string what = "format_fixed(" + show(v) + ", " + std::to_string(precision) + ", " +
                             std::to_string(decimals) + ") = " + quoted(text);
    if (!std::isfinite(v)) {
        FUZZ_CHECK(text == (std::isnan(v) ? "NAN" : v < 0 ? "-INF" : "INF"), what);
        FUZZ_CHECK(!parse_number(text, sep), what);
        return;
    }
    const std::optional<Extended> r = parse_number(text, sep);
    if (!r) {
        FUZZ_CHECK(rounded_past_the_largest(text, v, sep), "not a number text: " + what);
        return;
    }
    if (*r == 0) FUZZ_CHECK(text[0] != '-', "signed zero: " + what);
    if (*r != 0) FUZZ_CHECK(std::signbit(*r) == std::signbit(v), "sign: " + what);
    const std::size_t e = text.find('E');
    if (e == std::string::npos) {
        const std::size_t cut = text.find(sep);
        if (decimals == 0)
            FUZZ_CHECK(cut == std::string::npos, "separator without decimals: " + what);
        else
            FUZZ_CHECK(cut != std::string::npos &&
                           text.size() - cut - 1 == static_cast<std::size_t>(decimals),
                       "decimals: " + what);
        const ShownDigits d = shown_digits(text, sep);
        FUZZ_CHECK(!d.any || d.first_place < precision, "too many integer digits: " + what);
        long long unit = -decimals;
        if (d.any && d.count > precision) unit = d.first_place - precision + 1;
        FUZZ_CHECK(within_half_unit(*r, v, unit), "rounding: " + what);
    } else {
        const std::string mantissa = text.substr(0, e);
        const ShownDigits d = shown_digits(mantissa, sep);
        FUZZ_CHECK(d.any && d.first_place == 0 && d.count == precision,
                   "scientific mantissa: " + what);
        const long long exponent = std::stoll(text.substr(e + 1));
        FUZZ_CHECK(exponent + 1 > precision, "scientific below the precision: " + what);
        FUZZ_CHECK(within_half_unit(*r, v, exponent - precision + 1), "rounding: " + what);
    }
    // What it shows reads back as a value it shows the same way.
    FUZZ_CHECK(format_fixed(*r, precision, decimals, sep) == text, "not idempotent: " + what);
}

void check_general(Extended v, char sep) {
    const std::string text = format_general(v, sep);
    const std::string what = "format_general(" + show(v) + ") = " + quoted(text);
    if (!std::isfinite(v)) {
        FUZZ_CHECK(text == (std::isnan(v) ? "NAN" : v < 0 ? "-INF" : "INF"), what);
        return;
    }
    const std::optional<Extended> r = parse_number(text, sep);
    if (!r) {
        FUZZ_CHECK(rounded_past_the_largest(text, v, sep), "not a number text: " + what);
        return;
    }
    if (*r == 0) FUZZ_CHECK(text == "0", "zero: " + what);
    const Extended tolerance =
        std::fabs(v) * 5.000001e-15L + std::numeric_limits<Extended>::denorm_min();
    FUZZ_CHECK(std::fabs(*r - v) <= tolerance, "15 digits: " + what);
    const std::size_t e = text.find('E');
    const Extended a = std::fabs(*r);
    FUZZ_CHECK((e != std::string::npos) == (*r != 0 && (a < 1e-5L || a >= 1e15L)),
               "scientific range: " + what);
    const std::string mantissa = text.substr(0, e);
    if (mantissa.find(sep) != std::string::npos)
        FUZZ_CHECK(mantissa.back() != '0', "trailing zero: " + what);
    FUZZ_CHECK(shown_digits(mantissa, sep).count <= 15, "more than 15 digits: " + what);
    if (std::fabs(v) >= std::numeric_limits<Extended>::min())
        FUZZ_CHECK(format_general(*r, sep) == text, "not idempotent: " + what);
}

void check_round_trip(Extended v) {
    if (!std::isfinite(v)) return;
    const std::string text = format_round_trip(v);
    const std::optional<Extended> r = parse_number(text, '.');
    FUZZ_CHECK(r && *r == v && std::signbit(*r) == std::signbit(v),
               "round trip of " + text + " read " + (r ? show(*r) : std::string("nothing")));
}

void check_formats(Extended v, int precision, int decimals, char sep) {
    check_fixed(v, precision, decimals, sep);
    check_fixed(v, 5, 4, sep);  // every result label
    check_general(v, sep);
    check_round_trip(v);
}

}  // namespace
}  // namespace tavolin::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolin;
    using namespace tavolin::fuzzing;
    constexpr std::size_t kHeader = 13;
    unsigned char header[kHeader] = {};
    for (std::size_t i = 0; i < kHeader && i < size; ++i) header[i] = data[i];
    const char sep = (header[0] & 1) ? '.' : ',';
    const int precision = 1 + header[1] % 18;
    const int decimals = header[2] % 10;
    const std::string_view text =
        size > kHeader
            ? std::string_view(reinterpret_cast<const char*>(data) + kHeader, size - kHeader)
            : std::string_view();

    check_formats(decode_extended(header + 3), precision, decimals, sep);
    check_parse_number(text, sep);
    check_parse_integer(text);
    if (const std::optional<Extended> v = parse_number(text, sep))
        check_formats(*v, precision, decimals, sep);
    return 0;
}
