// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/packet_kernels.h"

#include <algorithm>

namespace tavolin {

void encode(const Code& code, const vectb& inp, vectenc& outp, Lanes path) {
    lanes::CodeWords words;
    for (Word s = 0; s < 16; ++s) words[s] = code.encode_one(s);
    switch (path) {
        case Lanes::avx512:
            return lanes::encode_avx512(words, inp, outp);
        case Lanes::avx2:
            return lanes::encode_avx2(words, inp, outp);
        case Lanes::sse2:
        case Lanes::scalar:
            break;
    }
    code.encode(inp, outp);
}

ErrorCounters tally(const TallyInput& in, Lanes path, OffDiagonal& off) {
    switch (path) {
        case Lanes::avx512:
            return lanes::tally_avx512(in, off);
        case Lanes::avx2:
            return lanes::tally_avx2(in, off);
        case Lanes::sse2:
        case Lanes::scalar:
            break;
    }
    return lanes::tally_words(in, 0, off);
}

namespace lanes {

ErrorCounters tally_words(const TallyInput& in, std::size_t first, OffDiagonal& off) {
    ErrorCounters c;
    for (std::size_t i = first; i < in.size; ++i) {
        const Word received = in.received[i].inv;
        const Byte entry = in.table[received];
        const auto decoded = static_cast<Byte>(entry & kDecodedSymbol);
        const Byte sent = in.sent[i];
        in.decoded[i] = {decoded, 0};
        const bool distorted = in.coded[i].inv != received;
        const bool detected = distorted && (entry & kFoundError) != 0;
        c.iskaj += distorted;
        c.oshib += detected;
        c.ispr += detected && sent == decoded;
        const Byte cls = std::min(decoded, in.n);
        off[kPairStride * sent + cls] += cls != sent;
    }
    return c;
}

}  // namespace lanes
}  // namespace tavolin
