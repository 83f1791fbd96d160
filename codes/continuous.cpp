// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/continuous.h"

#include "codes/bitstring.h"

namespace tavolin {

namespace {

Byte frame(const SimState& st) {
    return static_cast<Byte>(st.L_default);
}

// Bits 1, 3, 5, 7 and bits 0, 2, 4, 6 of a byte, each packed into a nibble.
struct ByteSplit {
    std::array<Byte, 256> odd{}, even{};
    ByteSplit() {
        for (unsigned b = 0; b < 256; ++b)
            for (unsigned k = 0; k < 4; ++k) {
                odd[b] |= static_cast<Byte>(((b >> (2 * k + 1)) & 1u) << k);
                even[b] |= static_cast<Byte>(((b >> (2 * k)) & 1u) << k);
            }
    }
};
const ByteSplit kByteSplit;

}  // namespace

Word encode_nepr_one(const SimState& st, Word inp) {
    const Byte L = frame(st);
    const auto inf = static_cast<Word>(inp << L);
    const auto contr = static_cast<Word>(inf ^ inp);
    Word result = 0;
    for (Word mask = static_cast<Word>(1u << (L + 3)); mask != 0; mask >>= 1) {
        result = static_cast<Word>((result << 1) | n_and(inf, mask));
        result = static_cast<Word>((result << 1) | n_and(contr, mask));
    }
    return result;
}

ContinuousCode::ContinuousCode(const SimState& st)
    : CountingCode(st, kContinuous, encode_nepr_one, static_cast<Byte>(2 * (frame(st) + 4)),
                   MarkRule::ignored, {}, {frame(st)}),
      L_(frame(st)),
      mask_(static_cast<Word>((1u << (L_ + 4)) - 1)) {
    const int m = L_ + 4;  // information bit i (from 1) is bit m - i of the sequence
    for (unsigned e0 = 0; e0 <= mask_; ++e0) {
        unsigned e = e0, flips = 0;
        for (int i = 1; i <= 4; ++i) {
            const unsigned own = 1u << (m - i), later = 1u << (m - i - L_);
            if ((e & own) && (e & later)) {
                flips |= own;
                e ^= own | later;
            }
        }
        flip_[e0] = static_cast<Word>(flips);
    }
}

ContinuousCode::Split ContinuousCode::split(Word w) {
    const Byte lo = static_cast<Byte>(w & 0xFFu), hi = static_cast<Byte>(w >> 8);
    return {static_cast<Word>((kByteSplit.odd[hi] << 4) | kByteSplit.odd[lo]),
            static_cast<Word>((kByteSplit.even[hi] << 4) | kByteSplit.even[lo])};
}

void ContinuousCode::decode(const vectenc& inp, vectenc& outp, Integer&) const {
    // Erasure marks are not read: an erased bit is the 0 that `inv` holds for it.
    for (std::size_t i = 0; i < inp.size(); ++i) outp[i] = {decode_word(inp[i].inv), 0};
}

std::string ContinuousCode::explain(enc_sym received, enc_sym) const {
    // Erasure marks are not read, as in decoding.
    const Word e = disagreement(split(received.inv));
    if (e == 0) return "расхождений нет";
    // Control bit k (from 1) of the word is bit m - k of the control sequence.
    const int m = L_ + 4;
    std::string text = "расходятся контрольные биты";
    const char* sep = " ";
    for (int k = 1; k <= m; ++k)
        if (e & (1u << (m - k))) {
            text += sep + std::to_string(k);
            sep = ", ";
        }
    return text;
}

}  // namespace tavolin
