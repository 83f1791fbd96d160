// SPDX-License-Identifier: GPL-3.0-or-later
// Sixteen words a step: AVX-512, compiled for these functions alone and run only where the
// processor has it, for a packet's encoding, decoding and counting. Tables of up to 128 entries
// are read by permutations of registers, larger ones by a gather; the pairs off the diagonal
// are packed into a buffer and counted in batches, with no branch per word.

#include <bit>

#include "channel/lanes/avx512.h"
#include "channel/lanes/path_kernels.h"
#include "core/random.h"

// Only the functions defined from here on get these instruction sets.
#include "channel/lanes/target_avx512.h"

namespace tavolin::lanes {

using namespace avx512;

namespace {

// The received-word table's entries as 32-bit lanes: in registers when there are at most 128
// of them (eight vectors of sixteen, picked by bits 4 to 6 of the word), else read from memory.
class Lookup {
  public:
    explicit Lookup(const ReceivedTable& table) : table_(table.data()) {
        const std::size_t entries = std::size_t{1} << table.n0();
        groups_ = entries <= 128 ? (entries + 15) / 16 : 0;
        for (std::size_t g = 0; g < groups_; ++g) {
            alignas(64) Cardinal lanes[kWidth] = {};
            for (std::size_t j = 0; j < kWidth && 16 * g + j < entries; ++j)
                lanes[j] = table[static_cast<Word>(16 * g + j)];
            part_[g] = load(lanes);
        }
    }

    // `word` holds words of the table's length, no marks.
    __m512i operator()(__m512i word) const {
        switch (groups_) {
            case 0:
                return _mm512_and_si512(_mm512_i32gather_epi32(word, table_, 1), splat(0xFF));
            case 1:
                return _mm512_permutexvar_epi32(word, part_[0]);
            case 2:
                return _mm512_permutex2var_epi32(part_[0], word, part_[1]);
            case 4:
                return _mm512_mask_blend_epi32(_mm512_test_epi32_mask(word, splat(32)),
                                               _mm512_permutex2var_epi32(part_[0], word, part_[1]),
                                               _mm512_permutex2var_epi32(part_[2], word, part_[3]));
            default: {
                const __mmask16 upper32 = _mm512_test_epi32_mask(word, splat(32));
                const __m512i low = _mm512_mask_blend_epi32(
                    upper32, _mm512_permutex2var_epi32(part_[0], word, part_[1]),
                    _mm512_permutex2var_epi32(part_[2], word, part_[3]));
                const __m512i high = _mm512_mask_blend_epi32(
                    upper32, _mm512_permutex2var_epi32(part_[4], word, part_[5]),
                    _mm512_permutex2var_epi32(part_[6], word, part_[7]));
                return _mm512_mask_blend_epi32(_mm512_test_epi32_mask(word, splat(64)), low, high);
            }
        }
    }

  private:
    const Byte* table_;
    std::size_t groups_;
    __m512i part_[8];
};

// The counts of one block of decoded words, and its pairs off the diagonal.
class BlockCounts {
  public:
    BlockCounts(const TallyInput& in, OffDiagonal& off)
        : other_(splat(in.n)), found_bit_(splat(kFoundError)), astray_pairs_(off) {}

    // `entry`: the table's entry of the bits received, whose check decides `detected`.
    void add(__m512i sent, __m512i coded, __m512i received, __m512i entry, __m512i decoded) {
        const __mmask16 distorted = _mm512_cmpneq_epu32_mask(coded, received);
        const __mmask16 detected = distorted & _mm512_test_epi32_mask(entry, found_bit_);
        // Only the decoded bits are compared with the symbol sent, whatever marks remain.
        const __mmask16 corrected =
            detected & _mm512_cmpeq_epu32_mask(sent, _mm512_and_si512(decoded, splat(0xFFFF)));
        c_.iskaj += bits(distorted);
        c_.oshib += bits(detected);
        c_.ispr += bits(corrected);

        // A word with marks left is above every symbol: it falls in the other class.
        const __m512i cls = _mm512_min_epu32(decoded, other_);
        const __mmask16 astray = _mm512_cmpneq_epu32_mask(cls, sent);
        const __m512i pair =
            _mm512_add_epi32(_mm512_add_epi32(_mm512_slli_epi32(sent, 4), sent), cls);
        _mm512_storeu_si512(astray_pairs_.next(), _mm512_maskz_compress_epi32(astray, pair));
        astray_pairs_.packed(static_cast<std::size_t>(bits(astray)));
    }

    ErrorCounters done() {
        astray_pairs_.count();
        return c_;
    }

  private:
    __m512i other_, found_bit_;
    AstrayPairs astray_pairs_;
    ErrorCounters c_;
};

// A word left undecoded: the information bits of both halves, bits and marks at once.
__m512i undecoded(const InformationRuns& runs, __m512i word) {
    __m512i s = _mm512_setzero_si512();
    for (int j = 0; j < runs.count; ++j) {
        const __m128i shift = _mm_cvtsi32_si128(runs.shift[j]);
        s = _mm512_or_si512(s,
                            _mm512_and_si512(_mm512_srl_epi32(word, shift), splat(runs.mask[j])));
    }
    return s;
}

// The tie-break draws of a block, taken in the words' order with no branch: the next sixteen
// draws of the stream side by side, the j-th of them moved to the j-th word that draws.
class TieBreaks {
  public:
    explicit TieBreaks(Integer seed) : state_(static_cast<Cardinal>(seed)) {
        alignas(64) Cardinal a[kWidth], c[kWidth];
        for (std::size_t j = 0; j < kWidth; ++j) {
            a[j] = kJumps.a[j + 1];
            c[j] = kJumps.c[j + 1];
        }
        a_ = load(a);
        c_ = load(c);
    }

