// SPDX-License-Identifier: GPL-3.0-or-later
// The one choice of lanes: a table of kernels for every pass of a packet, chosen once per
// process from what the processor runs (TAVOLIN_LANES=scalar|sse2|avx2|avx512 forces one, for
// tests and for comparison), and called through wherever a packet passes. An entry left empty
// is a pass the path makes without lanes: the scalar path has none, so that it keeps the
// generator's walk and the codes' own decoders, the reference every other path is tested
// against.
#pragma once

#include <optional>
#include <string>

#include "channel/lanes/draw_inputs.h"
#include "channel/lanes/packet_inputs.h"
#include "channel/lanes/paths.h"

namespace tavolin {

struct LaneKernels {
    Lanes lanes;
    // The channel's bit draws for rows that fit the lanes (lanes::noise_fits); whether any bit
    // was erased.
    bool (*noise)(const lanes::NoiseRows& r, Byte n0, const vectenc& inp, vectenc& outp,
                  Integer& seed);
    // The message's symbol draws for an alphabet that fits the lanes (lanes::symbols_fit).
    void (*draw)(const lanes::SymbolThresholds& t, vectb& inp_s, vectc& counts, Integer& seed);
    // outp[i] = the code word of inp[i] for every symbol.
    void (*encode)(const CodeWords& words, const vectb& inp, vectenc& outp);
    // Decodes a packet of words without erasure marks by the table, adds the pairs off the
    // diagonal to `off` and returns the error counts.
    ErrorCounters (*tally)(const TallyInput& in, OffDiagonal& off);
    // The same for words that may carry marks, by the code's mark rule; the tie-break draws
    // continue from `RandSeed` in the words' order, as the code's own decoder makes them.
    ErrorCounters (*tally_marked)(const TallyInput& in, OffDiagonal& off, Integer& RandSeed);
};

// The kernels of a path; it must be supported.
const LaneKernels& kernels_of(Lanes lanes);
// The kernels in use: the widest path's unless chosen otherwise.
const LaneKernels& lane_kernels();
inline Lanes active_lanes() {
    return lane_kernels().lanes;
}
// Chooses the path; it must be supported.
void use_lanes(Lanes lanes);

// Applies TAVOLIN_LANES when it is set. Returns the message for a name that is not a path or a
// path this processor cannot run; the path in use is then left as it was.
std::optional<std::string> use_lanes_from_environment();

}  // namespace tavolin
