#include "channel/noise.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <limits>
#include <utility>

#include "channel/random.h"
#include "codes/bitstring.h"

namespace tavolin {

namespace {

// One channel row as three bounds: the output for draw k is the number of bounds at or below k,
// which is `gen`'s first index with t >= k when the running totals never decrease (bound =
// threshold + 1). A row of two columns gets a third bound past every draw, so "past the last
// column" is 2 there, as in `gen`, and 3 (nothing set) for a row of three.
struct RowBounds {
    std::uint64_t b[3];
};

constexpr std::uint64_t kPastEveryDraw = std::uint64_t{1} << 32;

RowBounds bounds_of(const DrawTable& row) {
    RowBounds r{};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::int64_t t = i < row.size() ? row.threshold(i) : kPastEveryDraw;
        r.b[i] = static_cast<std::uint64_t>(std::clamp<std::int64_t>(t + 1, 0, kPastEveryDraw));
    }
    return r;
}

// How many of a row's bounds some draw can reach: usually one for an inversion channel, two for
// an erasure channel. The kernel skips the comparisons that can never succeed.
int reachable(const RowBounds& r) {
    int n = 0;
    for (int i = 0; i < 3; ++i)
        if (r.b[i] < kPastEveryDraw) n = i + 1;
    return n;
}

// The word length is a template argument so that the bit loop unrolls with constant jumps and
// positions; one kernel per length and number of reachable bounds.
template <int Reachable, int N0>
void noise_branch_free(const RowBounds (&rows)[2], const vectenc& inp, vectenc& outp,
                       Integer& seed) {
    // Per bound, the sent-0 value and the difference to the sent-1 value: a bound is selected by
    // masking, since a branch on the sent bit would be mispredicted half the time.
    std::uint64_t base[3], diff[3];
    for (int j = 0; j < 3; ++j) {
        base[j] = rows[0].b[j];
        diff[j] = rows[0].b[j] ^ rows[1].b[j];
    }
    auto state = static_cast<Cardinal>(seed);
    for (std::size_t i = 0; i < inp.size(); ++i) {
        const unsigned sent = inp[i].inv;
        unsigned inv = 0, stir = 0;
        // Every bit's draw comes from the word's start state by a jump, not from the bit before.
#pragma GCC unroll 16
        for (int b = 0; b < N0; ++b) {
            const std::uint64_t k = kJumps.a[b + 1] * state + kJumps.c[b + 1];
            const int pos = N0 - 1 - b;
            const std::uint64_t one = 0 - static_cast<std::uint64_t>((sent >> pos) & 1u);
            // Output 1 is "past bound 0 but not bound 1", output 2 "past 1 but not 2".
            const unsigned g0 = k >= (base[0] ^ (diff[0] & one));
            const unsigned g1 = Reachable >= 2 && k >= (base[1] ^ (diff[1] & one));
            const unsigned g2 = Reachable >= 3 && k >= (base[2] ^ (diff[2] & one));
            inv |= (g0 ^ g1) << pos;
            stir |= (g1 ^ g2) << pos;
        }
        state = kJumps.a[N0] * state + kJumps.c[N0];
        outp[i] = {static_cast<Word>(inv), static_cast<Word>(stir)};
    }
    seed = static_cast<Integer>(state);
}

using Kernel = void (*)(const RowBounds (&)[2], const vectenc&, vectenc&, Integer&);

template <int Reachable, int... N>
constexpr std::array<Kernel, sizeof...(N)> kernels_for(std::integer_sequence<int, N...>) {
    return {&noise_branch_free<Reachable, N + 1>...};
}

// kKernels[reachable - 1][n0 - 1]
constexpr std::array<std::array<Kernel, 16>, 3> kKernels = {
    kernels_for<1>(std::make_integer_sequence<int, 16>{}),
    kernels_for<2>(std::make_integer_sequence<int, 16>{}),
    kernels_for<3>(std::make_integer_sequence<int, 16>{})};

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
    if (rows[0].monotone() && rows[1].monotone() && rows[0].size() <= 3 && rows[1].size() <= 3) {
        const RowBounds t[2] = {bounds_of(rows[0]), bounds_of(rows[1])};
        // With no bound reachable every draw gives 0, which the one-bound kernel also gives.
        const int used = std::max({1, reachable(t[0]), reachable(t[1])});
        kKernels[used - 1][st.n0 - 1](t, inp, outp, seed);
    } else {
        noise_general(rows, st.n0, inp, outp, seed);
    }
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
