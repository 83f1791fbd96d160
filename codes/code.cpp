#include "codes/code.h"

#include "codes/continuous.h"
#include "codes/cyclic.h"
#include "codes/hamming.h"
#include "codes/no_coding.h"
#include "core/check.h"

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
    }
    TAVOLIN_UNREACHABLE("unknown coding type");
}

Word encode_apriory_one(const SimState&, Word inp) {
    return inp;
}

NoCode::NoCode(const SimState& st) : CountingCode(st, encode_apriory_one, 4) {}

void NoCode::decode(const vectenc& inp, vectenc& outp, Integer&) const {
    for (std::size_t i = 0; i < inp.size(); ++i) outp[i] = inp[i];
}

}  // namespace tavolin
