// SPDX-License-Identifier: GPL-3.0-or-later
#include "dispatch_reference.h"

#include <string>

#include "codes/bitstring.h"
#include "codes/cyclic.h"
#include "codes/hamming.h"
#include "continuous_reference.h"
#include "cyclic_reference.h"
#include "hamming_reference.h"

namespace tavolin::reference {

void encode(SimState& st, const vectb& inp, vectenc& outp) {
    switch (st.coding_type) {
        case kCyclic:
            return encode_cycle(st, inp, outp);
        case kHamming:
            return encode_matr(st, inp, outp);
        case kContinuous:
            return encode_nepr(st, inp, outp);
        case kNoCoding:
            return encode_none(st, inp, outp);
        default:
            return;
    }
}

void decode(SimState& st, const vectenc& inp, vectenc& outp) {
    switch (st.coding_type) {
        case kCyclic:
            return decode_cycle(st, inp, outp);
        case kHamming:
            return decode_matr(st, inp, outp);
        case kContinuous:
            return decode_nepr(st, inp, outp);
        case kNoCoding:
            return decode_none(inp, outp);
        default:
            return;
    }
}

void encode_none(SimState& st, const vectb& inp, vectenc& outp) {
    st.n0 = 4;
    for (std::size_t i = 0; i < inp.size(); ++i) outp[i].inv = inp[i];
}

void decode_none(const vectenc& inp, vectenc& outp) {
    for (std::size_t i = 0; i < inp.size(); ++i) outp[i] = inp[i];
}

bool found_error(const SimState& st, Word inp) {
    switch (st.coding_type) {
        case kCyclic:
            return Ost(inp, st.Polinom_default, 4, static_cast<Byte>(st.n0 - 4)) != 0;
        case kHamming:
            return Get_Sindr(inp, st.pr_m_x, st.n0) != 0;
        case kContinuous: {
            const std::string word = IntToBin(inp, st.n0);
            std::string inf, contr;
            for (std::size_t i = 0; i + 1 < word.size(); i += 2) {
                inf += word[i];
                contr += word[i + 1];
            }
            const std::size_t keep = inf.size() > st.L_default ? inf.size() - st.L_default : 0;
            return xor_str(inf, inf.substr(0, keep)) != contr;
        }
        case kNoCoding:
            return true;
        default:
            return false;
    }
}

void set_n0(SimState& st) {
    switch (st.coding_type) {
        case kCyclic:
            st.n0 = static_cast<Byte>(degree(st.Polinom_default) + 4);
            break;
        case kHamming:
            st.n0 = 7;
            break;
        case kContinuous:
            st.n0 = static_cast<Byte>(2 * (st.L_default + 4));
            break;
        default:
            break;
    }
}

}  // namespace tavolin::reference
