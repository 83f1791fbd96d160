// SPDX-License-Identifier: GPL-3.0-or-later
// What every run does at its end: show the shares of detected and corrected words, and publish
// the labels, the charts and the matrices.
#pragma once

#include "channel/measures.h"
#include "core/sim_state.h"
#include "engine/run_io.h"

namespace tavolin {

// Label14 and Label12: detected / distorted and corrected / detected, 0 for an empty divisor.
void show_shares(const ErrorCounters& errors, RunOutputs& out);

// The measures of a run's totals, the source distribution `alph_ver` (n entries) under the a
// priori matrix and under the a posteriori one, shown with show_results.
void show_totals(Byte n0, const RunInputs& in, RunOutputs& out, const vect& alph_ver,
                 const matr& k_m_apriori, const matr& k_m);

// Entropies, redundancy, matrices (the a priori one only when given) and both charts.
void show_results(Byte n0, const RunInputs& in, RunOutputs& out, const Measures& apr,
                  const Measures& apost, const matr& k_m, const matr* k_m_apriori);

}  // namespace tavolin
