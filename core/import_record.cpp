// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import_record.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace tavolin {

namespace {

std::uint64_t little_endian(const unsigned char* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
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

}  // namespace tavolin
