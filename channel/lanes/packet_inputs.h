// SPDX-License-Identifier: GPL-3.0-or-later
// What the packet kernels work on: encoding by the code's table of code words, and decoding and
// counting by its table of received words. A packet is decoded and counted in one pass: the
// decoded words, the error counts, and the (sent symbol, received class) pairs off the
// diagonal. Counting only those keeps the pair count free of a scalar histogram: the diagonal
// follows from the symbols sent.
#pragma once

#include <array>
#include <type_traits>

#include "codes/received_table.h"
#include "core/sim_state.h"

namespace tavolin {

struct TallyInput {
    const ReceivedTable& table;
    const Byte* sent;         // the symbols drawn
    const enc_sym* coded;     // their code words
    const enc_sym* received;  // the words received
    enc_sym* decoded;         // written: the decoded words
    std::size_t size;
    Byte n;  // alphabet size; class n is any word outside the alphabet or with marks
};

// Off-diagonal pairs, row stride kPairStride: entry 17 s + c counts symbol s received as class c.
inline constexpr std::size_t kPairStride = 17;
using OffDiagonal = std::array<Count, 16 * kPairStride>;

// The code words of the sixteen symbols.
using CodeWords = std::array<Word, 16>;

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

// Words from `first` on, one at a time: the wide kernels' last short block, and the paths
// whose lanes cannot look up tables. `tally_words` takes words without erasure marks;
// `tally_marked_words` any, its tie-break draws continuing from `RandSeed`.
ErrorCounters tally_words(const TallyInput& in, std::size_t first, OffDiagonal& off);
ErrorCounters tally_marked_words(const TallyInput& in, std::size_t first, OffDiagonal& off,
                                 Integer& RandSeed);
void encode_words(const CodeWords& words, const vectb& inp, vectenc& outp, std::size_t first);

// A code's information bits as runs of adjacent positions, for words left undecoded: run j
// takes the word's bits shift[j] places down under mask[j], in both halves (bits and marks) at
// once. Cyclic codes and no coding have one run, Hamming two.
struct InformationRuns {
    int count = 0;
    Byte shift[4] = {};
    Cardinal mask[4] = {};
};

inline InformationRuns information_runs(const InformationBits& info) {
    InformationRuns runs;
    for (unsigned k = 0; k < 4; ++k) {
        const auto shift = static_cast<Byte>(info.at[k] - k);
        if (runs.count == 0 || runs.shift[runs.count - 1] != shift) {
            runs.shift[runs.count] = shift;
            ++runs.count;
        }
        runs.mask[runs.count - 1] |= 0x00010001u << k;
    }
    return runs;
}

// Calls body(std::integral_constant<MarkRule, R>{}) for the table's rule R, so that a kernel is
// compiled once for each.
template <typename Body>
auto with_mark_rule(const ReceivedTable& table, Body body) {
    switch (table.mark_rule()) {
        case MarkRule::ignored:
            return body(std::integral_constant<MarkRule, MarkRule::ignored>{});
        case MarkRule::passed_on:
            return body(std::integral_constant<MarkRule, MarkRule::passed_on>{});
        case MarkRule::one_resolved:
            break;
    }
    return body(std::integral_constant<MarkRule, MarkRule::one_resolved>{});
}

}  // namespace lanes
}  // namespace tavolin