    // The words of `ties` whose draw is above one half, which take the filling with 0.
    __mmask16 draw(__mmask16 ties) {
        const __m512i draws = _mm512_add_epi32(_mm512_mullo_epi32(a_, splat(state_)), c_);
        const __mmask16 above = _mm512_mask_cmpgt_epu32_mask(
            ties, _mm512_maskz_expand_epi32(ties, draws), splat(0x80000000u));
        const auto k = static_cast<std::size_t>(std::popcount(static_cast<unsigned>(ties)));
        state_ = kJumps.a[k] * state_ + kJumps.c[k];
        return above;
    }

    Integer seed() const { return static_cast<Integer>(state_); }

  private:
    Cardinal state_;
    __m512i a_, c_;
};

template <MarkRule Rule>
ErrorCounters tally_marked_blocks(const TallyInput& in, OffDiagonal& off, Integer& RandSeed) {
    const Lookup lookup(in.table);
    TieBreaks tie_breaks(RandSeed);
    const __m512i low = splat(0xFFFF), symbol_bits = splat(kDecodedSymbol);
    const InformationRuns runs = information_runs(in.table.information_bits());
    BlockCounts counts(in, off);
    const std::size_t blocks = in.size / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t i = b * kWidth;
        const __m512i word = load_words(in.received + i);
        const __m512i received = _mm512_and_si512(word, low);
        const __m512i marks = _mm512_srli_epi32(word, 16);
        const __m512i entry = lookup(received);
        const __m512i filled0 = _mm512_and_si512(entry, symbol_bits);
        __m512i decoded = filled0;
        if constexpr (Rule != MarkRule::ignored) {
            const __mmask16 marked = _mm512_test_epi32_mask(marks, marks);
            __mmask16 several = marked;
            if constexpr (Rule == MarkRule::one_resolved) {
                several = _mm512_test_epi32_mask(marks, _mm512_sub_epi32(marks, splat(1)));
                const __m512i filled1 =
                    _mm512_and_si512(lookup(_mm512_xor_si512(received, marks)), symbol_bits);
                decoded = filled1;
                // The fillings of a word with one mark disagree: a draw settles it.
                const __mmask16 ties =
                    marked & ~several & _mm512_cmpneq_epu32_mask(filled0, filled1);
                decoded = _mm512_mask_blend_epi32(tie_breaks.draw(ties), decoded, filled0);
            }
            decoded = _mm512_mask_blend_epi32(several, decoded, undecoded(runs, word));
        }
        store_words(in.decoded + i, decoded);
        counts.add(symbols_at(in.sent + i), _mm512_and_si512(load_words(in.coded + i), low),
                   received, entry, decoded);
    }
    ErrorCounters c = counts.done();
    RandSeed = tie_breaks.seed();
    c += tally_marked_words(in, blocks * kWidth, off, RandSeed);
    return c;
}

}  // namespace

void encode_avx512(const CodeWords& words, const vectb& inp, vectenc& outp) {
    alignas(64) Cardinal lanes[kWidth];
    for (std::size_t s = 0; s < kWidth; ++s) lanes[s] = words[s];
    const __m512i table = load(lanes);
    const std::size_t blocks = inp.size() / kWidth;
    for (std::size_t b = 0; b < blocks; ++b)
        store_words(outp.data() + b * kWidth,
                    _mm512_permutexvar_epi32(symbols_at(inp.data() + b * kWidth), table));
    encode_words(words, inp, outp, blocks * kWidth);
}

ErrorCounters tally_avx512(const TallyInput& in, OffDiagonal& off) {
    const Lookup lookup(in.table);
    const __m512i low = splat(0xFFFF), symbol_bits = splat(kDecodedSymbol);
    BlockCounts counts(in, off);
    const std::size_t blocks = in.size / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t i = b * kWidth;
        const __m512i received = load_words(in.received + i);
        const __m512i entry = lookup(received);
        const __m512i decoded = _mm512_and_si512(entry, symbol_bits);
        store_words(in.decoded + i, decoded);
        counts.add(symbols_at(in.sent + i), _mm512_and_si512(load_words(in.coded + i), low),
                   received, entry, decoded);
    }
    ErrorCounters c = counts.done();
    c += tally_words(in, blocks * kWidth, off);
    return c;
}

ErrorCounters tally_marked_avx512(const TallyInput& in, OffDiagonal& off, Integer& RandSeed) {
    return with_mark_rule(
        in.table, [&](auto rule) { return tally_marked_blocks<rule()>(in, off, RandSeed); });
}

}  // namespace tavolin::lanes

#include "channel/lanes/target_end.h"
