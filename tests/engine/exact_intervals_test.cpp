// SPDX-License-Identifier: GPL-3.0-or-later
// The whole engine's honesty: over several hundred small study cells on both channels, every
// code and several seeds, the 95% intervals hold the exact values in at least 93% of the cells.
#include <gtest/gtest.h>

#include "engine/study.h"
#include "exact_fixture.h"

namespace tavolin {
namespace {

using testing_support::study_code;

StudyPlan small_cells(bool erasure, std::vector<const char*> codes, Integer seed1, Integer seed2) {
    StudyPlan plan;
    plan.base.erasure = erasure;
    plan.base.size = "500";
    if (erasure) {
        plan.base.p0 = "0.01";
        plan.base.p1 = "0.03";
    }
    plan.varied = erasure ? Varied::e : Varied::p;
    plan.from = 0.005L;
    plan.to = erasure ? 0.3L : 0.15L;
    plan.points = 20;
    plan.log = true;
    for (const char* c : codes) plan.codes.push_back(study_code(c));
    plan.stop = {200, 50000};
    plan.seed1 = seed1;
    plan.seed2 = seed2;
    return plan;
}

struct Coverage {
    int cells = 0, covered = 0;
    void add(const std::optional<Interval>& ci, Extended exact) {
        // A share that is exactly 0 or 1 is held by any interval that reaches the end; it
        // says nothing about the width.
        if (!ci || exact <= 0 || exact >= 1) return;
        ++cells;
        covered += ci->lo <= exact && exact <= ci->hi;
    }
    double share() const { return cells == 0 ? 0 : static_cast<double>(covered) / cells; }
};

TEST(ExactIntervals, NinetyFivePercentIntervalsHoldTheExactValues) {
    const std::vector<const char*> inversion_codes = {"cyclic:1101", "cyclic:1011", "hamming",
                                                      "continuous:3", "none"};
    const std::vector<const char*> erasure_codes = {"cyclic:1101", "hamming", "none"};
    const std::pair<Integer, Integer> seeds[] = {{1, 2}, {7, -3}, {11, 13}};
    Coverage detected, corrected, wrong;
    int cells = 0;
    const std::atomic<bool> never{false};
    for (const bool erasure : {false, true})
        for (const auto& [s1, s2] : seeds) {
            const StudyPlan plan =
                small_cells(erasure, erasure ? erasure_codes : inversion_codes, s1, s2);
            for (const StudyCell& cell : run_study(plan, 2, never)) {
                ASSERT_TRUE(cell.complete);
                const std::optional<ExactValues> x =
                    exact_values(cell_texts(plan, cell.value), plan.codes[cell.code]);
                ASSERT_TRUE(x);
                detected.add(cell.detected_ci, x->detected_share);
                corrected.add(cell.corrected_ci, x->corrected_share);
                wrong.add(cell.wrong_ci, x->wrong_rate);
                ++cells;
            }
        }
    EXPECT_EQ(cells, 3 * 20 * (5 + 3));
    for (const auto& [name, c] : {std::pair{"detected", detected},
                                  std::pair{"corrected", corrected}, std::pair{"wrong", wrong}}) {
        EXPECT_GE(c.cells, 300) << name;
        EXPECT_GE(c.share(), 0.93) << name << ": " << c.covered << " of " << c.cells;
    }
}

}  // namespace
}  // namespace tavolin
