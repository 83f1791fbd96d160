// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between code words and bit strings ("0"/"1" texts, most significant first),
// and the small bit tests the codes and the channel share.
#pragma once

#include <string>
#include <string_view>

#include "core/types.h"

namespace tavolin {

// The low `sz` bits of `value`, most significant first; higher bits are dropped.
std::string IntToBin(Cardinal value, Byte sz);
// Value of the first (length mod 256) characters, each adding its code minus '0'; the magnitude
// of the 64-bit accumulator cut to 32 bits. For bit strings of up to 32 characters, their value.
Cardinal BinToInt(std::string_view bin);
// True for a non-empty string of '0' and '1' whose value is not zero.
bool Check_Str(std::string_view st);
// 1 when `i` AND `o` is not zero.
inline Byte n_and(Word i, Word o) {
    return (i & o) != 0 ? 1 : 0;
}
// The set bits of a word, counted in a few steps: the baseline build has no popcnt instruction,
// and std::popcount there is a library call.
constexpr Byte bit_count(Word v) {
    unsigned x = v;
    x -= (x >> 1) & 0x5555u;
    x = (x & 0x3333u) + ((x >> 2) & 0x3333u);
    x = (x + (x >> 4)) & 0x0F0Fu;
    return static_cast<Byte>((x + (x >> 8)) & 0x1Fu);
}
// Hamming distance between two words.
Byte rast(Word a, Word b);
// Position-by-position comparison of two strings aligned at their last characters, the shorter
// padded with '0' in front: '1' where they differ.
std::string xor_str(std::string_view st1, std::string_view st2);

}  // namespace tavolin
