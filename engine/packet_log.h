// SPDX-License-Identifier: GPL-3.0-or-later
// The transmission log: the last packet's words, kept by a run whose output asks for them, and
// read back one record at a time. Keeping takes the run's buffers over rather than copying them,
// so a run pays nothing for it; each record is worked out when it is read.
#pragma once

#include <memory>
#include <string>

#include "codes/code.h"
#include "engine/transmission.h"

namespace tavolin {

// What became of a word, as the error count decides it.
enum class WordOutcome : Byte {
    Intact,      // not distorted (an erased 0 alone leaves a word so)
    Corrected,   // distorted, detected and decoded to the symbol sent
    Detected,    // distorted and detected, not decoded to the symbol sent
    Undetected,  // distorted, and the check found nothing
};
inline constexpr int kWordOutcomes = 4;

struct WordRecord {
    std::size_t position = 0;  // from 1
    Byte symbol = 0;           // the symbol sent
    enc_sym code_word{};
    enc_sym received{};  // its erasure marks in `stir`
    bool found_error = false;
    enc_sym decoded{};      // four bits, with the marks the decoder left
    Byte received_class{};  // the a posteriori matrix's column: a symbol, or n for the other
    WordOutcome outcome = WordOutcome::Intact;
};

class PacketLog {
  public:
    // Takes the words of `p` over, leaving `p` with buffers to reuse. `on_code_words`: the run
    // counted its pairs on the received code words rather than the decoded ones.
    void keep(Packet& p, std::shared_ptr<const Code> code, Byte n, bool on_code_words);

    std::size_t size() const { return packet_.size(); }
    bool empty() const { return size() == 0; }
    Byte alphabet_size() const { return n_; }
    // Bits of a code word and of a received word.
    Byte n0() const { return code_ ? code_->n0() : 0; }
    WordRecord record(std::size_t i) const;
    // What the decoder saw in word i.
    std::string syndrome(std::size_t i) const;
    // How many of the words ended in each outcome, indexed by WordOutcome.
    std::array<Count, kWordOutcomes> outcome_counts() const;

  private:
    Packet packet_{0};
    std::shared_ptr<const Code> code_;
    vectw code_words_;  // the alphabet's code words, for pairs counted on code words
    Byte n_ = 0;
    bool on_code_words_ = false;
};

// A word's bits, most significant first, '?' for an erased one.
std::string word_bits(enc_sym w, Byte bits);
// The outcome's name in the command's JSON: intact, corrected, detected, undetected.
const char* outcome_name(WordOutcome o);
// The outcome as the log and the report show it.
const char* outcome_title(WordOutcome o);

}  // namespace tavolin
