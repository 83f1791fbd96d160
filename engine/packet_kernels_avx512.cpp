// SPDX-License-Identifier: GPL-3.0-or-later
// Sixteen words a step: AVX-512, compiled for these functions alone and run only where the
// processor has it. Tables of up to 128 entries are read by permutations of registers, larger
// ones by a gather; the pairs off the diagonal are packed into a buffer and counted in batches,
// with no branch per word.

#include <bit>

#include "core/lane_intrinsics.h"
#include "engine/packet_kernels.h"

// Only the functions defined from here on get these instruction sets.
#include "core/lane_target_avx512.h"

namespace tavolin::lanes {

namespace {

constexpr std::size_t kWidth = 16;

__m512i splat(Cardinal v) {
    return _mm512_set1_epi32(static_cast<int>(v));
}

Count bits(__mmask16 m) {
    return static_cast<Count>(std::popcount(static_cast<unsigned>(m)));
}

__m512i symbols_at(const Byte* p) {
    return _mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

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
            part_[g] = _mm512_load_si512(lanes);
        }
    }

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

}  // namespace

void encode_avx512(const CodeWords& words, const vectb& inp, vectenc& outp) {
    alignas(64) Cardinal lanes[kWidth];
    for (std::size_t s = 0; s < kWidth; ++s) lanes[s] = words[s];
    const __m512i table = _mm512_load_si512(lanes);
    const std::size_t blocks = inp.size() / kWidth;
    for (std::size_t b = 0; b < blocks; ++b)
        _mm512_storeu_si512(outp.data() + b * kWidth,
                            _mm512_permutexvar_epi32(symbols_at(inp.data() + b * kWidth), table));
    for (std::size_t i = blocks * kWidth; i < inp.size(); ++i) outp[i] = {words[inp[i] & 15u], 0};
}

ErrorCounters tally_avx512(const TallyInput& in, OffDiagonal& off) {
    const Lookup lookup(in.table);
    const __m512i word_bits = splat(0xFFFF), symbol_bits = splat(kDecodedSymbol);
    const __m512i found_bit = splat(kFoundError), other = splat(in.n);
    AstrayPairs astray_pairs(off);
    Count distorted_words = 0, detected_words = 0, corrected_words = 0;
    const std::size_t blocks = in.size / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t i = b * kWidth;
        const __m512i sent = symbols_at(in.sent + i);
        const __m512i coded = _mm512_and_si512(_mm512_loadu_si512(in.coded + i), word_bits);
        const __m512i received = _mm512_loadu_si512(in.received + i);
        const __m512i entry = lookup(received);
        const __m512i decoded = _mm512_and_si512(entry, symbol_bits);
        _mm512_storeu_si512(in.decoded + i, decoded);

        const __mmask16 distorted = _mm512_cmpneq_epu32_mask(coded, received);
        const __mmask16 detected = distorted & _mm512_test_epi32_mask(entry, found_bit);
        const __mmask16 corrected = detected & _mm512_cmpeq_epu32_mask(sent, decoded);
        distorted_words += bits(distorted);
        detected_words += bits(detected);
        corrected_words += bits(corrected);

        const __m512i cls = _mm512_min_epu32(decoded, other);
        const __mmask16 astray = _mm512_cmpneq_epu32_mask(cls, sent);
        const __m512i pair =
            _mm512_add_epi32(_mm512_add_epi32(_mm512_slli_epi32(sent, 4), sent), cls);
        _mm512_storeu_si512(astray_pairs.next(), _mm512_maskz_compress_epi32(astray, pair));
        astray_pairs.packed(static_cast<std::size_t>(bits(astray)));
    }
    astray_pairs.count();
    ErrorCounters c{distorted_words, detected_words, corrected_words};
    c += tally_words(in, blocks * kWidth, off);
    return c;
}

}  // namespace tavolin::lanes

#include "core/lane_target_end.h"
