// SPDX-License-Identifier: GPL-3.0-or-later
// A packet's own passes in vector lanes, where the processor has them: encoding by the code's
// table of code words, and decoding and counting by its table of received words. A packet
// without erasure marks is decoded and counted in one pass: the decoded words, the error counts,
// and the (sent symbol, received class) pairs off the diagonal. Counting only those keeps the
// pair count free of a scalar histogram: the diagonal follows from the symbols sent.
#pragma once

#include <array>

#include "codes/code.h"
#include "codes/received_table.h"
#include "core/lanes.h"
#include "core/sim_state.h"

namespace tavolin {

// outp[i].inv = code.encode_one(inp[i]) for every symbol, on the lanes `path`.
void encode(const Code& code, const vectb& inp, vectenc& outp, Lanes path);

struct TallyInput {
    const ReceivedTable& table;
    const Byte* sent;         // the symbols drawn
    const enc_sym* coded;     // their code words
    const enc_sym* received;  // the words received, no erasure marks among them
    enc_sym* decoded;         // written: the decoded words
    std::size_t size;
    Byte n;  // alphabet size; class n is any word outside the alphabet
};

// Off-diagonal pairs, row stride kPairStride: entry 17 s + c counts symbol s received as class c.
inline constexpr std::size_t kPairStride = 17;
using OffDiagonal = std::array<Count, 16 * kPairStride>;

// Decodes every word on the lanes `path`, adds the pairs off the diagonal to `off` and returns
// the error counts.
ErrorCounters tally(const TallyInput& in, Lanes path, OffDiagonal& off);

namespace lanes {

// The pairs off the diagonal as the wide kernels find them: each block's are packed onto the end
// of a buffer, and counted a batch at a time with no branch per word.
class AstrayPairs {
  public:
    explicit AstrayPairs(OffDiagonal& off) : off_(off) {}
    AstrayPairs(const AstrayPairs&) = delete;
    AstrayPairs& operator=(const AstrayPairs&) = delete;

    // Where a block writes its packed pairs: room for sixteen, whatever it packs.
    Cardinal* next() { return pending_ + waiting_; }
    void packed(std::size_t pairs) {
        waiting_ += pairs;
        if (waiting_ >= kBatch) count();
    }
    void count() {
        for (std::size_t k = 0; k < waiting_; ++k) ++off_[pending_[k]];
        waiting_ = 0;
    }

  private:
    static constexpr std::size_t kBatch = 1024;
    OffDiagonal& off_;
    std::size_t waiting_ = 0;
    alignas(64) Cardinal pending_[kBatch + 16];
};

// Words from `first` on, one at a time: the other kernels' last short block and the narrow
// paths.
ErrorCounters tally_words(const TallyInput& in, std::size_t first, OffDiagonal& off);
ErrorCounters tally_avx2(const TallyInput& in, OffDiagonal& off);
ErrorCounters tally_avx512(const TallyInput& in, OffDiagonal& off);

// The code words of the sixteen symbols, and the kernels that look them up.
using CodeWords = std::array<Word, 16>;
void encode_avx2(const CodeWords& words, const vectb& inp, vectenc& outp);
void encode_avx512(const CodeWords& words, const vectb& inp, vectenc& outp);

}  // namespace lanes
}  // namespace tavolin
