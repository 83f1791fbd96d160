// SPDX-License-Identifier: GPL-3.0-or-later
// Eight lanes: AVX2, compiled for these functions alone and run only where the processor has
// it, for the channel's and the source's draws.

#include <algorithm>
#include <cstring>

#include "channel/lanes/avx2.h"
#include "channel/lanes/path_kernels.h"

// Only the functions defined from here on get these instruction sets.
#include "channel/lanes/target_avx2.h"

namespace tavolin::lanes {

using namespace avx2;

namespace {

// Eight words a block, word w in lane w: the draws of one bit position of all eight are one
// vector. A short last block is loaded and stored under a lane mask. Only the thresholds some
// draw can pass are compared.
template <int Thresholds>
bool noise_blocks(const NoiseRows& r, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed) {
    const BlockJumps J = block_jumps(n0, static_cast<int>(kWidth));
    __m256i row0[3], row1[3];
    for (std::size_t t = 0; t < 3; ++t) {
        row0[t] = splat(r.row0[t] ^ kSign);
        row1[t] = splat(r.row1[t] ^ kSign);
    }
    const __m256i sign = splat(kSign), low = splat(0xFFFF);
    const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    auto state = static_cast<Cardinal>(seed);
    __m256i marks = _mm256_setzero_si256();
    for (std::size_t i = 0; i < inp.size(); i += kWidth) {
        const std::size_t words = std::min(kWidth, inp.size() - i);
        const __m256i in_block = _mm256_cmpgt_epi32(splat(static_cast<Cardinal>(words)), lane);
        const auto* in = reinterpret_cast<const int*>(inp.data() + i);
        const __m256i sent = _mm256_and_si256(_mm256_maskload_epi32(in, in_block), low);
        const __m256i s = splat(state);
        // Bits low, marks high, as the word record holds them: a draw past threshold 0 sets the
        // bit, one past threshold 1 moves it to the mark, one past threshold 2 clears the mark.
        __m256i out = _mm256_setzero_si256();
        __m256i bit = splat(1), mark = splat(0x10000), both = splat(0x10001);
        for (int j = 0; j < n0; ++j) {
            const __m256i k = _mm256_xor_si256(
                _mm256_add_epi32(_mm256_mullo_epi32(load(J.a[j]), s), load(J.c[j])), sign);
            const __m256i one = _mm256_cmpeq_epi32(_mm256_and_si256(sent, bit), bit);
            const __m256i past0 = _mm256_cmpgt_epi32(k, _mm256_blendv_epi8(row0[0], row1[0], one));
            out = _mm256_or_si256(out, _mm256_and_si256(past0, bit));
            if constexpr (Thresholds >= 2) {
                const __m256i past1 =
                    _mm256_cmpgt_epi32(k, _mm256_blendv_epi8(row0[1], row1[1], one));
                out = _mm256_xor_si256(out, _mm256_and_si256(past1, both));
            }
            if constexpr (Thresholds == 3) {
                const __m256i past2 =
                    _mm256_cmpgt_epi32(k, _mm256_blendv_epi8(row0[2], row1[2], one));
                out = _mm256_xor_si256(out, _mm256_and_si256(past2, mark));
            }
            bit = _mm256_slli_epi32(bit, 1);
            mark = _mm256_slli_epi32(mark, 1);
            both = _mm256_slli_epi32(both, 1);
        }
        _mm256_maskstore_epi32(reinterpret_cast<int*>(outp.data() + i), in_block, out);
        marks = _mm256_or_si256(marks, _mm256_and_si256(out, in_block));
        state = J.a[0][words - 1] * state + J.c[0][words - 1];
    }
    seed = static_cast<Integer>(state);
    return !_mm256_testz_si256(marks, splat(0xFFFF0000u));
}

}  // namespace

bool noise_avx2(const NoiseRows& r, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed) {
    return with_passable_thresholds(
        r, [&](auto thresholds) { return noise_blocks<thresholds()>(r, n0, inp, outp, seed); });
}

void draw_avx2(const SymbolThresholds& t, vectb& inp_s, vectc& counts, Integer& seed) {
    alignas(32) Cardinal a[kWidth], c[kWidth];
    for (std::size_t j = 0; j < kWidth; ++j) {
        a[j] = kJumps.a[j + 1];
        c[j] = kJumps.c[j + 1];
    }
    const __m256i A = load(a), C = load(c), sign = splat(kSign), last = splat(t.last);
    __m256i thresholds[DrawTable::kMax];
    for (int j = 0; j < t.count; ++j) thresholds[j] = splat(t.t[j] ^ kSign);
    __m256i passes[DrawTable::kMax];
    for (int j = 0; j < t.count; ++j) passes[j] = _mm256_setzero_si256();
    auto state = static_cast<Cardinal>(seed);
    const std::size_t blocks = inp_s.size() / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const __m256i k =
            _mm256_xor_si256(_mm256_add_epi32(_mm256_mullo_epi32(A, splat(state)), C), sign);
        __m256i passed = splat(static_cast<Cardinal>(t.below));
        for (int j = 0; j < t.count; ++j) {
            const __m256i past = _mm256_cmpgt_epi32(k, thresholds[j]);
            passed = _mm256_sub_epi32(passed, past);
            passes[j] = _mm256_sub_epi32(passes[j], past);
        }
        passed = _mm256_min_epu32(passed, last);
        // The low byte of each lane, in lane order, to the message.
        const __m256i bytes = _mm256_shuffle_epi8(
            passed, _mm256_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0,
                                     4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1));
        const auto low = static_cast<std::uint32_t>(_mm256_extract_epi32(bytes, 0));
        const auto high = static_cast<std::uint32_t>(_mm256_extract_epi32(bytes, 4));
        const std::uint64_t eight = low | (std::uint64_t{high} << 32);
        std::memcpy(inp_s.data() + b * kWidth, &eight, sizeof eight);
        state = kJumps.a[kWidth] * state + kJumps.c[kWidth];
    }
    Count passes_of[DrawTable::kMax];
    for (int j = 0; j < t.count; ++j) {
        alignas(32) Cardinal lanes[kWidth];
        _mm256_store_si256(reinterpret_cast<__m256i*>(lanes), passes[j]);
        passes_of[j] = 0;
        for (Cardinal v : lanes) passes_of[j] += v;
    }
    count_symbols(t, passes_of, blocks * kWidth, counts);
    seed = static_cast<Integer>(state);
    draw_rest(t, inp_s.data() + blocks * kWidth, inp_s.size() - blocks * kWidth, counts, seed);
}

}  // namespace tavolin::lanes

#include "channel/lanes/target_end.h"
