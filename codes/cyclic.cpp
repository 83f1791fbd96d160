// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/cyclic.h"

#include <bit>
#include <cmath>

namespace tavolin {

namespace {

// A code word's information bits come first on the line: the top four, above the r check bits.
InformationBits information_bits_of(Byte r) {
    return {{r, static_cast<Byte>(r + 1), static_cast<Byte>(r + 2), static_cast<Byte>(r + 3)}};
}

// Check bits the Hamming bound asks for to correct 2 and 3 errors among 4 information bits.
Byte pair_threshold() {
    static const Byte dp = polinom(2, 4);
    return dp;
}

Byte triple_threshold() {
    static const Byte dp = polinom(3, 4);
    return dp;
}

// Visits the error patterns in the order the decoder searches them: single errors, then pairs
// when r allows, then triples; `visit` returns true to stop at a match.
template <typename Visit>
void search_patterns(Byte n0, Byte r, const std::vector<Word>& arr, Visit visit) {
    auto bit = [n0](int i) { return static_cast<Word>(1u << (n0 - 1 - i)); };
    for (int i = 0; i < n0; ++i)
        if (visit(arr[i], bit(i))) return;
    if (r < pair_threshold()) return;
    for (int i = 0; i < n0 - 1; ++i)
        for (int j = i + 1; j < n0; ++j)
            if (visit(arr[i] ^ arr[j], bit(i) | bit(j))) return;
    if (r < triple_threshold()) return;
    for (int i = 0; i < n0 - 2; ++i)
        for (int j = i + 1; j < n0 - 1; ++j)
            for (int k = j + 1; k < n0; ++k)
                if (visit(arr[i] ^ arr[j] ^ arr[k], bit(i) | bit(j) | bit(k))) return;
}

// Syndromes of the single-bit words: entry i belongs to bit n0-1-i, the i-th bit sent.
std::vector<Word> single_syndromes(Word pol, Byte n0, Byte r) {
    std::vector<Word> arr(n0);
    Cardinal e = 1;
    for (int i = n0 - 1; i >= 0; --i, e <<= 1) arr[i] = Ost(e, pol, 4, r);
    return arr;
}

}  // namespace

Byte degree(Word pol) {
    return pol == 0 ? 0 : static_cast<Byte>(std::bit_width(pol) - 1);
}

Word Ost(Cardinal u, Word r, Byte p1, Byte p2) {
    for (int i = p1 - 1; i >= 0; --i)
        if (u & (Cardinal{1} << (i + p2))) u ^= Cardinal{r} << i;
    return static_cast<Word>(u);
}

Word encode_cycle_one(const SimState& st, Word inp) {
    const Byte r = degree(st.Polinom_default);
    const auto u = static_cast<Word>(inp << r);
    return static_cast<Word>(u | Ost(u, st.Polinom_default, 4, r));
}

PolynomialTest Check_Polinom(Word pol) {
    const Byte r = degree(pol);
    const Cardinal m = (Cardinal{1} << r) - 1;
    const Cardinal top = Cardinal{1} << r;
    std::vector<bool> seen(std::size_t{1} << (r + 1), false);
    Cardinal e = top, distinct = 0;
    for (Cardinal k = 0; k < m; ++k) {
        if (e & top) e ^= pol;
        if (!seen[e]) {
            seen[e] = true;
            ++distinct;
        }
        e <<= 1;
    }
    return {distinct, m};
}

Extended comb(Byte up, Byte lo) {
    if (up == 1 || up == lo) return static_cast<Extended>(lo - up + 1);
    Extended res = 1;
    for (int i = up + 1; i <= lo; ++i) res *= i;
    for (int i = 2; i <= lo - up; ++i) res /= i;
    return res;
}

Byte polinom(Byte kr, Byte nes) {
    int e = 1;
    Extended b = 0;
    do {
        if (b > e) ++e;
        Extended s = 1;
        for (int i = 1; i <= kr; ++i) s += comb(static_cast<Byte>(i), static_cast<Byte>(nes + e));
        b = std::log2(s);
    } while (!(b <= e));
    return static_cast<Byte>(e);
}

CyclicCode::CyclicCode(const SimState& st)
    : CountingCode(st, kCyclic, encode_cycle_one, static_cast<Byte>(degree(st.Polinom_default) + 4),
                   MarkRule::one_resolved, information_bits_of(degree(st.Polinom_default)),
                   {st.Polinom_default}),
      r_(degree(st.Polinom_default)),
      low_mask_(static_cast<Word>((1u << r_) - 1)),
      pattern_(std::size_t{1} << r_, 0) {
    const Word pol = st.Polinom_default;
    for (Word h = 0; h < 16; ++h) high_syndrome_[h] = Ost(Cardinal{h} << r_, pol, 4, r_);
    // The first pattern the search meets for a syndrome is the one it corrects; later ones with
    // the same syndrome are never reached.
    std::vector<bool> found(pattern_.size(), false);
    found[0] = true;
    std::size_t remaining = pattern_.size() - 1;
    const std::vector<Word> arr = single_syndromes(pol, n0(), r_);
    search_patterns(n0(), r_, arr, [&](Word syndrome, Word pattern) {
        if (!found[syndrome]) {
            found[syndrome] = true;
            pattern_[syndrome] = pattern;
            --remaining;
        }
        return remaining == 0;
    });
}

void CyclicCode::decode(const vectenc& inp, vectenc& outp, Integer& RandSeed) const {
    decode_with_erasures(inp, outp, RandSeed, [this](Word w) { return decode_word(w); });
}

std::string CyclicCode::explain(enc_sym received, enc_sym decoded) const {
    return explain_with_erasures(
        received, decoded, [this](Word w) { return decode_word(w); },
        [this](Word w) {
            const Word s = syndrome(w);
            std::string text = "остаток " + IntToBin(s, r_);
            if (s == 0) return text;
            if (pattern_[s] == 0) return text + ", вектор ошибки не найден";
            return text + ", вектор ошибки " + IntToBin(pattern_[s], n0());
        });
}

}  // namespace tavolin
