#include "channel/noise.h"

#include <cassert>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/random.h"
#include "codes/bitstring.h"

namespace tavolin {

namespace {

#if defined(__SSE2__)

// Four bits of a word at a time: their draws are independent jumps from the word's start state,
// so they are made, compared and turned into output bits side by side. Each row is three
// thresholds; the output for draw k is the number of thresholds below k, which is `gen`'s first
// index with t >= k when the running totals never decrease. A threshold at or above the largest
// draw is never passed, so a row of two columns has a third that is never passed: past its last
// column is 2 there, as in `gen`, and 3 (nothing set) for a row of three.

// 32-bit products of four lanes by one value: SSE2 multiplies only two lanes at a time.
inline __m128i multiply_lanes(__m128i a, __m128i s) {
    const __m128i even = _mm_mul_epu32(a, s);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(s, 32));
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                              _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
}

// Whether every threshold of both rows fits the four-lane form: no negative running total.
bool fits_lanes(const DrawTable (&rows)[2]) {
    for (const DrawTable& r : rows)
        if (!r.monotone() || r.size() > 3 || (r.size() > 0 && r.threshold(0) < 0)) return false;
    return true;
}

// The per-run constants of the four-lane kernel.
struct LaneSetup {
    __m128i base[3], diff[3];              // thresholds of row 0 (top bit flipped), row 0 xor row 1
    __m128i jump_a[4], jump_c[4], bit[4];  // per group of four bits
    unsigned word_mask;
    Cardinal word_a, word_c;  // the jump over a whole word
};

LaneSetup lane_setup(const DrawTable (&rows)[2], Byte n0) {
    LaneSetup L{};
    // Thresholds as unsigned 32-bit values, compared signed after flipping the top bit.
    const auto lane_threshold = [](const DrawTable& row, std::size_t i) -> Cardinal {
        if (i >= row.size() || row.threshold(i) >= 0xFFFFFFFF) return 0xFFFFFFFF;
        return static_cast<Cardinal>(row.threshold(i));
    };
    for (std::size_t i = 0; i < 3; ++i) {
        const Cardinal t0 = lane_threshold(rows[0], i), t1 = lane_threshold(rows[1], i);
        L.base[i] = _mm_set1_epi32(static_cast<int>(t0 ^ 0x80000000u));
        L.diff[i] = _mm_set1_epi32(static_cast<int>(t0 ^ t1));
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
        L.jump_a[g] = _mm_load_si128(reinterpret_cast<const __m128i*>(a));
        L.jump_c[g] = _mm_load_si128(reinterpret_cast<const __m128i*>(c));
        L.bit[g] = _mm_load_si128(reinterpret_cast<const __m128i*>(m));
    }
    L.word_mask = (1u << n0) - 1;
    L.word_a = kJumps.a[n0];
    L.word_c = kJumps.c[n0];
    return L;
}

// Groups of four bits per word, and whether any row's third threshold can be passed.
template <int Groups, bool Third>
void noise_lanes(const LaneSetup& L, const vectenc& inp, vectenc& outp, Integer& seed) {
    const __m128i sign = _mm_set1_epi32(static_cast<int>(0x80000000u));
    auto state = static_cast<Cardinal>(seed);
    for (std::size_t i = 0; i < inp.size(); ++i) {
        const __m128i s = _mm_set1_epi32(static_cast<int>(state));
        const __m128i sent = _mm_set1_epi32(inp[i].inv);
        unsigned inv = 0, stir = 0;
        for (int g = 0; g < Groups; ++g) {
            const __m128i k =
                _mm_xor_si128(_mm_add_epi32(multiply_lanes(L.jump_a[g], s), L.jump_c[g]), sign);
            // All ones in the lanes whose sent bit is 1: their thresholds are row 1's.
            const __m128i one = _mm_cmpeq_epi32(_mm_and_si128(sent, L.bit[g]), L.bit[g]);
            auto past = [&](int t) {
                return _mm_cmpgt_epi32(k, _mm_xor_si128(L.base[t], _mm_and_si128(L.diff[t], one)));
            };
            const __m128i past0 = past(0), past1 = past(1);
            const __m128i past2 = Third ? past(2) : _mm_setzero_si128();
            // Output 1: past threshold 0 but not 1; output 2: past 1 but not 2.
            const auto bits = [](__m128i m) {
                return static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(m)));
            };
            inv |= bits(_mm_xor_si128(past0, past1)) << (4 * g);
            stir |= bits(_mm_xor_si128(past1, past2)) << (4 * g);
        }
        outp[i] = {static_cast<Word>(inv & L.word_mask), static_cast<Word>(stir & L.word_mask)};
        state = L.word_a * state + L.word_c;
    }
    seed = static_cast<Integer>(state);
}

using LaneKernel = void (*)(const LaneSetup&, const vectenc&, vectenc&, Integer&);

// kLaneKernels[third][groups - 1]
constexpr LaneKernel kLaneKernels[2][4] = {
    {noise_lanes<1, false>, noise_lanes<2, false>, noise_lanes<3, false>, noise_lanes<4, false>},
    {noise_lanes<1, true>, noise_lanes<2, true>, noise_lanes<3, true>, noise_lanes<4, true>}};

void noise_lanes(const DrawTable (&rows)[2], Byte n0, const vectenc& inp, vectenc& outp,
                 Integer& seed) {
    const LaneSetup L = lane_setup(rows, n0);
    bool third = false;
    for (const DrawTable& r : rows) third |= r.size() > 2 && r.threshold(2) < 0xFFFFFFFF;
    kLaneKernels[third][(n0 + 3) / 4 - 1](L, inp, outp, seed);
}

#endif

void noise_general(const DrawTable (&rows)[2], Byte n0, const vectenc& inp, vectenc& outp,
                   Integer& seed) {
    const Word top = static_cast<Word>(1u << (n0 - 1));
    for (std::size_t i = 0; i < inp.size(); ++i) {
        Word inv = 0, stir = 0;
        for (Word mask = top; mask != 0; mask >>= 1) {
            const Byte r = rows[n_and(inp[i].inv, mask)].pick(next_state(seed));
            if (r == 1)
                inv |= mask;
            else if (r == 2)
                stir |= mask;
        }
        outp[i] = {inv, stir};
    }
}

}  // namespace

void noise(SimState& st, const vectenc& inp, vectenc& outp, const matr& v_is) {
    assert(outp.size() >= inp.size() && v_is.size() == 2 && st.n0 >= 1 && st.n0 <= 16);
    const DrawTable rows[2] = {DrawTable(v_is[0]), DrawTable(v_is[1])};
    Integer seed = st.seed2;
#if defined(__SSE2__)
    if (fits_lanes(rows))
        noise_lanes(rows, st.n0, inp, outp, seed);
    else
        noise_general(rows, st.n0, inp, outp, seed);
#else
    noise_general(rows, st.n0, inp, outp, seed);
#endif
    if (!inp.empty()) st.RandSeed = seed;
    st.seed2 = seed;
}

Extended veroyatn(Word a, Word b, Byte sz, const matr& v_isk) {
    Extended p = 1.0L;
    for (Word mask = static_cast<Word>(1u << (sz - 1)); mask != 0; mask >>= 1)
        p *= v_isk[n_and(a, mask)][n_and(b, mask)];
    return p;
}

}  // namespace tavolin
