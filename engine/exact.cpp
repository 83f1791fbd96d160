// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/exact.h"

#include <array>
#include <cmath>

#include "channel/capacity.h"
#include "engine/recorded_outputs.h"
#include "engine/run_inputs.h"
#include "engine/statistics.h"
#include "engine/study_codes.h"
#include "engine/transmission.h"

namespace tavolin {

namespace {

// x^0 .. x^16, by repeated products: every power keeps the relative precision of x.
struct Powers {
    std::array<Extended, 17> v{};
    explicit Powers(Extended x) {
        v[0] = 1;
        for (std::size_t k = 1; k < v.size(); ++k) v[k] = v[k - 1] * x;
    }
    Extended operator[](int k) const { return v[static_cast<std::size_t>(k)]; }
};

// What one symbol's word does, as probabilities.
struct SymbolProbabilities {
    Extended distorted = 0, detected = 0, corrected = 0;
    std::array<Extended, kDecodedOutcomes> decoded{};
};

// Every term is a product of probabilities, and the terms are added as they are, so a
// probability of 1e-30 is as precise as one of 0.5: nothing is taken as 1 minus the rest.
SymbolProbabilities probabilities(const SymbolOutcomes& s, const matr& isk) {
    const auto entry = [&](std::size_t row, std::size_t col) {
        return col < isk[row].size() ? isk[row][col] : Extended{0};
    };
    const Powers kept0(entry(0, 0)), inverted0(entry(0, 1)), erased0(entry(0, 2));
    const Powers inverted1(entry(1, 0)), kept1(entry(1, 1)), erased1(entry(1, 2));
    SymbolProbabilities p;
    for (const CombinationCounts& c : s.combinations) {
        const Extended w = kept0[s.zeros - c.inverted0 - c.erased0] * inverted0[c.inverted0] *
                           erased0[c.erased0] * kept1[s.ones - c.inverted1 - c.erased1] *
                           inverted1[c.inverted1] * erased1[c.erased1];
        p.distorted += w * c.distorted;
        p.detected += w * c.detected;
        p.corrected += w * c.corrected;
        for (std::size_t k = 0; k < kDecodedOutcomes; ++k) p.decoded[k] += w * c.decoded[k];
    }
    // The table counts half words.
    p.distorted /= 2;
    p.detected /= 2;
    p.corrected /= 2;
    for (Extended& d : p.decoded) d /= 2;
    return p;
}

// The channel-matrix column of a decoded outcome, as the run counts a decoded word.
Byte column_of(std::size_t outcome, Byte n) {
    const enc_sym decoded =
        outcome == kMarkedOutcome ? enc_sym{0, 1} : enc_sym{static_cast<Word>(outcome), 0};
    return received_class(decoded, n);
}

Extended ratio(Extended num, Extended den) {
    return den == 0 ? 0 : num / den;
}

bool any_erasure(const matr& isk) {
    return isk[0].size() > 2 && (isk[0][2] != 0 || isk[1][2] != 0);
}

}  // namespace

std::optional<ExactValues> exact_values(const RunInputs& in, const Code& code, RunOutputs& out,
                                        OutcomeTables& tables) {
    const std::optional<RunSetup> setup = read_run_inputs(in, out, ReadMode::Continuous);
    if (!setup) return std::nullopt;
    const vect& probs = setup->probs;
    const matr& isk = setup->isk;
    const auto n = static_cast<Byte>(probs.size());
    // With no erasure possible, only the words without marks can arrive.
    const std::shared_ptr<const OutcomeTable> table = tables.get(code, any_erasure(isk));

    ExactValues x;
    x.n0 = code.n0();
    x.probs = probs;
    x.distorted.assign(n, 0);
    x.detected.assign(n, 0);
    x.corrected.assign(n, 0);
    x.classes.assign(n, vect(n + 1u, 0));
    Extended distorted = 0, detected = 0, corrected = 0;
    for (Byte s = 0; s < n; ++s) {
        const SymbolProbabilities p = probabilities(table->symbol(s), isk);
        x.distorted[s] = p.distorted;
        x.detected[s] = p.detected;
        x.corrected[s] = p.corrected;
        Extended wrong = 0;
        for (std::size_t k = 0; k < kDecodedOutcomes; ++k) {
            const Byte c = column_of(k, n);
            x.classes[s][c] += p.decoded[k];
            if (c != s) wrong += p.decoded[k];
        }
        distorted += probs[s] * p.distorted;
        detected += probs[s] * p.detected;
        corrected += probs[s] * p.corrected;
        x.wrong_rate += probs[s] * wrong;
    }
    x.detected_share = ratio(detected, distorted);
    x.corrected_share = ratio(corrected, detected);

    // The measures of the expected counts, by the continuous run's own steps.
    x.matrix_apriori = apriori_matrix(isk, n, in.model_switch());
    x.matrix_aposteriori = posterior_matrix(x.classes);
    RecordedOutputs shown;
    show_totals(x.n0, in, shown, probs, x.matrix_apriori, x.matrix_aposteriori);
    x.apriori = shown.apr;
    x.aposteriori = shown.apost;
    x.useful_apriori = shown.apr.useful();
    x.useful_aposteriori = shown.apost.useful();
    const auto finite = [](std::optional<double> v) {
        return v && std::isfinite(*v) ? v : std::nullopt;
    };
    if (const auto it = shown.bars.find(Chart::Chart2); it != shown.bars.end()) {
        x.rate_apriori = finite(it->second.first);
        x.rate_aposteriori = finite(it->second.second);
    }
    x.useful_per_bit = x.useful_aposteriori / x.n0;
    x.capacity = channel_capacity(isk);
    return x;
}

std::optional<ExactValues> exact_values(const RunTexts& texts, const StudyCode& code,
                                        OutcomeTables& tables) {
    const std::unique_ptr<Code> made = make_code(code_state(code));
    const TextInputs in(texts);
    RecordedOutputs refusal;
    return exact_values(in, *made, refusal, tables);
}

}  // namespace tavolin
