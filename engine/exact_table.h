// SPDX-License-Identifier: GPL-3.0-or-later
// Every outcome of one word of a code, enumerated once. For each sent symbol, every word that
// can arrive (its bits and erasure marks) is decoded by the code's own decoder and counted by
// the run's own rules, and the counts are kept by the combination of 0->1 inversions, 1->0
// inversions, erased 0s and erased 1s that turns the symbol's code word into it. Any channel's
// probability of an outcome is then a sum of products of powers over a few thousand
// combinations at most.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "codes/code.h"

namespace tavolin {

// What a decoded word is counted as: one of the 16 decoded symbols without erasure marks, or
// (the last) a word that still carries marks, left undecoded or passed on as received.
inline constexpr std::size_t kDecodedOutcomes = 17;
inline constexpr std::size_t kMarkedOutcome = 16;

// The words of one combination, in half words: a one-erasure word whose two fillings decode
// differently goes half to each, as the decoders' tie-break settles it.
struct CombinationCounts {
    Byte inverted0 = 0, inverted1 = 0;  // sent 0 received as 1, sent 1 received as 0
    Byte erased0 = 0, erased1 = 0;
    std::uint32_t distorted = 0, detected = 0, corrected = 0;
    std::array<std::uint32_t, kDecodedOutcomes> decoded{};
    friend bool operator==(const CombinationCounts&, const CombinationCounts&) = default;
};

struct SymbolOutcomes {
    Byte zeros = 0, ones = 0;                     // of the symbol's code word
    std::vector<CombinationCounts> combinations;  // only those some word falls in
};

class OutcomeTable {
  public:
    // `erasures`: whether words with erasure marks are enumerated too (3^n0 words rather than
    // 2^n0). Big tables are built on `threads` threads; the counts do not depend on them.
    OutcomeTable(const Code& code, bool erasures, int threads = 1);

    Byte n0() const { return n0_; }
    bool erasures() const { return erasures_; }
    const SymbolOutcomes& symbol(Word s) const { return symbols_[s & 15u]; }

  private:
    Byte n0_;
    bool erasures_;
    std::array<SymbolOutcomes, 16> symbols_;
};

// Tables kept by code identity and kind of channel, for calls on any thread: a table is built at
// the first call that needs it, on `threads` threads, and a call that finds it being built
// waits for it rather than building it again. Beyond `most` tables the oldest goes.
class OutcomeTables {
  public:
    explicit OutcomeTables(int threads = 0, std::size_t most = 32);  // 0: every core
    OutcomeTables(const OutcomeTables&) = delete;
    OutcomeTables& operator=(const OutcomeTables&) = delete;

    std::shared_ptr<const OutcomeTable> get(const Code& code, bool erasures);

  private:
    using Key = std::pair<vectw, bool>;
    int threads_;
    std::size_t most_;
    std::mutex lock_;
    std::map<Key, std::shared_future<std::shared_ptr<const OutcomeTable>>> kept_;
    std::deque<Key> order_;  // oldest first
};

// The process's tables, which every exact calculation uses unless given others.
OutcomeTables& kept_outcome_tables();

}  // namespace tavolin
