// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_text.h"

#include <locale.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>

namespace tavolin {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_hex_digit(char c) {
    return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hex_value(char c) {
    if (is_digit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

// strtold in the "C" locale, whatever locale the process runs under.
Extended c_strtold(const std::string& text) {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtold_l(text.c_str(), nullptr, c_locale);
}

struct Digits {
    std::string digits;  // digits[0] is the leading significant digit
    int exponent = 0;    // value = 0.d0 d1 d2 ... * 10^(exponent + 1)
};

Digits scientific_digits(Extended magnitude, int precision) {
    std::string buf(static_cast<std::size_t>(precision) + 32, '\0');
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                             std::chars_format::scientific, precision);
    std::string_view s(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    Digits d;
    std::size_t e = s.find('e');
    d.digits.reserve(e);
    for (std::size_t i = 0; i < e; ++i)
        if (is_digit(s[i])) d.digits.push_back(s[i]);
    d.exponent = std::atoi(std::string(s.substr(e + 1)).c_str());
    return d;
}

// Decimal digits of |value| to 18 significant places: the general format rounds these to 15.
Digits decimal_digits(Extended magnitude) {
    return scientific_digits(magnitude, 17);
}

// Every decimal digit of |value|. A binary fraction m * 2^(e - 64) has a finite expansion with
// 64 - e places after the point, so rounding decided on these digits is decided on the value
// itself: 0.73125 stored just below the half rounds down, not up through an 18-digit tie.
Digits exact_digits(Extended magnitude) {
    int e2 = 0;
    (void)std::frexp(magnitude, &e2);
    const int places = std::max(0, 64 - e2);
    const int int_digits = std::max(1, static_cast<int>(std::ceil(e2 * 0.30103)) + 1);
    return scientific_digits(magnitude, places + int_digits);
}

// Rounds the digit string to `keep` significant digits, halves away from zero. Returns the kept
// digits (possibly "1" followed by zeros after a carry, with the exponent raised) or an empty
// string when the value rounds to zero.
std::string round_digits(Digits& d, int keep) {
    if (keep < 0) return {};
    bool up = static_cast<std::size_t>(keep) < d.digits.size() && d.digits[keep] >= '5';
    std::string kept = d.digits.substr(0, static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && kept[i] == '9') kept[i--] = '0';
        if (i >= 0) {
            ++kept[i];
        } else {
            kept.insert(kept.begin(), '1');
            ++d.exponent;
            kept.pop_back();
            // Not `kept = "1"`: GCC 12 warns falsely of an overlapping copy there under -O2
            // (-Wrestrict, GCC bug 105329).
            if (keep == 0) kept.assign(1, '1');
        }
    }
    if (kept.find_first_not_of('0') == std::string::npos) return {};
    return kept;
}

std::string exponent_text(const std::string& kept, int exponent, bool negative, char sep,
                          std::size_t mantissa_digits, bool signed_exponent, int exp_width) {
    std::string out = negative ? "-" : "";
    out += kept[0];
    std::string frac = kept.substr(1);
    frac.resize(mantissa_digits > 0 ? mantissa_digits - 1 : 0, '0');
    if (!frac.empty()) out += sep + frac;
    out += 'E';
    if (exponent < 0)
        out += '-';
    else if (signed_exponent)
        out += '+';
    std::string e = std::to_string(std::abs(exponent));
    if (static_cast<int>(e.size()) < exp_width) e.insert(0, exp_width - e.size(), '0');
    return out + e;
}

std::string non_finite_text(Extended value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

}  // namespace

std::optional<Extended> parse_number(std::string_view t, char sep) {
    std::size_t i = 0, n = t.size();
    while (i < n && t[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    std::string int_digits, frac_digits;
    while (i < n && is_digit(t[i])) int_digits += t[i++];
    bool has_sep = false;
    if (i < n && t[i] == sep) {
        has_sep = true;
        ++i;
        while (i < n && is_digit(t[i])) frac_digits += t[i++];
    }
    if (int_digits.empty() && !has_sep) return std::nullopt;
    long exponent = 0;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool exp_negative = false;
        if (i < n && (t[i] == '+' || t[i] == '-')) exp_negative = t[i++] == '-';
        while (i < n && is_digit(t[i])) {
            // Saturate: far beyond any finite extended value either way.
            if (exponent < 1000000) exponent = exponent * 10 + (t[i] - '0');
            ++i;
        }
        if (exp_negative) exponent = -exponent;
    }
    while (i < n && t[i] == ' ') ++i;
    if (i != n) return std::nullopt;

    std::string c_text = negative ? "-" : "";
    c_text += int_digits.empty() ? "0" : int_digits;
    c_text += '.';
    c_text += frac_digits;
    c_text += 'e';
    c_text += std::to_string(exponent);
    Extended value = c_strtold(c_text);
    if (std::isinf(value)) return std::nullopt;
    return value;
}

std::optional<Integer> parse_integer(std::string_view t) {
    std::size_t i = 0, n = t.size();
    while (i < n && t[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    int base = 10;
    if (i < n && (t[i] == '$' || t[i] == 'x' || t[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == n) return std::nullopt;
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t value = 0;
    for (; i < n; ++i) {
        char c = t[i];
        if (base == 10 ? !is_digit(c) : !is_hex_digit(c)) return std::nullopt;
        value = value * base + (base == 10 ? c - '0' : hex_value(c));
        if (value > limit) return std::nullopt;
    }
    return static_cast<Integer>(negative ? -value : value);
}

namespace {

// Built by appending, not as "'" + text: GCC 12 warns falsely of an overlapping copy in that
// concatenation under -O2 (-Wrestrict, GCC bug 105329).
std::string conversion_message(std::string_view text) {
    std::string m(1, '\'');
    m.append(text);
    m.append("' is not a valid floating point value");
    return m;
}

}  // namespace

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error(conversion_message(text)) {}

Extended to_number(std::string_view text, char sep) {
    if (auto v = parse_number(text, sep)) return *v;
    throw ConversionError(text);
}

Extended to_number_or(std::string_view text, char sep, Extended fallback) {
    return parse_number(text, sep).value_or(fallback);
}

Integer to_integer_or(std::string_view text, Integer fallback) {
    return parse_integer(text).value_or(fallback);
}

std::string format_fixed(Extended value, int precision, int decimals, char sep) {
    if (!std::isfinite(value)) return non_finite_text(value);
    const bool negative = std::signbit(value);
    std::string kept;
    Digits d;
    // Far below half a unit of the last place it rounds to zero; skip the long expansion.
    const bool negligible = std::fabs(value) < 0.45L * std::pow(10.0L, -decimals);
    if (value != 0 && !negligible) {
        d = exact_digits(std::fabs(value));
        kept = round_digits(d, std::min(d.exponent + 1 + decimals, precision));
    }
    if (kept.empty()) {  // rounds to zero: no sign
        std::string out = "0";
        if (decimals > 0) out += sep + std::string(static_cast<std::size_t>(decimals), '0');
        return out;
    }
    if (d.exponent + 1 > precision)
        return exponent_text(kept, d.exponent, negative, sep, static_cast<std::size_t>(precision),
                             true, 3);

    // Place the kept digits around the separator: digit k stands at decimal place exponent - k.
    std::string int_part, frac_part(static_cast<std::size_t>(decimals), '0');
    for (int place = std::max(d.exponent, 0); place >= 0; --place) {
        int k = d.exponent - place;
        int_part += (k >= 0 && k < static_cast<int>(kept.size())) ? kept[k] : '0';
    }
    for (int j = 1; j <= decimals; ++j) {
        int k = d.exponent + j;
        if (k >= 0 && k < static_cast<int>(kept.size())) frac_part[j - 1] = kept[k];
    }
    std::string out = negative ? "-" : "";
    out += int_part;
    if (decimals > 0) out += sep + frac_part;
    return out;
}

std::string format_round_trip(Extended value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 21);
    return std::string(buf, res.ptr);
}

std::string format_general(Extended value, char sep) {
    if (!std::isfinite(value)) return non_finite_text(value);
    if (value == 0) return "0";
    const bool negative = std::signbit(value);
    Digits d = decimal_digits(std::fabs(value));
    std::string kept = round_digits(d, 15);
    while (kept.size() > 1 && kept.back() == '0') kept.pop_back();
    if (d.exponent < -5 || d.exponent >= 15)
        return exponent_text(kept, d.exponent, negative, sep, kept.size(), false, 1);
    std::string out = negative ? "-" : "";
    if (d.exponent < 0) {
        out += "0";
        out += sep;
        out += std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + kept;
        return out;
    }
    std::size_t int_len = static_cast<std::size_t>(d.exponent) + 1;
    if (kept.size() <= int_len) return out + kept + std::string(int_len - kept.size(), '0');
    return out + kept.substr(0, int_len) + sep + kept.substr(int_len);
}

}  // namespace tavolin
