// SPDX-License-Identifier: GPL-3.0-or-later
// The kernels of each path, which channel/lanes/kernels.cpp puts in the paths' tables. Each
// advances the seed it is given past every draw it makes, as the scalar walk does; the noise
// kernels return whether they erased any bit.
#pragma once

#include "channel/lanes/draw_inputs.h"
#include "channel/lanes/packet_inputs.h"

namespace tavolin::lanes {

bool noise_sse2(const NoiseRows& r, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed);
void draw_sse2(const SymbolThresholds& t, vectb& inp_s, vectc& counts, Integer& seed);

bool noise_avx2(const NoiseRows& r, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed);
void draw_avx2(const SymbolThresholds& t, vectb& inp_s, vectc& counts, Integer& seed);
void encode_avx2(const CodeWords& words, const vectb& inp, vectenc& outp);
ErrorCounters tally_avx2(const TallyInput& in, OffDiagonal& off);
ErrorCounters tally_marked_avx2(const TallyInput& in, OffDiagonal& off, Integer& RandSeed);

bool noise_avx512(const NoiseRows& r, Byte n0, const vectenc& inp, vectenc& outp, Integer& seed);
void draw_avx512(const SymbolThresholds& t, vectb& inp_s, vectc& counts, Integer& seed);
void encode_avx512(const CodeWords& words, const vectb& inp, vectenc& outp);
ErrorCounters tally_avx512(const TallyInput& in, OffDiagonal& off);
ErrorCounters tally_marked_avx512(const TallyInput& in, OffDiagonal& off, Integer& RandSeed);

}  // namespace tavolin::lanes
