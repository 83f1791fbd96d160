// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "channel/lanes/packet_inputs.h"
#include "core/random.h"

namespace tavolin::lanes {

namespace {

// Adds one decoded word to the counts: distorted when its bits differ from the code word's,
// detected when the table's check finds an error in the bits received, corrected when it was
// detected and decoded back to the symbol sent; and its pair when off the diagonal.
void count_word(const TallyInput& in, std::size_t i, Byte entry, enc_sym decoded, ErrorCounters& c,
                OffDiagonal& off) {
    const Word received = in.received[i].inv;
    const Byte sent = in.sent[i];
    const bool distorted = in.coded[i].inv != received;
    const bool detected = distorted && (entry & kFoundError) != 0;
    c.iskaj += distorted;
    c.oshib += detected;
    c.ispr += detected && sent == decoded.inv;
    const Byte cls =
        decoded.stir == 0 ? static_cast<Byte>(std::min<Word>(decoded.inv, in.n)) : in.n;
    off[kPairStride * sent + cls] += cls != sent;
}

}  // namespace

void encode_words(const CodeWords& words, const vectb& inp, vectenc& outp, std::size_t first) {
    for (std::size_t i = first; i < inp.size(); ++i) outp[i] = {words[inp[i] & 15u], 0};
}

ErrorCounters tally_words(const TallyInput& in, std::size_t first, OffDiagonal& off) {
    ErrorCounters c;
    for (std::size_t i = first; i < in.size; ++i) {
        const Byte entry = in.table[in.received[i].inv];
        in.decoded[i] = {static_cast<Word>(entry & kDecodedSymbol), 0};
        count_word(in, i, entry, in.decoded[i], c, off);
    }
    return c;
}

ErrorCounters tally_marked_words(const TallyInput& in, std::size_t first, OffDiagonal& off,
                                 Integer& RandSeed) {
    const MarkRule rule = in.table.mark_rule();
    const InformationBits& info = in.table.information_bits();
    ErrorCounters c;
    for (std::size_t i = first; i < in.size; ++i) {
        const enc_sym w = in.received[i];
        const Byte entry = in.table[w.inv];  // the erased bits read as the 0s they hold
        const auto filled0 = static_cast<Word>(entry & kDecodedSymbol);
        enc_sym decoded{filled0, 0};
        if (w.stir != 0 && rule == MarkRule::passed_on) {
            decoded = info.of(w);
        } else if (w.stir != 0 && rule == MarkRule::one_resolved) {
            if ((w.stir & (w.stir - 1)) != 0) {
                decoded = info.of(w);
            } else {
                const auto filled1 =
                    static_cast<Word>(in.table[static_cast<Word>(w.inv ^ w.stir)] & kDecodedSymbol);
                decoded.inv = filled1;
                if (filled1 != filled0 && tie_break(RandSeed)) decoded.inv = filled0;
            }
        }
        in.decoded[i] = decoded;
        count_word(in, i, entry, decoded, c, off);
    }
    return c;
}

}  // namespace tavolin::lanes
