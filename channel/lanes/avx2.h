// SPDX-License-Identifier: GPL-3.0-or-later
// The small pieces of eight-lane AVX2 code, written once and compiled for AVX2 alone (the lane
// files that include them run only where the processor has it). AVX2 compares only signed
// lanes: unsigned comparisons are made signed by flipping the top bit of both sides (kSign).
#pragma once

#include <bit>

#include "channel/lanes/intrinsics.h"
#include "channel/lanes/target_avx2.h"
#include "core/types.h"

namespace tavolin::lanes::avx2 {

inline constexpr std::size_t kWidth = 8;
inline constexpr Cardinal kSign = 0x80000000u;

inline __m256i splat(Cardinal v) {
    return _mm256_set1_epi32(static_cast<int>(v));
}

// Eight values from 32-byte aligned memory.
inline __m256i load(const Cardinal* p) {
    return _mm256_load_si256(reinterpret_cast<const __m256i*>(p));
}

// Eight words, bits in the low half of each lane and marks in the high half.
inline __m256i load_words(const enc_sym* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

inline void store_words(enc_sym* p, __m256i v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

// Eight symbols, one a lane.
inline __m256i symbols_at(const Byte* p) {
    return _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)));
}

// The top bit of every lane, lane j as bit j: the lanes a comparison holds in.
inline unsigned lane_bits(__m256i m) {
    return static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(m)));
}

inline unsigned equal_lanes(__m256i a, __m256i b) {
    return lane_bits(_mm256_cmpeq_epi32(a, b));
}

inline Count bits(unsigned m) {
    return static_cast<Count>(std::popcount(m));
}

}  // namespace tavolin::lanes::avx2

#include "channel/lanes/target_end.h"
