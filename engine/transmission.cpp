// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/transmission.h"

#include "channel/lanes/kernels.h"
#include "channel/matrices.h"
#include "channel/noise.h"
#include "channel/source.h"
#include "codes/received_table.h"
#include "core/random.h"
#include "core/sums.h"

namespace tavolin {

Packet& scratch_packet(std::size_t sz) {
    thread_local Packet p(0);
    p.inp_s.resize(sz);
    p.s2_coded.resize(sz);
    p.s3_noise.resize(sz);
    p.s4.resize(sz);
    p.erased = false;
    return p;
}

void transmit(SimState& st, const Code& code, const vect& probs, const matr& isk, Packet& p,
              vectc& counts) {
    draw_message(st, probs, p.inp_s, counts);
    st.n0 = code.n0();
    if (const auto lane_encode = lane_kernels().encode) {
        CodeWords words;
        for (Word s = 0; s < 16; ++s) words[s] = code.encode_one(s);
        lane_encode(words, p.inp_s, p.s2_coded);
    } else {
        code.encode(p.inp_s, p.s2_coded);
    }
    p.erased = noise(st, p.s2_coded, p.s3_noise, isk);
}

void decode_and_count(SimState& st, const Code& code, Packet& p, const vectc& sent, Count run_words,
                      ErrorCounters& errors, matrc* pairs) {
    // The scalar path keeps the codes' own decoders: the reference the lanes are tested against.
    const LaneKernels& kernels = lane_kernels();
    const bool in_lanes = p.erased ? kernels.tally_marked != nullptr : kernels.tally != nullptr;
    const std::shared_ptr<const ReceivedTable> table =
        in_lanes ? received_table(code, run_words) : nullptr;
    if (!table) {
        code.decode(p.s3_noise, p.s4, st.RandSeed);
        errors += code.count_errors(p.inp_s, p.s2_coded, p.s3_noise, p.s4);
        if (pairs) count_pairs(p, *pairs);
        return;
    }
    const auto n = static_cast<Byte>(sent.size());
    OffDiagonal off{};
    const TallyInput in{
        *table, p.inp_s.data(), p.s2_coded.data(), p.s3_noise.data(), p.s4.data(), p.size(), n};
    errors += p.erased ? kernels.tally_marked(in, off, st.RandSeed) : kernels.tally(in, off);
    if (!pairs) return;
    for (std::size_t s = 0; s < n; ++s) {
        Count astray = 0;
        for (std::size_t c = 0; c <= n; ++c) {
            if (c == s) continue;
            (*pairs)[s][c] += off[kPairStride * s + c];
            astray += off[kPairStride * s + c];
        }
        (*pairs)[s][s] += sent[s] - astray;
    }
}

void count_pairs(const Packet& p, matrc& pairs) {
    const auto n = static_cast<Byte>(pairs.size());
    // The rows' own storage, looked up once rather than through the outer vector per symbol.
    Count* rows[DrawTable::kMax];
    for (std::size_t r = 0; r < pairs.size(); ++r) rows[r] = pairs[r].data();
    for (std::size_t i = 0; i < p.size(); ++i) ++rows[p.inp_s[i]][received_class(p.s4[i], n)];
}

vect frequencies(const vectc& counts, Extended total) {
    vect f(counts.size());
    for (std::size_t i = 0; i < counts.size(); ++i) f[i] = static_cast<Extended>(counts[i]) / total;
    return f;
}

matr apriori_matrix(const matr& isk, Byte n, bool model_switch) {
    return model_switch ? kan_matr_big(isk, n) : kan_matr(isk, n);
}

matr posterior_matrix(const matrc& pairs) {
    // Counts below 2^64 are exact in `Extended`, so each row's total is their exact sum.
    matr k_m(pairs.size());
    for (std::size_t r = 0; r < pairs.size(); ++r) k_m[r].assign(pairs[r].begin(), pairs[r].end());
    return posterior_matrix(std::move(k_m));
}

matr posterior_matrix(matr weights) {
    for (vect& row : weights) {
        const Extended s = Sum(row);
        if (s > 0)
            for (Extended& v : row) v /= s;
    }
    return weights;
}

}  // namespace tavolin
