// SPDX-License-Identifier: GPL-3.0-or-later
// The records of the alphabet import file: a UTF-16 symbol and an x87 80-bit probability in 24
// little-endian bytes. Decoded from the fields, not by reading the bytes as a long double, so
// every encoding means the same on any machine and the decoding needs no file or window.
#pragma once

#include "core/types.h"

namespace tavolin {

inline constexpr int kRecordSize = 24;

// The value of ten bytes: significand (bit 63 the explicit integer bit) in bytes 0-7, sign and
// biased exponent in bytes 8-9. Exponent 0 reads as 1, so denormals and pseudo-denormals keep
// their significand; unnormals are taken at their fields' value; the top exponent is an
// infinity when the fraction bits are clear and not a number otherwise.
Extended decode_extended(const unsigned char* bytes);

// A record: the symbol in bytes 0-1, the value in bytes 8-17; the rest is fill.
alp decode_record(const unsigned char* record);

}  // namespace tavolin
