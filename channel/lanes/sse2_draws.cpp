// SPDX-License-Identifier: GPL-3.0-or-later
// Four lanes: SSE2, which every x86-64 processor has, for the channel's and the source's draws.

#include "channel/lanes/path_kernels.h"
#include "channel/lanes/sse2.h"

namespace tavolin::lanes {

using namespace sse2;

namespace {

// The per-run constants: thresholds of row 0 (top bit flipped) and row 0 xor row 1, and per
// group of four bit positions the jumps to their draws and their bit masks.
struct NoiseSetup {
    __m128i base[3], diff[3];
    __m128i jump_a[4], jump_c[4], bit[4];
};

NoiseSetup noise_setup(const NoiseRows& r, Byte n0) {
    NoiseSetup L{};
    for (std::size_t i = 0; i < 3; ++i) {
        L.base[i] = splat(r.row0[i] ^ kSign);
        L.diff[i] = splat(r.row0[i] ^ r.row1[i]);
    }
    // Lane j of group g is bit position 4g + j, sent as draw n0 - 1 - (4g + j) of the word.
    for (int g = 0; g < 4; ++g) {
        alignas(16) Cardinal a[4], c[4], m[4];
        for (int j = 0; j < 4; ++j) {
            const int pos = 4 * g + j, draw = n0 - 1 - pos;
            a[j] = pos < n0 ? kJumps.a[draw + 1] : 0;
            c[j] = pos < n0 ? kJumps.c[draw + 1] : 0;
            m[j] = pos < n0 ? 1u << pos : 0;
        }
        L.jump_a[g] = load(a);
        L.jump_c[g] = load(c);
        L.bit[g] = load(m);
    }
    return L;
}

template <int Groups>
bool noise_groups(const NoiseSetup& L, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed) {
    const __m128i sign = splat(kSign);
    const unsigned word_mask = (1u << n0) - 1;
    const Cardinal word_a = kJumps.a[n0], word_c = kJumps.c[n0];
    auto state = static_cast<Cardinal>(seed);
    unsigned marks = 0;
    for (std::size_t i = 0; i < inp.size(); ++i) {
        const __m128i s = splat(state);
        const __m128i sent = splat(inp[i].inv);
        unsigned inv = 0, stir = 0;
        for (int g = 0; g < Groups; ++g) {
            const __m128i k =
                _mm_xor_si128(_mm_add_epi32(multiply_lanes(L.jump_a[g], s), L.jump_c[g]), sign);
            // All ones in the lanes whose sent bit is 1: their thresholds are row 1's.
            const __m128i one = _mm_cmpeq_epi32(_mm_and_si128(sent, L.bit[g]), L.bit[g]);
            __m128i past[3];
            for (int t = 0; t < 3; ++t)
                past[t] =
                    _mm_cmpgt_epi32(k, _mm_xor_si128(L.base[t], _mm_and_si128(L.diff[t], one)));
            // Output 1: past threshold 0 but not 1; output 2: past 1 but not 2.
            inv |= lane_bits(_mm_xor_si128(past[0], past[1])) << (4 * g);
            stir |= lane_bits(_mm_xor_si128(past[1], past[2])) << (4 * g);
        }
        outp[i] = {static_cast<Word>(inv & word_mask), static_cast<Word>(stir & word_mask)};
        marks |= stir & word_mask;
        state = word_a * state + word_c;
    }
    seed = static_cast<Integer>(state);
    return marks != 0;
}

}  // namespace

bool noise_sse2(const NoiseRows& r, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed) {
    const NoiseSetup L = noise_setup(r, n0);
    switch ((n0 + 3) / 4) {
        case 1:
            return noise_groups<1>(L, n0, inp, outp, seed);
        case 2:
            return noise_groups<2>(L, n0, inp, outp, seed);
        case 3:
            return noise_groups<3>(L, n0, inp, outp, seed);
        default:
            return noise_groups<4>(L, n0, inp, outp, seed);
    }
}

void draw_sse2(const SymbolThresholds& t, vectb& inp_s, vectc& counts, Integer& seed) {
    alignas(16) Cardinal a[kWidth], c[kWidth];
    for (std::size_t j = 0; j < kWidth; ++j) {
        a[j] = kJumps.a[j + 1];
        c[j] = kJumps.c[j + 1];
    }
    const __m128i A = load(a), C = load(c), sign = splat(kSign), last = splat(t.last);
    __m128i thresholds[DrawTable::kMax];
    for (int j = 0; j < t.count; ++j) thresholds[j] = splat(t.t[j] ^ kSign);
    auto state = static_cast<Cardinal>(seed);
    const std::size_t blocks = inp_s.size() / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const __m128i k = _mm_xor_si128(_mm_add_epi32(multiply_lanes(A, splat(state)), C), sign);
        __m128i passed = splat(static_cast<Cardinal>(t.below));
        for (int j = 0; j < t.count; ++j)
            passed = _mm_sub_epi32(passed, _mm_cmpgt_epi32(k, thresholds[j]));
        const __m128i over = _mm_cmpgt_epi32(passed, last);
        passed = _mm_or_si128(_mm_and_si128(over, last), _mm_andnot_si128(over, passed));
        alignas(16) Cardinal s[kWidth];
        _mm_store_si128(reinterpret_cast<__m128i*>(s), passed);
        for (std::size_t j = 0; j < kWidth; ++j) {
            inp_s[b * kWidth + j] = static_cast<Byte>(s[j]);
            ++counts[s[j]];
        }
        state = kJumps.a[kWidth] * state + kJumps.c[kWidth];
    }
    seed = static_cast<Integer>(state);
    draw_rest(t, inp_s.data() + blocks * kWidth, inp_s.size() - blocks * kWidth, counts, seed);
}

}  // namespace tavolin::lanes
