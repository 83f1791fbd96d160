// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/hamming.h"

#include "codes/bitstring.h"

namespace tavolin {

namespace {

constexpr bool is_power_of_two(int q) {
    return (q & (q - 1)) == 0;
}

Byte parity(Word v) {
    return static_cast<Byte>(bit_count(v) & 1);
}

// Information bits of a 7-bit word: positions 3, 5, 6, 7, i.e. bit 4 to bit 3, bits 2..0 kept.
constexpr InformationBits kInformation{{0, 1, 2, 4}};

}  // namespace

void por_m_x(vectw& p_m_x) {
    Word temp[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
        for (int j = 1; j <= 7; ++j)
            if (!is_power_of_two(j))
                temp[i] = static_cast<Word>((temp[i] << 1) | ((j & (1 << i)) != 0 ? 1 : 0));
    p_m_x.assign(7, 0);
    Word a = 16;
    int k = 0;
    for (int q = 1; q <= 7; ++q) {
        if (is_power_of_two(q)) {
            p_m_x[q - 1] = temp[k++];
        } else {
            a >>= 1;
            p_m_x[q - 1] = a;
        }
    }
}

void prover_m_x(vectw& pr_m_x) {
    pr_m_x.assign(3, 0);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 7; ++j)
            pr_m_x[i - 1] = static_cast<Word>((pr_m_x[i - 1] << 1) | ((j & (8 >> i)) != 0 ? 1 : 0));
}

Word encode_matr_one(const SimState& st, Word inp) {
    Word out = 0;
    for (Word mask : st.p_m_x) out = static_cast<Word>((out << 1) | parity(inp & mask));
    return out;
}

Byte Get_Sindr(Word u, const vectw& h, Byte n0) {
    const Word width = static_cast<Word>(n0 >= 16 ? 0xFFFFu : (1u << n0) - 1);
    unsigned q = 0;
    for (int i = 0; i + 4 < n0 && static_cast<std::size_t>(i) < h.size(); ++i) {
        q |= parity(static_cast<Word>(h[i] & u & width));
        q <<= 1;
    }
    return static_cast<Byte>(q >> 1);
}

HammingCode::HammingCode(const SimState& st)
    : CountingCode(st, kHamming, encode_matr_one, 7, MarkRule::one_resolved, kInformation,
                   st.pr_m_x) {
    for (Word c = 0; c < 128; ++c) {
        const Byte s = Get_Sindr(c, st.pr_m_x, 7);
        const Word corrected = s == 0 ? c : static_cast<Word>(c ^ (1u << (7 - s)));
        decoded_[c] = static_cast<Byte>(kInformation.of(corrected));
        syndrome_[c] = s;
    }
}

void HammingCode::decode(const vectenc& inp, vectenc& outp, Integer& RandSeed) const {
    decode_with_erasures(inp, outp, RandSeed, [this](Word w) { return decode_word(w); });
}

std::string HammingCode::explain(enc_sym received, enc_sym decoded) const {
    return explain_with_erasures(
        received, decoded, [this](Word w) { return decode_word(w); },
        [this](Word w) {
            const Byte s = syndrome_[w & 127u];
            std::string text = "синдром " + IntToBin(s, 3);
            return s == 0 ? text : text + ": бит " + std::to_string(s);
        });
}

}  // namespace tavolin
