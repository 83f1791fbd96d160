// SPDX-License-Identifier: GPL-3.0-or-later
// Sixteen lanes: AVX-512, compiled for these functions alone and run only where the processor
// has it, for the channel's and the source's draws.

#include <algorithm>
#include <bit>

#include "channel/lanes/avx512.h"
#include "channel/lanes/path_kernels.h"

// Only the functions defined from here on get these instruction sets.
#include "channel/lanes/target_avx512.h"

namespace tavolin::lanes {

using namespace avx512;

namespace {

// Sixteen words a block, word w in lane w: the draws of one bit position of all sixteen are one
// vector, and the bits they give are set in every lane at once. A short last block is loaded
// and stored under a mask. Only the thresholds some draw can pass are compared.
template <int Thresholds>
bool noise_blocks(const NoiseRows& r, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed) {
    const BlockJumps J = block_jumps(n0, static_cast<int>(kWidth));
    const __m512i row0_0 = splat(r.row0[0]), row0_1 = splat(r.row0[1]), row0_2 = splat(r.row0[2]);
    const __m512i row1_0 = splat(r.row1[0]), row1_1 = splat(r.row1[1]), row1_2 = splat(r.row1[2]);
    const __m512i low = splat(0xFFFF);
    auto state = static_cast<Cardinal>(seed);
    __m512i marks = _mm512_setzero_si512();
    for (std::size_t i = 0; i < inp.size(); i += kWidth) {
        const std::size_t words = std::min(kWidth, inp.size() - i);
        const auto in_block = static_cast<__mmask16>((1u << words) - 1);
        const __m512i sent =
            _mm512_and_si512(_mm512_maskz_loadu_epi32(in_block, inp.data() + i), low);
        const __m512i s = splat(state);
        // Bits low, marks high, as the word record holds them: a draw past threshold 0 sets the
        // bit, one past threshold 1 moves it to the mark, one past threshold 2 clears the mark.
        __m512i out = _mm512_setzero_si512();
        __m512i bit = splat(1), mark = splat(0x10000), both = splat(0x10001);
        for (int j = 0; j < n0; ++j) {
            const __m512i k = _mm512_add_epi32(_mm512_mullo_epi32(load(J.a[j]), s), load(J.c[j]));
            const __mmask16 one = _mm512_test_epi32_mask(sent, bit);
            const __mmask16 past0 =
                _mm512_cmpgt_epu32_mask(k, _mm512_mask_blend_epi32(one, row0_0, row1_0));
            out = _mm512_mask_or_epi32(out, past0, out, bit);
            if constexpr (Thresholds >= 2) {
                const __mmask16 past1 =
                    _mm512_cmpgt_epu32_mask(k, _mm512_mask_blend_epi32(one, row0_1, row1_1));
                out = _mm512_mask_xor_epi32(out, past1, out, both);
            }
            if constexpr (Thresholds == 3) {
                const __mmask16 past2 =
                    _mm512_cmpgt_epu32_mask(k, _mm512_mask_blend_epi32(one, row0_2, row1_2));
                out = _mm512_mask_xor_epi32(out, past2, out, mark);
            }
            bit = _mm512_slli_epi32(bit, 1);
            mark = _mm512_slli_epi32(mark, 1);
            both = _mm512_slli_epi32(both, 1);
        }
        _mm512_mask_storeu_epi32(outp.data() + i, in_block, out);
        marks = _mm512_mask_or_epi32(marks, in_block, marks, out);
        state = J.a[0][words - 1] * state + J.c[0][words - 1];
    }
    seed = static_cast<Integer>(state);
    return _mm512_test_epi32_mask(marks, splat(0xFFFF0000u)) != 0;
}

}  // namespace

bool noise_avx512(const NoiseRows& r, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed) {
    return with_passable_thresholds(
        r, [&](auto thresholds) { return noise_blocks<thresholds()>(r, n0, inp, outp, seed); });
}

// A symbol is the number of thresholds its draw passes: the thresholds rise, so that number is
// found by a binary search over them held in one register, five steps for up to sixteen. The
// symbols are counted afterwards, 64 bytes of the message at a time.
void draw_avx512(const SymbolThresholds& t, vectb& inp_s, vectc& counts, Integer& seed) {
    alignas(64) Cardinal a[kWidth], c[kWidth], sorted[kWidth];
    for (std::size_t j = 0; j < kWidth; ++j) {
        a[j] = kJumps.a[j + 1];
        c[j] = kJumps.c[j + 1];
        sorted[j] = j < static_cast<std::size_t>(t.count) ? t.t[j] : 0xFFFFFFFF;  // never passed
    }
    const __m512i A = load(a), C = load(c), thresholds = load(sorted);
    const __m512i last = splat(t.last), below = splat(static_cast<Cardinal>(t.below));
    auto state = static_cast<Cardinal>(seed);
    const std::size_t blocks = inp_s.size() / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const __m512i k = _mm512_add_epi32(_mm512_mullo_epi32(A, splat(state)), C);
        __m512i passed = _mm512_setzero_si512();
        for (Cardinal step : {8u, 4u, 2u, 1u}) {
            const __m512i probe = _mm512_add_epi32(passed, splat(step - 1));
            const __mmask16 past =
                _mm512_cmpgt_epu32_mask(k, _mm512_permutexvar_epi32(probe, thresholds));
            passed = _mm512_mask_add_epi32(passed, past, passed, splat(step));
        }
        // Past the first fifteen, the sixteenth decides alone.
        const __mmask16 past =
            _mm512_cmpgt_epu32_mask(k, _mm512_permutexvar_epi32(passed, thresholds));
        passed = _mm512_mask_add_epi32(passed, past, passed, splat(1));
        passed = _mm512_min_epu32(_mm512_add_epi32(passed, below), last);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(inp_s.data() + b * kWidth),
                         _mm512_cvtepi32_epi8(passed));
        state = kJumps.a[kWidth] * state + kJumps.c[kWidth];
    }
    seed = static_cast<Integer>(state);
    const std::size_t drawn = blocks * kWidth;
    for (std::size_t i = 0; i < drawn; i += 64) {
        const auto bytes = std::min<std::size_t>(64, drawn - i);
        const __mmask64 in_message = bytes == 64 ? ~__mmask64{0} : (__mmask64{1} << bytes) - 1;
        const __m512i symbols = _mm512_maskz_loadu_epi8(in_message, inp_s.data() + i);
        for (int v = 0; v <= t.last; ++v)
            counts[static_cast<std::size_t>(v)] +=
                static_cast<Count>(std::popcount(_mm512_mask_cmpeq_epi8_mask(
                    in_message, symbols, _mm512_set1_epi8(static_cast<char>(v)))));
    }
    draw_rest(t, inp_s.data() + drawn, inp_s.size() - drawn, counts, seed);
}

}  // namespace tavolin::lanes

#include "channel/lanes/target_end.h"
