// SPDX-License-Identifier: GPL-3.0-or-later
#include "continuous_reference.h"

#include "codes/bitstring.h"

namespace tavolin::reference {

std::string encode_nepr_str(std::string_view inp, Byte L) {
    const std::string zap(L, '0');
    const std::string st1 = std::string(inp) + zap;
    const std::string st2 = xor_str(st1, zap + std::string(inp));
    std::string out;
    for (std::size_t i = 0; i < st1.size(); ++i) {
        out += st1[i];
        out += i < st2.size() ? st2[i] : '0';
    }
    return out;
}

void encode_nepr(SimState& st, const vectb& inp, vectenc& outp) {
    const auto L = static_cast<Byte>(st.L_default);
    st.n0 = static_cast<Byte>(2 * (L + 4));
    for (std::size_t i = 0; i < inp.size(); ++i)
        outp[i].inv = static_cast<Word>(BinToInt(encode_nepr_str(IntToBin(inp[i], 4), L)));
}

std::string decode_nepr_str(std::string_view inp, Byte L) {
    std::string inf, contr;
    for (std::size_t i = 0; i + 1 < inp.size(); i += 2) {
        inf += inp[i];
        contr += inp[i + 1];
    }
    auto head = [&] { return inf.substr(0, inf.size() > L ? inf.size() - L : 0); };
    std::string tmp = xor_str(inf, head());
    if (contr == tmp) return head();
    // ceil(len / 2 - L): 4 for a word of the proper length.
    const long len = static_cast<long>(inp.size());
    const long sz = (len - 2L * L + 1) / 2;
    for (long i = 1; i <= sz; ++i) {
        const auto a = static_cast<std::size_t>(i - 1), b = static_cast<std::size_t>(i - 1 + L);
        if (b >= contr.size() || b >= tmp.size() || a >= inf.size()) break;
        if (contr[a] != tmp[a] && contr[b] != tmp[b]) {
            inf[a] = inf[a] == '0' ? '1' : '0';
            tmp = xor_str(inf, head());
        }
    }
    return head();
}

void decode_nepr(SimState& st, const vectenc& inp, vectenc& outp) {
    const auto L = static_cast<Byte>(st.L_default);
    for (std::size_t i = 0; i < inp.size(); ++i)
        outp[i].inv = static_cast<Word>(BinToInt(decode_nepr_str(IntToBin(inp[i].inv, st.n0), L)));
}

}  // namespace tavolin::reference
