// SPDX-License-Identifier: GPL-3.0-or-later
// Exact values of a run's measures: what an accumulating continuous run's shares, rates,
// matrices and entropies tend to as its symbols grow. Every symbol is sent with its entered
// probability, every outcome of its word is taken from the code's table of outcomes
// (engine/exact_table.h) with its probability under the channel, and the matrices go through
// the measures the runs use.
#pragma once

#include <optional>

#include "channel/measures.h"
#include "codes/code.h"
#include "engine/exact_table.h"
#include "engine/run_io.h"
#include "engine/study.h"

namespace tavolin {

struct ExactValues {
    Byte n0 = 0;
    vect probs;  // of the n symbols, as entered
    // Per sent symbol: the probability that its word arrives distorted, that the check then
    // detects it, and that it is detected and decoded back to the symbol.
    vect distorted, detected, corrected;
    // P(received class | sent symbol): n rows of the n symbols and the other column.
    matr classes;
    // detected / distorted and corrected / detected as the window shows them, and the share of
    // symbols not received as themselves.
    Extended detected_share = 0, corrected_share = 0, wrong_rate = 0;
    matr matrix_apriori, matrix_aposteriori;
    Measures apriori, aposteriori;  // bits per symbol
    Extended useful_apriori = 0, useful_aposteriori = 0;
    std::optional<double> rate_apriori, rate_aposteriori;  // none at a bit time of 0
    Extended useful_per_bit = 0;                           // a posteriori, per channel bit
    Extended capacity = 0;                                 // bits per channel use
};

// The exact values of a continuous run of `code` with the inputs `in`, read and checked as the
// continuous start reads them; nothing when the start would refuse them (the refusal is then
// reported through `out`, as the start reports it).
std::optional<ExactValues> exact_values(const RunInputs& in, const Code& code, RunOutputs& out,
                                        OutcomeTables& tables = kept_outcome_tables());

// The exact values of a study's cell: the inputs `texts` (cell_texts at the point) and the
// study's code. Cheap after the first call for a code: its table of outcomes is kept in
// `tables`.
std::optional<ExactValues> exact_values(const RunTexts& texts, const StudyCode& code,
                                        OutcomeTables& tables = kept_outcome_tables());

}  // namespace tavolin
