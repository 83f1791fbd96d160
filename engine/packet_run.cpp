// SPDX-License-Identifier: GPL-3.0-or-later
// How one packet flows:
//   read the inputs (size, alphabet, exact sum, channel), refusing what cannot run;
//   draw sz symbols from the source stream and replace the probabilities by their frequencies;
//   encode under the code chosen for the run, which fixes n0;
//   send every word bit by bit through the channel on the noise stream;
//   a priori side: the channel matrix from the bit matrix, and its measures;
//   decode; count distorted, detected and corrected words and show the shares;
//   a posteriori side: count (sent, received) pairs into a matrix, normalise its rows, measures;
//   publish labels, matrices and charts.
#include "engine/packet_run.h"

#include "channel/matrices.h"
#include "engine/packet_log.h"
#include "engine/run_inputs.h"
#include "engine/statistics.h"
#include "engine/transmission.h"

namespace tavolin {

void doPocket(SimState& st, const RunInputs& in, RunOutputs& out) {
    std::optional<RunSetup> setup = read_run_inputs(in, out, ReadMode::Packet);
    if (!setup) return;
    const std::shared_ptr<const Code> code = make_code(st);
    const auto n = static_cast<Byte>(setup->probs.size());
    const std::size_t sz = setup->sz;

    Packet& p = scratch_packet(sz);
    vectc counts(n, 0);
    transmit(st, *code, setup->probs, setup->isk, p, counts);
    const vect alph_ver = frequencies(counts, static_cast<Extended>(sz));

    const matr k_m_apriori = apriori_matrix(setup->isk, n, in.model_switch());
    if (out.wants_matrices()) out.set_mat1(k_m_apriori);
    const Measures apr = apriori(k_m_apriori, alph_ver);

    matrc pairs(n, vectc(n + 1u, 0));
    st.errors.reset();
    decode_and_count(st, *code, p, counts, sz, st.errors, in.counting_switch() ? nullptr : &pairs);
    show_shares(st.errors, out);

    if (in.counting_switch()) {
        // The channel measured on the code words themselves, before decoding.
        vectw tmp(n);
        encode_mass(*code, tmp);
        for (std::size_t i = 0; i < sz; ++i) {
            const Byte r = posit(tmp, p.s2_coded[i].inv);
            const Byte q = posit(tmp, p.s3_noise[i].inv);
            if (r < n) ++pairs[r][q <= n - 1 && p.s3_noise[i].stir == 0 ? q : n];
        }
    }
    const matr k_m = posterior_matrix(pairs);
    show_results(st.n0, in, out, apr, apriori(k_m, alph_ver), k_m, nullptr);
    if (PacketLog* log = out.packet_log()) {
        log->keep(p, code, n, in.counting_switch());
        out.show_words();
    }
}

}  // namespace tavolin
