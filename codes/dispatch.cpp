#include "codes/dispatch.h"

#include "codes/bitstring.h"
#include "codes/continuous.h"
#include "codes/cyclic.h"
#include "codes/hamming.h"

namespace tavolin {

Code::Code(const SimState& st, fcode coder, Byte n0) : n0_(n0) {
    for (Word s = 0; s < 16; ++s) words_[s] = coder(st, s);
}

std::unique_ptr<Code> make_code(const SimState& st) {
    switch (st.coding_type) {
        case kCyclic:
            return std::make_unique<CyclicCode>(st);
        case kHamming:
            return std::make_unique<HammingCode>(st);
        case kContinuous:
            return std::make_unique<ContinuousCode>(st);
        case kNoCoding:
            return std::make_unique<NoCode>(st);
        default:
            return nullptr;
    }
}

NoCode::NoCode(const SimState& st) : Code(st, encode_apriory_one, 4) {}

void NoCode::decode(const vectenc& inp, vectenc& outp, Integer&) const {
    for (std::size_t i = 0; i < inp.size(); ++i) outp[i] = inp[i];
}

void encode(SimState& st, const vectb& inp, vectenc& outp) {
    if (auto code = make_code(st)) {
        st.n0 = code->n0();
        code->encode(inp, outp);
    }
}

void decode(SimState& st, const vectenc& inp, vectenc& outp) {
    if (auto code = make_code(st)) code->decode(inp, outp, st.RandSeed);
}

void encode_none(SimState& st, const vectb& inp, vectenc& outp) {
    st.n0 = 4;
    for (std::size_t i = 0; i < inp.size(); ++i) outp[i].inv = inp[i];
}

void decode_none(const vectenc& inp, vectenc& outp) {
    for (std::size_t i = 0; i < inp.size(); ++i) outp[i] = inp[i];
}

Word encode_apriory_one(const SimState&, Word inp) {
    return inp;
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

}  // namespace tavolin
