#include "engine/continuous_run.h"

#include "channel/matrices.h"
#include "channel/measures.h"
#include "channel/noise.h"
#include "channel/source.h"
#include "codes/dispatch.h"
#include "engine/packet_run.h"
#include "engine/statistics.h"
#include "engine/sums.h"

namespace tavolin {

bool start_nepr(SimState& st, const RunInputs& in, RunOutputs& out) {
    st.free_accumulators();
    std::optional<RunSetup> setup = read_run_inputs(in, out, ReadMode::Continuous);
    if (!setup) return false;
    const auto n = static_cast<Byte>(setup->probs.size());
    st.pocket_size = setup->sz;
    st.sym_povt.assign(n, 0);
    st.alph_ver_main = std::move(setup->probs);
    st.isk_main = std::move(setup->isk);
    set_n0(st);
    if (in.model_switch())
        kan_matr_big(st.k_m_main, st.isk_main, n);
    else
        kan_matr(st.k_m_main, st.isk_main, n);
    if (st.s_matrix) out.set_mat1(st.k_m_main);
    st.k_m_k_s.assign(n, vectc(n + 1u, 0));
    st.errors.reset();
    return true;
}

void step_nepr(SimState& st, const RunInputs& in, RunOutputs& out) {
    const auto n = static_cast<Byte>(st.sym_povt.size());
    const std::size_t sz = st.pocket_size;
    const std::unique_ptr<Code> code = make_code(st);
    if (n == 0 || !code) return;

    Packet p(sz);
    draw_message(st, st.alph_ver_main, p.inp_s, st.sym_povt);
    const Extended total = Summa(st.sym_povt);
    out.show_symbols_sent(static_cast<std::int64_t>(total));
    vect alph_ver(n);
    for (Byte i = 0; i < n; ++i) alph_ver[i] = static_cast<Extended>(st.sym_povt[i]) / total;

    vect apr;
    apriori(st.k_m_main, apr, alph_ver);
    st.n0 = code->n0();
    code->encode(p.inp_s, p.s2_coded);
    noise(st, p.s2_coded, p.s3_noise, st.isk_main);
    code->decode(p.s3_noise, p.s4, st.RandSeed);

    for (std::size_t i = 0; i < sz; ++i) ++st.k_m_k_s[p.inp_s[i]][received_class(p.s4[i], n)];
    matr k_m(n, vect(n + 1u, 0));
    for (Byte i = 0; i < n; ++i) {
        if (st.sym_povt[i] == 0) continue;
        const auto drawn = static_cast<Extended>(st.sym_povt[i]);
        for (std::size_t j = 0; j <= n; ++j)
            k_m[i][j] = static_cast<Extended>(st.k_m_k_s[i][j]) / drawn;
    }
    vect apost;
    apriori(k_m, apost, alph_ver);

    count_errors(st, p, *code, false);
    show_shares(st, out);
    show_results(st, in, out, apr, apost, k_m, &st.k_m_main);
}

void stop_nepr(SimState& st) {
    st.errors.reset();
    st.free_accumulators();
}

}  // namespace tavolin
