// SPDX-License-Identifier: GPL-3.0-or-later
// Eight words a step: AVX2, compiled for these functions alone and run only where the processor
// has it, for a packet's encoding, decoding and counting. The code words are read by
// permutations of two registers, the received-word table by a gather; the pairs off the
// diagonal are packed to the front of a vector by a permutation looked up from their lane mask,
// buffered and counted in batches.

#include <array>
#include <bit>

#include "channel/lanes/avx2.h"
#include "channel/lanes/path_kernels.h"
#include "core/random.h"

// Only the functions defined from here on get these instruction sets.
#include "channel/lanes/target_avx2.h"

namespace tavolin::lanes {

using namespace avx2;

namespace {

// For every mask of eight lanes, the lanes it sets in rising order, then zeros.
struct PackOrder {
    std::array<std::array<Byte, 8>, 256> lanes{};
    constexpr PackOrder() {
        for (unsigned m = 0; m < 256; ++m) {
            unsigned k = 0;
            for (Byte lane = 0; lane < 8; ++lane)
                if (m & (1u << lane)) lanes[m][k++] = lane;
        }
    }
};
constexpr PackOrder kPackOrder{};

__m256i pack(__m256i v, unsigned mask) {
    const __m256i order = _mm256_cvtepu8_epi32(
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kPackOrder.lanes[mask].data())));
    return _mm256_permutevar8x32_epi32(v, order);
}

// For every mask of eight lanes, each lane it sets given its rank among them (the lanes it
// leaves, 0): the inverse of PackOrder.
struct ExpandOrder {
    std::array<std::array<Byte, 8>, 256> lanes{};
    constexpr ExpandOrder() {
        for (unsigned m = 0; m < 256; ++m) {
            Byte k = 0;
            for (unsigned lane = 0; lane < 8; ++lane)
                if (m & (1u << lane)) lanes[m][lane] = k++;
        }
    }
};
constexpr ExpandOrder kExpandOrder{};

// All ones in the lanes whose bit is set in `mask`.
__m256i lanes_of(unsigned mask) {
    const __m256i bit = _mm256_setr_epi32(1, 2, 4, 8, 16, 32, 64, 128);
    return _mm256_cmpeq_epi32(_mm256_and_si256(splat(mask), bit), bit);
}

// The counts of one block of decoded words, and its pairs off the diagonal.
class BlockCounts {
  public:
    BlockCounts(const TallyInput& in, OffDiagonal& off)
        : other_(splat(in.n)), found_bit_(splat(kFoundError)), astray_pairs_(off) {}

    // `entry`: the table's entry of the bits received, whose check decides `detected`.
    void add(__m256i sent, __m256i coded, __m256i received, __m256i entry, __m256i decoded) {
        const unsigned distorted = ~equal_lanes(coded, received) & 0xFFu;
        const unsigned detected =
            distorted & equal_lanes(_mm256_and_si256(entry, found_bit_), found_bit_);
        // Only the decoded bits are compared with the symbol sent, whatever marks remain.
        const unsigned corrected =
            detected & equal_lanes(sent, _mm256_and_si256(decoded, splat(0xFFFF)));
        c_.iskaj += bits(distorted);
        c_.oshib += bits(detected);
        c_.ispr += bits(corrected);

        // A word with marks left is above every symbol: it falls in the other class.
        const __m256i cls = _mm256_min_epu32(decoded, other_);
        const __m256i pair =
            _mm256_add_epi32(_mm256_add_epi32(_mm256_slli_epi32(sent, 4), sent), cls);
        const unsigned astray = ~equal_lanes(cls, sent) & 0xFFu;
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(astray_pairs_.next()), pack(pair, astray));
        astray_pairs_.packed(static_cast<std::size_t>(bits(astray)));
    }

    ErrorCounters done() {
        astray_pairs_.count();
        return c_;
    }

  private:
    __m256i other_, found_bit_;
    AstrayPairs astray_pairs_;
    ErrorCounters c_;
};

__m256i entries_of(const ReceivedTable& table, __m256i word) {
    return _mm256_and_si256(
        _mm256_i32gather_epi32(reinterpret_cast<const int*>(table.data()), word, 1), splat(0xFF));
}

// A word left undecoded: the information bits of both halves, bits and marks at once.
__m256i undecoded(const InformationRuns& runs, __m256i word) {
    __m256i s = _mm256_setzero_si256();
    for (int j = 0; j < runs.count; ++j) {
        const __m128i shift = _mm_cvtsi32_si128(runs.shift[j]);
        s = _mm256_or_si256(s,
                            _mm256_and_si256(_mm256_srl_epi32(word, shift), splat(runs.mask[j])));
    }
    return s;
}

// The tie-break draws of a block, taken in the words' order with no branch: the next eight
// draws of the stream side by side, the j-th of them moved to the j-th word that draws.
class TieBreaks {
  public:
    explicit TieBreaks(Integer seed) : state_(static_cast<Cardinal>(seed)) {
        alignas(32) Cardinal a[kWidth], c[kWidth];
        for (std::size_t j = 0; j < kWidth; ++j) {
            a[j] = kJumps.a[j + 1];
            c[j] = kJumps.c[j + 1];
        }
        a_ = load(a);
        c_ = load(c);
    }

