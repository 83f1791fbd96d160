// SPDX-License-Identifier: GPL-3.0-or-later
#include "codes/code.h"

#include "codes/continuous.h"
#include "codes/cyclic.h"
#include "codes/hamming.h"
#include "codes/no_coding.h"
#include "core/check.h"

namespace tavolin {

Code::Code(const SimState& st, CodingType type, fcode coder, Byte n0, MarkRule marks,
           InformationBits info, const vectw& decoding)
    : n0_(n0), marks_(marks), info_(info) {
    for (Word s = 0; s < 16; ++s) words_[s] = coder(st, s);
    identity_ = {type, n0};
    identity_.insert(identity_.end(), words_.begin(), words_.end());
    identity_.insert(identity_.end(), decoding.begin(), decoding.end());
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

NoCode::NoCode(const SimState& st)
    : CountingCode(st, kNoCoding, encode_apriory_one, 4, MarkRule::passed_on, {}) {}

void NoCode::decode(const vectenc& inp, vectenc& outp, Integer&) const {
    for (std::size_t i = 0; i < inp.size(); ++i) outp[i] = inp[i];
}

}  // namespace tavolin
