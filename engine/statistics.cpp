// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/statistics.h"

#include "core/defaults.h"
#include "core/number_text.h"

namespace tavolin {

namespace {

// The a priori rate is always divided by 7, the a posteriori one by the run's word length.
constexpr Extended kAprioriWordLength = 7;

Extended ratio(Count num, Count den) {
    return den == 0 ? 0 : static_cast<Extended>(num) / static_cast<Extended>(den);
}

}  // namespace

void show_shares(const ErrorCounters& errors, RunOutputs& out) {
    out.show_value(ValueLabel::Label14, ratio(errors.oshib, errors.iskaj));
    out.show_value(ValueLabel::Label12, ratio(errors.ispr, errors.oshib));
}

void show_totals(Byte n0, const RunInputs& in, RunOutputs& out, const vect& alph_ver,
                 const matr& k_m_apriori, const matr& k_m) {
    const Measures apr = apriori(k_m_apriori, alph_ver);
    const Measures apost = apriori(k_m, alph_ver);
    show_results(n0, in, out, apr, apost, k_m, &k_m_apriori);
}

void show_results(Byte n0, const RunInputs& in, RunOutputs& out, const Measures& apr,
                  const Measures& apost, const matr& k_m, const matr* k_m_apriori) {
    out.show_measures(apr, apost);
    out.show_value(ValueLabel::Label20, apost.source);
    out.show_value(ValueLabel::Label21, apost.receiver);
    out.show_value(ValueLabel::Label22, apost.noise);
    out.show_value(ValueLabel::Label19, static_cast<Extended>(n0 - 4) / n0);
    if (out.wants_matrices()) {
        if (k_m_apriori) out.set_mat1(*k_m_apriori);
        out.set_mat2(k_m);
        out.show_matrix();
    }
    const Extended useful_apr = apr.useful();
    const Extended useful_apost = apost.useful();
    out.show_bars(Chart::Chart1, static_cast<double>(useful_apr),
                  static_cast<double>(useful_apost));

    const Extended t = to_number_or(in.bit_time_text(), in.decimal_separator(), kStartup.bit_time);
    if (t == 0) {
        // Nothing is sent per second when a bit takes no time: no rate bars rather than infinity.
        out.show_bars(Chart::Chart2, std::nullopt, std::nullopt);
        return;
    }
    out.show_bars(Chart::Chart2, static_cast<double>(useful_apr / t / kAprioriWordLength),
                  static_cast<double>(useful_apost / t / n0));
}

}  // namespace tavolin
