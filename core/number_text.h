// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts: the syntax the input filters accept, strict and lenient conversion to the
// nearest `Extended`, and the fixed and general display formats. The decimal separator is a
// value, never the C library's locale, which a GUI toolkit may change under us.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/types.h"

namespace tavolin {

// A number text: spaces, optional sign, digits, optional separator and digits, optional
// exponent letter with optional sign and digits, spaces. At least one digit or the separator
// must stand before the exponent, and the value must not overflow `Extended`.
// Returns the correctly rounded value, or nothing when the text is not a number text.
std::optional<Extended> parse_number(std::string_view text, char sep);

// An integer text: spaces, optional sign, then decimal digits or a hexadecimal form
// ($, x, X, 0x, 0X and hex digits), nothing else; the value fits a signed 32-bit integer.
std::optional<Integer> parse_integer(std::string_view text);

// The failed strict conversion, carrying the description the error report shows.
class ConversionError : public std::runtime_error {
  public:
    explicit ConversionError(std::string_view text);
};

// Strict conversion: throws ConversionError naming the text.
Extended to_number(std::string_view text, char sep);
// Lenient conversions: the default for anything that is not a number (or integer) text.
Extended to_number_or(std::string_view text, char sep, Extended fallback);
Integer to_integer_or(std::string_view text, Integer fallback);

// Fixed format: rounded to `decimals` places and to at most `precision` significant digits,
// halves away from zero, padded with zeros to exactly `decimals` places. A value with more than
// `precision` digits before the separator is written in scientific notation instead. A value
// that rounds to zero never carries a minus sign.
std::string format_fixed(Extended value, int precision, int decimals, char sep);

// General format: 15 significant digits, trailing zeros dropped; scientific notation below
// 0.00001 or from 10^15 on.
std::string format_general(Extended value, char sep);

// Files and the command: 21 significant digits with a point, trailing zeros dropped, so that
// the text reads back as the same 80-bit value.
std::string format_round_trip(Extended value);

// The fixed format of every result label, matrix cell and imported probability: 5 significant
// digits, 4 decimals.
inline std::string format_label(Extended value, char sep) {
    return format_fixed(value, 5, 4, sep);
}

}  // namespace tavolin
