// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/bitstring.h"

#include <cstdint>

namespace tavolin {

std::string IntToBin(Cardinal value, Byte sz) {
    std::string s(sz, '0');
    for (std::size_t i = sz; i-- > 0; value /= 2)
        if (value & 1u) s[i] = '1';
    return s;
}

Cardinal BinToInt(std::string_view bin) {
    const std::size_t count = bin.size() % 256;  // lengths are counted in 8 bits
    std::uint64_t v = 0;                         // wraps like a signed 64-bit accumulator
    for (std::size_t i = 0; i < count; ++i)
        v = 2 * v + static_cast<std::uint64_t>(
                        static_cast<std::int64_t>(static_cast<unsigned char>(bin[i])) - '0');
    const auto sv = static_cast<std::int64_t>(v);
    const std::uint64_t magnitude = sv < 0 ? 0 - v : v;
    return static_cast<Cardinal>(magnitude);
}

bool Check_Str(std::string_view st) {
    if (st.empty()) return false;
    for (char c : st)
        if (c != '0' && c != '1') return false;
    return BinToInt(st) != 0;
}

Byte rast(Word a, Word b) {
    return bit_count(static_cast<Word>(a ^ b));
}

std::string xor_str(std::string_view st1, std::string_view st2) {
    const auto len1 = static_cast<Byte>(st1.size());
    const auto len2 = static_cast<Byte>(st2.size());
    const Byte width = len1 > len2 ? len1 : len2;
    std::string a(st1.substr(0, len1)), b(st2.substr(0, len2));
    if (a.size() < width) a.insert(0, width - a.size(), '0');
    if (b.size() < width) b.insert(0, width - b.size(), '0');
    std::string out(width, '0');
    for (std::size_t i = 0; i < width; ++i) out[i] = a[i] == b[i] ? '0' : '1';
    return out;
}

}  // namespace tavolin
