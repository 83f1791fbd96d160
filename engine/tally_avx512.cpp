// Sixteen words a step: AVX-512, compiled for this function alone and run only where the
// processor has it. The table is read by a gather; the pairs off the diagonal are packed into a
// buffer and counted in batches, with no branch per word.
// GCC 12's own AVX-512 headers fill unused results from _mm512_undefined_*(), which it then
// reports as maybe uninitialized (GCC bug 105593): silenced for these intrinsics alone.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop

#include <bit>

#include "engine/tally.h"

#pragma GCC push_options
#pragma GCC target("avx512f,avx512bw,avx512vl")

namespace tavolin::lanes {

namespace {

constexpr std::size_t kWidth = 16;

__m512i splat(Cardinal v) {
    return _mm512_set1_epi32(static_cast<int>(v));
}

Count bits(__mmask16 m) {
    return static_cast<Count>(std::popcount(static_cast<unsigned>(m)));
}

}  // namespace

ErrorCounters tally_avx512(const TallyInput& in, OffDiagonal& off) {
    const __m512i word_bits = splat(0xFFFF), entry_bits = splat(0xFF);
    const __m512i symbol_bits = splat(kDecodedSymbol);
    const __m512i found_bit = splat(kFoundError), other = splat(in.n);
    // Room for a batch and one more block written whole.
    constexpr std::size_t kBatch = 1024;
    alignas(64) Cardinal pending[kBatch + kWidth];
    std::size_t waiting = 0;
    ErrorCounters c;
    const std::size_t blocks = in.size / kWidth;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t i = b * kWidth;
        const __m512i sent =
            _mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in.sent + i)));
        const __m512i coded = _mm512_and_si512(_mm512_loadu_si512(in.coded + i), word_bits);
        const __m512i received = _mm512_loadu_si512(in.received + i);
        const __m512i entry =
            _mm512_and_si512(_mm512_i32gather_epi32(received, in.table.data(), 1), entry_bits);
        const __m512i decoded = _mm512_and_si512(entry, symbol_bits);
        _mm512_storeu_si512(in.decoded + i, decoded);

        const __mmask16 distorted = _mm512_cmpneq_epu32_mask(coded, received);
        const __mmask16 detected = distorted & _mm512_test_epi32_mask(entry, found_bit);
        const __mmask16 corrected = detected & _mm512_cmpeq_epu32_mask(sent, decoded);
        c.iskaj += bits(distorted);
        c.oshib += bits(detected);
        c.ispr += bits(corrected);

        const __m512i cls = _mm512_min_epu32(decoded, other);
        const __mmask16 astray = _mm512_cmpneq_epu32_mask(cls, sent);
        const __m512i pair =
            _mm512_add_epi32(_mm512_add_epi32(_mm512_slli_epi32(sent, 4), sent), cls);
        _mm512_storeu_si512(pending + waiting, _mm512_maskz_compress_epi32(astray, pair));
        waiting += static_cast<std::size_t>(bits(astray));
        if (waiting >= kBatch || b + 1 == blocks) {
            for (std::size_t k = 0; k < waiting; ++k) ++off[pending[k]];
            waiting = 0;
        }
    }
    c += tally_words(in, blocks * kWidth, off);
    return c;
}

}  // namespace tavolin::lanes

#pragma GCC pop_options
