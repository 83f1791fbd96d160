// SPDX-License-Identifier: GPL-3.0-or-later
// Every word a code can receive without erasure marks, decoded once: the symbol it decodes to
// and whether the code's check finds an error in it. A packet without erasures is then decoded
// and counted by one lookup per word.
#pragma once

#include <memory>

#include "codes/code.h"

namespace tavolin {

class ReceivedTable {
  public:
    explicit ReceivedTable(const Code& code);

    Byte n0() const { return n0_; }
    // How the code treats erasure marks, for decoding words that carry them from the table.
    MarkRule mark_rule() const { return marks_; }
    const InformationBits& information_bits() const { return info_; }
    // kDecodedSymbol and kFoundError of a word.
    Byte operator[](Word received) const { return entries_[received]; }
    // The 2^n0 entries, followed by three spare bytes so that a 32-bit load at any entry stays
    // inside the table.
    const Byte* data() const { return entries_.data(); }

  private:
    Byte n0_;
    MarkRule marks_;
    InformationBits info_;
    std::vector<Byte> entries_;
};

// The table of `code` for a run that has sent `words` words with its latest packet, or null
// when it would not pay. An entry costs about half what the table saves a word, so a table is
// built once the run has sent half as many words as it has entries; the last few built on this
// thread are kept for further packets of an equal code.
std::shared_ptr<const ReceivedTable> received_table(const Code& code, std::size_t words);

}  // namespace tavolin
