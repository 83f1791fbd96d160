// Eight lanes: AVX2, compiled for these functions alone and run only where the processor has
// it. Unsigned comparisons are made signed by flipping the top bit of both sides.
#include <immintrin.h>

#include "channel/lane_kernels.h"

#pragma GCC push_options
#pragma GCC target("avx2")

namespace tavolin::lanes {

namespace {

constexpr Cardinal kSign = 0x80000000u;

__m256i splat(Cardinal v) {
    return _mm256_set1_epi32(static_cast<int>(v));
}

__m256i load(const Cardinal* p) {
    return _mm256_load_si256(reinterpret_cast<const __m256i*>(p));
}

unsigned lane_bits(__m256i m) {
    return static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(m)));
}

struct NoiseSetup {
    __m256i row0[3], row1[3];              // thresholds, top bit flipped
    __m256i jump_a[2], jump_c[2], bit[2];  // per group of eight bit positions
};

NoiseSetup noise_setup(const NoiseRows& r, Byte n0) {
    NoiseSetup L{};
    for (std::size_t i = 0; i < 3; ++i) {
        L.row0[i] = splat(r.row0[i] ^ kSign);
        L.row1[i] = splat(r.row1[i] ^ kSign);
    }
    // Lane j of group g is bit position 8g + j, sent as draw n0 - 1 - (8g + j) of the word.
    for (int g = 0; g < 2; ++g) {
        alignas(32) Cardinal a[8], c[8], m[8];
        for (int j = 0; j < 8; ++j) {
            const int pos = 8 * g + j, draw = n0 - 1 - pos;
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
void noise_groups(const NoiseSetup& L, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed) {
    const __m256i sign = splat(kSign);
    const unsigned word_mask = (1u << n0) - 1;
    const Cardinal word_a = kJumps.a[n0], word_c = kJumps.c[n0];
    auto state = static_cast<Cardinal>(seed);
    for (std::size_t i = 0; i < inp.size(); ++i) {
        const __m256i s = splat(state);
        const __m256i sent = splat(inp[i].inv);
        unsigned inv = 0, stir = 0;
        for (int g = 0; g < Groups; ++g) {
            const __m256i k = _mm256_xor_si256(
                _mm256_add_epi32(_mm256_mullo_epi32(L.jump_a[g], s), L.jump_c[g]), sign);
            const __m256i one = _mm256_cmpeq_epi32(_mm256_and_si256(sent, L.bit[g]), L.bit[g]);
            const __m256i past0 =
                _mm256_cmpgt_epi32(k, _mm256_blendv_epi8(L.row0[0], L.row1[0], one));
            const __m256i past1 =
                _mm256_cmpgt_epi32(k, _mm256_blendv_epi8(L.row0[1], L.row1[1], one));
            const __m256i past2 =
                _mm256_cmpgt_epi32(k, _mm256_blendv_epi8(L.row0[2], L.row1[2], one));
            inv |= lane_bits(_mm256_xor_si256(past0, past1)) << (8 * g);
            stir |= lane_bits(_mm256_xor_si256(past1, past2)) << (8 * g);
        }
        outp[i] = {static_cast<Word>(inv & word_mask), static_cast<Word>(stir & word_mask)};
        state = word_a * state + word_c;
    }
    seed = static_cast<Integer>(state);
}

}  // namespace

void noise_avx2(const NoiseRows& r, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed) {
    const NoiseSetup L = noise_setup(r, n0);
    if (n0 <= 8)
        noise_groups<1>(L, n0, inp, outp, seed);
    else
        noise_groups<2>(L, n0, inp, outp, seed);
}

void draw_avx2(const SymbolThresholds& t, vectb& inp_s, vectc& counts, Integer& seed) {
    constexpr std::size_t kWidth = 8;
    alignas(32) Cardinal a[kWidth], c[kWidth];
    for (std::size_t j = 0; j < kWidth; ++j) {
        a[j] = kJumps.a[j + 1];
        c[j] = kJumps.c[j + 1];
    }
    const __m256i A = load(a), C = load(c), sign = splat(kSign), last = splat(t.last);
    __m256i thresholds[DrawTable::kMax];
    for (int j = 0; j < t.count; ++j) thresholds[j] = splat(t.t[j] ^ kSign);
    auto state = static_cast<Cardinal>(seed);
    const std::size_t blocks = inp_s.size() / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const __m256i k =
            _mm256_xor_si256(_mm256_add_epi32(_mm256_mullo_epi32(A, splat(state)), C), sign);
        __m256i passed = splat(static_cast<Cardinal>(t.below));
        for (int j = 0; j < t.count; ++j)
            passed = _mm256_sub_epi32(passed, _mm256_cmpgt_epi32(k, thresholds[j]));
        passed = _mm256_min_epu32(passed, last);
        alignas(32) Cardinal s[kWidth];
        _mm256_store_si256(reinterpret_cast<__m256i*>(s), passed);
        Byte* out = inp_s.data() + b * kWidth;
        for (std::size_t j = 0; j < kWidth; ++j) {
            out[j] = static_cast<Byte>(s[j]);
            ++counts[s[j]];
        }
        state = kJumps.a[kWidth] * state + kJumps.c[kWidth];
    }
    seed = static_cast<Integer>(state);
    draw_rest(t, inp_s.data() + blocks * kWidth, inp_s.size() - blocks * kWidth, counts, seed);
}

}  // namespace tavolin::lanes

#pragma GCC pop_options
