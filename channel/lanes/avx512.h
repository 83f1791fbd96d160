// SPDX-License-Identifier: GPL-3.0-or-later
// The small pieces of sixteen-lane AVX-512 code, written once and compiled for AVX-512 alone
// (the lane files that include them run only where the processor has it). Comparisons are
// unsigned and give bit masks.
#pragma once

#include <bit>

#include "channel/lanes/intrinsics.h"
#include "channel/lanes/target_avx512.h"
#include "core/types.h"

namespace tavolin::lanes::avx512 {

inline constexpr std::size_t kWidth = 16;

inline __m512i splat(Cardinal v) {
    return _mm512_set1_epi32(static_cast<int>(v));
}

// Sixteen values from 64-byte aligned memory.
inline __m512i load(const Cardinal* p) {
    return _mm512_load_si512(p);
}

// Sixteen words, bits in the low half of each lane and marks in the high half.
inline __m512i load_words(const enc_sym* p) {
    return _mm512_loadu_si512(p);
}

inline void store_words(enc_sym* p, __m512i v) {
    _mm512_storeu_si512(p, v);
}

// Sixteen symbols, one a lane.
inline __m512i symbols_at(const Byte* p) {
    return _mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

inline Count bits(__mmask16 m) {
    return static_cast<Count>(std::popcount(static_cast<unsigned>(m)));
}

}  // namespace tavolin::lanes::avx512

#include "channel/lanes/target_end.h"
