// Sixteen lanes: AVX-512, compiled for these functions alone and run only where the processor
// has it. A word of up to 16 bits is one vector; comparisons are unsigned and give bit masks.
// GCC 12's own AVX-512 headers fill unused results from _mm512_undefined_*(), which it then
// reports as maybe uninitialized (GCC bug 105593): silenced for these intrinsics alone.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop

#include <bit>

#include "channel/lane_kernels.h"

#pragma GCC push_options
#pragma GCC target("avx512f,avx512bw,avx512vl")

namespace tavolin::lanes {

namespace {

constexpr std::size_t kWidth = 16;

__m512i splat(Cardinal v) {
    return _mm512_set1_epi32(static_cast<int>(v));
}

__m512i load(const Cardinal* p) {
    return _mm512_load_si512(p);
}

}  // namespace

namespace {

// Words of up to eight bits two to a vector: lanes 0 to 7 hold a word's bits, lanes 8 to 15
// the next word's, whose draws come n0 steps later.
void noise_pairs(const NoiseRows& r, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed) {
    alignas(64) Cardinal a[kWidth], c[kWidth], m[kWidth];
    for (int lane = 0; lane < static_cast<int>(kWidth); ++lane) {
        const int pos = lane % 8, word = lane / 8, draw = word * n0 + n0 - 1 - pos;
        a[lane] = pos < n0 ? kJumps.a[draw + 1] : 0;
        c[lane] = pos < n0 ? kJumps.c[draw + 1] : 0;
        m[lane] = pos < n0 ? 1u << lane : 0;
    }
    const __m512i A = load(a), C = load(c), bit = load(m);
    const __m512i row0_0 = splat(r.row0[0]), row0_1 = splat(r.row0[1]), row0_2 = splat(r.row0[2]);
    const __m512i row1_0 = splat(r.row1[0]), row1_1 = splat(r.row1[1]), row1_2 = splat(r.row1[2]);
    const Cardinal pair_a = kJumps.a[2 * n0], pair_c = kJumps.c[2 * n0];
    auto state = static_cast<Cardinal>(seed);
    const std::size_t pairs = inp.size() / 2;
    for (std::size_t p = 0; p < pairs; ++p) {
        const std::size_t i = 2 * p;
        const __m512i k = _mm512_add_epi32(_mm512_mullo_epi32(A, splat(state)), C);
        const auto sent = static_cast<Cardinal>(inp[i].inv | (inp[i + 1].inv << 8));
        const __mmask16 one = _mm512_test_epi32_mask(splat(sent), bit);
        const __mmask16 past0 =
            _mm512_cmpgt_epu32_mask(k, _mm512_mask_blend_epi32(one, row0_0, row1_0));
        const __mmask16 past1 =
            _mm512_cmpgt_epu32_mask(k, _mm512_mask_blend_epi32(one, row0_1, row1_1));
        const __mmask16 past2 =
            _mm512_cmpgt_epu32_mask(k, _mm512_mask_blend_epi32(one, row0_2, row1_2));
        const auto inv = static_cast<unsigned>(past0 ^ past1);
        const auto stir = static_cast<unsigned>(past1 ^ past2);
        outp[i] = {static_cast<Word>(inv & 0xFFu), static_cast<Word>(stir & 0xFFu)};
        outp[i + 1] = {static_cast<Word>(inv >> 8), static_cast<Word>(stir >> 8)};
        state = pair_a * state + pair_c;
    }
    seed = static_cast<Integer>(state);
}

}  // namespace

void noise_avx512(const NoiseRows& r, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed) {
    if (n0 <= 8 && inp.size() >= 2) {
        noise_pairs(r, n0, inp, outp, seed);
        if (inp.size() % 2 == 0) return;
        // The odd last word goes through the one-word loop.
        const vectenc last(inp.end() - 1, inp.end());
        vectenc out(1);
        noise_avx512(r, n0, last, out, seed);
        outp[inp.size() - 1] = out[0];
        return;
    }
    // Lane j is bit position j, sent as draw n0 - 1 - j of the word; lanes past n0 stay empty.
    alignas(64) Cardinal a[kWidth], c[kWidth], m[kWidth];
    for (int pos = 0; pos < static_cast<int>(kWidth); ++pos) {
        const int draw = n0 - 1 - pos;
        a[pos] = pos < n0 ? kJumps.a[draw + 1] : 0;
        c[pos] = pos < n0 ? kJumps.c[draw + 1] : 0;
        m[pos] = pos < n0 ? 1u << pos : 0;
    }
    const __m512i A = load(a), C = load(c), bit = load(m);
    const __m512i row0_0 = splat(r.row0[0]), row0_1 = splat(r.row0[1]), row0_2 = splat(r.row0[2]);
    const __m512i row1_0 = splat(r.row1[0]), row1_1 = splat(r.row1[1]), row1_2 = splat(r.row1[2]);
    const Cardinal word_a = kJumps.a[n0], word_c = kJumps.c[n0];
    auto state = static_cast<Cardinal>(seed);
    for (std::size_t i = 0; i < inp.size(); ++i) {
        const __m512i k = _mm512_add_epi32(_mm512_mullo_epi32(A, splat(state)), C);
        const __mmask16 one = _mm512_test_epi32_mask(splat(inp[i].inv), bit);
        const __mmask16 past0 =
            _mm512_cmpgt_epu32_mask(k, _mm512_mask_blend_epi32(one, row0_0, row1_0));
        const __mmask16 past1 =
            _mm512_cmpgt_epu32_mask(k, _mm512_mask_blend_epi32(one, row0_1, row1_1));
        const __mmask16 past2 =
            _mm512_cmpgt_epu32_mask(k, _mm512_mask_blend_epi32(one, row0_2, row1_2));
        // Output 1: past threshold 0 but not 1; output 2: past 1 but not 2. Lanes past n0
        // draw k = 0, which passes nothing.
        outp[i] = {static_cast<Word>(past0 ^ past1), static_cast<Word>(past1 ^ past2)};
        state = word_a * state + word_c;
    }
    seed = static_cast<Integer>(state);
}

void draw_avx512(const SymbolThresholds& t, vectb& inp_s, vectc& counts, Integer& seed) {
    alignas(64) Cardinal a[kWidth], c[kWidth];
    for (std::size_t j = 0; j < kWidth; ++j) {
        a[j] = kJumps.a[j + 1];
        c[j] = kJumps.c[j + 1];
    }
    const __m512i A = load(a), C = load(c), last = splat(t.last), one = splat(1);
    __m512i thresholds[DrawTable::kMax];
    for (int j = 0; j < t.count; ++j) thresholds[j] = splat(t.t[j]);
    __m512i symbol[DrawTable::kMax];
    for (int v = 0; v <= t.last; ++v) symbol[v] = splat(static_cast<Cardinal>(v));
    auto state = static_cast<Cardinal>(seed);
    const std::size_t blocks = inp_s.size() / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const __m512i k = _mm512_add_epi32(_mm512_mullo_epi32(A, splat(state)), C);
        __m512i passed = splat(static_cast<Cardinal>(t.below));
        for (int j = 0; j < t.count; ++j)
            passed = _mm512_mask_add_epi32(passed, _mm512_cmpgt_epu32_mask(k, thresholds[j]),
                                           passed, one);
        passed = _mm512_min_epu32(passed, last);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(inp_s.data() + b * kWidth),
                         _mm512_cvtepi32_epi8(passed));
        // The block's symbol counts, one comparison per symbol of the alphabet.
        for (int v = 0; v <= t.last; ++v)
            counts[static_cast<std::size_t>(v)] += static_cast<Count>(
                std::popcount(static_cast<unsigned>(_mm512_cmpeq_epi32_mask(passed, symbol[v]))));
        state = kJumps.a[kWidth] * state + kJumps.c[kWidth];
    }
    seed = static_cast<Integer>(state);
    draw_rest(t, inp_s.data() + blocks * kWidth, inp_s.size() - blocks * kWidth, counts, seed);
}

}  // namespace tavolin::lanes

#pragma GCC pop_options
