// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/continuous_run.h"

#include "core/sums.h"
#include "engine/packet_log.h"
#include "engine/run_inputs.h"
#include "engine/statistics.h"
#include "engine/transmission.h"

namespace tavolin {

bool start_nepr(SimState& st, const RunInputs& in, RunOutputs& out) {
    ContinuousTotals& t = st.totals;
    t.reset();
    std::optional<RunSetup> setup = read_run_inputs(in, out, ReadMode::Continuous);
    if (!setup) return false;
    const auto n = static_cast<Byte>(setup->probs.size());
    t.pocket_size = setup->sz;
    t.sym_povt.assign(n, 0);
    t.alph_ver_main = std::move(setup->probs);
    t.isk_main = std::move(setup->isk);
    st.n0 = make_code(st)->n0();
    t.k_m_main = apriori_matrix(t.isk_main, n, in.model_switch());
    if (out.wants_matrices()) out.set_mat1(t.k_m_main);
    t.k_m_k_s.assign(n, vectc(n + 1u, 0));
    st.errors.reset();
    return true;
}

void step_nepr(SimState& st, const RunInputs& in, RunOutputs& out) {
    add_packet_nepr(st, out);
    show_nepr(st, in, out);
}

void add_packet_nepr(SimState& st, RunOutputs& out) {
    ContinuousTotals& t = st.totals;
    if (t.sym_povt.empty()) return;
    const std::shared_ptr<const Code> code = make_code(st);
    Packet& p = scratch_packet(t.pocket_size);
    vectc sent(t.sym_povt.size(), 0);
    transmit(st, *code, t.alph_ver_main, t.isk_main, p, sent);
    Count run_words = p.size();
    for (Count c : t.sym_povt) run_words += c;
    decode_and_count(st, *code, p, sent, run_words, st.errors, &t.k_m_k_s);
    for (std::size_t s = 0; s < sent.size(); ++s) t.sym_povt[s] += sent[s];
    out.show_symbols_sent(static_cast<std::int64_t>(Summa(t.sym_povt)));
    if (PacketLog* log = out.packet_log()) {
        log->keep(p, code, static_cast<Byte>(sent.size()), false);
        out.show_words();
    }
}

void show_nepr(const SimState& st, const RunInputs& in, RunOutputs& out) {
    const ContinuousTotals& t = st.totals;
    if (t.sym_povt.empty()) return;
    const vect alph_ver = frequencies(t.sym_povt, Summa(t.sym_povt));
    show_shares(st.errors, out);
    show_totals(st.n0, in, out, alph_ver, t.k_m_main, posterior_matrix(t.k_m_k_s));
}

void stop_nepr(SimState& st) {
    st.errors.reset();
    st.totals.reset();
}

}  // namespace tavolin