    // The words of `ties` whose draw is above one half, which take the filling with 0.
    unsigned draw(unsigned ties) {
        const __m256i draws = _mm256_add_epi32(_mm256_mullo_epi32(a_, splat(state_)), c_);
        const __m256i order = _mm256_cvtepu8_epi32(
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kExpandOrder.lanes[ties].data())));
        const __m256i ranked = _mm256_permutevar8x32_epi32(draws, order);
        // Unsigned k > 2^31 is signed (k ^ 2^31) > 0.
        const unsigned above = lane_bits(
            _mm256_cmpgt_epi32(_mm256_xor_si256(ranked, splat(kSign)), _mm256_setzero_si256()));
        const auto k = static_cast<std::size_t>(std::popcount(ties));
        state_ = kJumps.a[k] * state_ + kJumps.c[k];
        return above & ties;
    }

    Integer seed() const { return static_cast<Integer>(state_); }

  private:
    Cardinal state_;
    __m256i a_, c_;
};

template <MarkRule Rule>
ErrorCounters tally_marked_blocks(const TallyInput& in, OffDiagonal& off, Integer& RandSeed) {
    TieBreaks tie_breaks(RandSeed);
    const __m256i low = splat(0xFFFF), symbol_bits = splat(kDecodedSymbol);
    const InformationRuns runs = information_runs(in.table.information_bits());
    BlockCounts counts(in, off);
    const std::size_t blocks = in.size / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t i = b * kWidth;
        const __m256i word = load_words(in.received + i);
        const __m256i received = _mm256_and_si256(word, low);
        const __m256i marks = _mm256_srli_epi32(word, 16);
        const __m256i entry = entries_of(in.table, received);
        const __m256i filled0 = _mm256_and_si256(entry, symbol_bits);
        __m256i decoded = filled0;
        if constexpr (Rule != MarkRule::ignored) {
            const __m256i zero = _mm256_setzero_si256();
            const unsigned unmarked = equal_lanes(marks, zero);
            unsigned several = ~unmarked & 0xFFu;
            if constexpr (Rule == MarkRule::one_resolved) {
                several =
                    ~equal_lanes(_mm256_and_si256(marks, _mm256_sub_epi32(marks, splat(1))), zero) &
                    0xFFu;
                const __m256i filled1 = _mm256_and_si256(
                    entries_of(in.table, _mm256_xor_si256(received, marks)), symbol_bits);
                decoded = filled1;
                // The fillings of a word with one mark disagree: a draw settles it.
                const unsigned ties = ~(unmarked | several | equal_lanes(filled0, filled1)) & 0xFFu;
                decoded = _mm256_blendv_epi8(decoded, filled0, lanes_of(tie_breaks.draw(ties)));
            }
            decoded = _mm256_blendv_epi8(decoded, undecoded(runs, word), lanes_of(several));
        }
        store_words(in.decoded + i, decoded);
        counts.add(symbols_at(in.sent + i), _mm256_and_si256(load_words(in.coded + i), low),
                   received, entry, decoded);
    }
    ErrorCounters c = counts.done();
    RandSeed = tie_breaks.seed();
    c += tally_marked_words(in, blocks * kWidth, off, RandSeed);
    return c;
}

}  // namespace

void encode_avx2(const CodeWords& words, const vectb& inp, vectenc& outp) {
    alignas(32) Cardinal lanes[16];
    for (std::size_t s = 0; s < 16; ++s) lanes[s] = words[s];
    const __m256i low = load(lanes), high = load(lanes + 8);
    const __m256i eight = splat(8);
    const std::size_t blocks = inp.size() / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const __m256i symbol = symbols_at(inp.data() + b * kWidth);
        // Symbols 8 to 15 take the second register's lanes.
        const __m256i upper = _mm256_cmpeq_epi32(_mm256_and_si256(symbol, eight), eight);
        const __m256i word = _mm256_blendv_epi8(_mm256_permutevar8x32_epi32(low, symbol),
                                                _mm256_permutevar8x32_epi32(high, symbol), upper);
        store_words(outp.data() + b * kWidth, word);
    }
    encode_words(words, inp, outp, blocks * kWidth);
}

ErrorCounters tally_avx2(const TallyInput& in, OffDiagonal& off) {
    const __m256i low = splat(0xFFFF), symbol_bits = splat(kDecodedSymbol);
    BlockCounts counts(in, off);
    const std::size_t blocks = in.size / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t i = b * kWidth;
        const __m256i received = load_words(in.received + i);
        const __m256i entry = entries_of(in.table, received);
        const __m256i decoded = _mm256_and_si256(entry, symbol_bits);
        store_words(in.decoded + i, decoded);
        counts.add(symbols_at(in.sent + i), _mm256_and_si256(load_words(in.coded + i), low),
                   received, entry, decoded);
    }
    ErrorCounters c = counts.done();
    c += tally_words(in, blocks * kWidth, off);
    return c;
}

ErrorCounters tally_marked_avx2(const TallyInput& in, OffDiagonal& off, Integer& RandSeed) {
    return with_mark_rule(
        in.table, [&](auto rule) { return tally_marked_blocks<rule()>(in, off, RandSeed); });
}

}  // namespace tavolin::lanes

#include "channel/lanes/target_end.h"
