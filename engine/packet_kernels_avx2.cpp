// SPDX-License-Identifier: GPL-3.0-or-later
// Eight words a step: AVX2, compiled for these functions alone and run only where the processor
// has it. The code words are read by permutations of two registers, the received-word table by a
// gather; the pairs off the diagonal are packed to the front of
// a vector by a permutation looked up from their lane mask, buffered and counted in batches.

#include <array>
#include <bit>

#include "core/lane_intrinsics.h"
#include "engine/packet_kernels.h"

// Only the functions defined from here on get these instruction sets.
#include "core/lane_target_avx2.h"

namespace tavolin::lanes {

namespace {

constexpr std::size_t kWidth = 8;

__m256i splat(Cardinal v) {
    return _mm256_set1_epi32(static_cast<int>(v));
}

unsigned lane_bits(__m256i m) {
    return static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(m)));
}

Count bits(unsigned m) {
    return static_cast<Count>(std::popcount(m));
}

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

__m256i symbols_at(const Byte* p) {
    return _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)));
}

}  // namespace

void encode_avx2(const CodeWords& words, const vectb& inp, vectenc& outp) {
    alignas(32) Cardinal lanes[16];
    for (std::size_t s = 0; s < 16; ++s) lanes[s] = words[s];
    const __m256i low = _mm256_load_si256(reinterpret_cast<const __m256i*>(lanes));
    const __m256i high = _mm256_load_si256(reinterpret_cast<const __m256i*>(lanes + 8));
    const __m256i eight = splat(8);
    const std::size_t blocks = inp.size() / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const __m256i symbol = symbols_at(inp.data() + b * kWidth);
        // Symbols 8 to 15 take the second register's lanes.
        const __m256i upper = _mm256_cmpeq_epi32(_mm256_and_si256(symbol, eight), eight);
        const __m256i word = _mm256_blendv_epi8(_mm256_permutevar8x32_epi32(low, symbol),
                                                _mm256_permutevar8x32_epi32(high, symbol), upper);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(outp.data() + b * kWidth), word);
    }
    for (std::size_t i = blocks * kWidth; i < inp.size(); ++i) outp[i] = {words[inp[i] & 15u], 0};
}

ErrorCounters tally_avx2(const TallyInput& in, OffDiagonal& off) {
    const __m256i word_bits = splat(0xFFFF), entry_bits = splat(0xFF);
    const __m256i symbol_bits = splat(kDecodedSymbol);
    const __m256i found_bit = splat(kFoundError), other = splat(in.n);
    const auto* table = reinterpret_cast<const int*>(in.table.data());
    AstrayPairs astray_pairs(off);
    Count distorted_words = 0, detected_words = 0, corrected_words = 0;
    const std::size_t blocks = in.size / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t i = b * kWidth;
        const __m256i sent =
            _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(in.sent + i)));
        const __m256i coded = _mm256_and_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in.coded + i)), word_bits);
        const __m256i received =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in.received + i));
        const __m256i entry =
            _mm256_and_si256(_mm256_i32gather_epi32(table, received, 1), entry_bits);
        const __m256i decoded = _mm256_and_si256(entry, symbol_bits);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(in.decoded + i), decoded);

        const unsigned distorted = ~lane_bits(_mm256_cmpeq_epi32(coded, received)) & 0xFFu;
        const unsigned detected = distorted & lane_bits(_mm256_cmpeq_epi32(
                                                  _mm256_and_si256(entry, found_bit), found_bit));
        const unsigned corrected = detected & lane_bits(_mm256_cmpeq_epi32(sent, decoded));
        distorted_words += bits(distorted);
        detected_words += bits(detected);
        corrected_words += bits(corrected);

        const __m256i cls = _mm256_min_epu32(decoded, other);
        const __m256i pair =
            _mm256_add_epi32(_mm256_add_epi32(_mm256_slli_epi32(sent, 4), sent), cls);
        const unsigned astray = ~lane_bits(_mm256_cmpeq_epi32(cls, sent)) & 0xFFu;
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(astray_pairs.next()), pack(pair, astray));
        astray_pairs.packed(static_cast<std::size_t>(bits(astray)));
    }
    astray_pairs.count();
    ErrorCounters c{distorted_words, detected_words, corrected_words};
    c += tally_words(in, blocks * kWidth, off);
    return c;
}

}  // namespace tavolin::lanes

#include "core/lane_target_end.h"
