// SPDX-License-Identifier: GPL-3.0-or-later
// The small pieces of four-lane SSE2 code, written once. SSE2 compares only signed lanes:
// unsigned comparisons are made signed by flipping the top bit of both sides (kSign).
#pragma once

#include <emmintrin.h>

#include "core/types.h"

namespace tavolin::lanes::sse2 {

inline constexpr std::size_t kWidth = 4;
inline constexpr Cardinal kSign = 0x80000000u;

inline __m128i splat(Cardinal v) {
    return _mm_set1_epi32(static_cast<int>(v));
}

inline __m128i load(const Cardinal* p) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(p));
}

// The top bit of every lane, lane j as bit j.
inline unsigned lane_bits(__m128i m) {
    return static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(m)));
}

// 32-bit products of four lanes by four: SSE2 multiplies only two lanes at a time.
inline __m128i multiply_lanes(__m128i a, __m128i s) {
    const __m128i even = _mm_mul_epu32(a, s);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(s, 32));
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                              _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
}

}  // namespace tavolin::lanes::sse2
