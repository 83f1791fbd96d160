// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/study_check.h"

#include "engine/recorded_outputs.h"
#include "engine/run_inputs.h"
#include "engine/study_codes.h"

namespace tavolin {

namespace {

StudyRefusal refused(StudyFault fault, Extended at = 0, std::string detail = {}) {
    return {fault, at, std::move(detail)};
}

bool probability(Extended v) {
    return 0 <= v && v <= 1;
}

}  // namespace

std::optional<StudyRefusal> check_study(const StudyPlan& plan) {
    using F = StudyFault;
    if (plan.codes.empty()) return refused(F::NoCodes);
    if (plan.base.erasure)
        for (const StudyCode& c : plan.codes)
            if (!code_kind(c.coding_type).on_erasure) return refused(F::CodeOnErasure, 0, c.name);
    if (varies_erasure(plan.varied) && !plan.base.erasure) return refused(F::VariesErasure);
    if (!probability(plan.from)) return refused(F::FromOutOfRange, plan.from);
    if (!probability(plan.to)) return refused(F::ToOutOfRange, plan.to);
    if (plan.from > plan.to) return refused(F::FromAboveTo, plan.from);
    if (plan.log && plan.from == 0) return refused(F::LogFromZero);
    if (plan.points < 1 || plan.points > kMostStudyPoints)
        return refused(F::PointsOutOfRange, static_cast<Extended>(plan.points));
    // Every row must stay a distribution at every point; a row's sum is monotone in the varied
    // value, so the two ends decide. A cell's run would refuse what the continuous start
    // refuses (a short alphabet, a sum not exactly 1), and an empty study would pass for one.
    for (Extended v : {plan.from, plan.to}) {
        const RunTexts t = cell_texts(plan, v);
        const auto value = [](const std::string& text) { return parse_number(text, '.'); };
        const auto p0 = value(t.p0), p1 = value(t.p1), e0 = value(t.e0), e1 = value(t.e1);
        if (p0 && p1 && e0 && e1 && (*p0 + *e0 > 1 || *p1 + *e1 > 1))
            return refused(F::RowAboveOne, v);
        RecordedOutputs run;
        if (!read_run_inputs(TextInputs(t), run, ReadMode::Continuous))
            return refused(F::RunRefused, v, run.failure.value_or(""));
    }
    if (plan.stop.min_distorted < 1 || plan.stop.max_symbols < 1)
        return refused(F::StopRuleBelowOne);
    if (!(0 < plan.confidence && plan.confidence < 1))
        return refused(F::ConfidenceOutOfRange, plan.confidence);
    return std::nullopt;
}

}  // namespace tavolin
