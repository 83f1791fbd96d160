// SPDX-License-Identifier: GPL-3.0-or-later
// A study's file, its codes and its checks, in the engine: what the writer writes the reader
// takes back value for value, the 80-bit ones bit for bit.
#include "engine/study_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <sstream>

#include "engine/exact.h"
#include "engine/study_check.h"
#include "engine/study_codes.h"
#include "engine/study_columns.h"

namespace tavolin {
namespace {

bool same_bits(Extended a, Extended b) {
    return std::memcmp(&a, &b, 10) == 0;  // the 80 bits, sign of zero included
}

StudyPlan small_plan(bool erasure) {
    StudyPlan p;
    p.varied = erasure ? Varied::e : Varied::p;
    p.from = 0.0625L;
    p.to = 0.2L;
    p.points = 3;
    p.log = true;
    p.base.erasure = erasure;
    p.base.size = "300";
    p.base.bit_time = "0.001";
    p.stop = {40, 6000};
    p.seed1 = 7;
    p.seed2 = -8;
    for (const char* name : {"cyclic:1011", "hamming", "none", "continuous:2", "hamming"})
        if (!erasure || std::string(name).rfind("continuous", 0) != 0)
            p.codes.push_back(*read_study_code(name).code);
    return p;
}

std::string json_of(const StudyPlan& plan, const std::vector<StudyCell>& cells) {
    std::ostringstream out;
    write_study_json(out, plan, cells);
    return out.str();
}

// Every column of every cell, compared through the column table itself and field by field.
void expect_same_cells(const StudyPlan& plan, const std::vector<StudyCell>& written,
                       const std::vector<StudyCell>& read) {
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t k = 0; k < written.size(); ++k) {
        const StudyCell &a = written[k], &b = read[k];
        for (const StudyColumn& c : study_columns())
            EXPECT_EQ(c.write(a, plan), c.write(b, plan)) << "cell " << k << ", " << c.name;
        for (auto m :
             {&StudyCell::value, &StudyCell::detected_share, &StudyCell::corrected_share,
              &StudyCell::wrong_rate, &StudyCell::entropy_source, &StudyCell::entropy_receiver,
              &StudyCell::entropy_noise, &StudyCell::useful_apriori, &StudyCell::useful_aposteriori,
              &StudyCell::useful_per_bit, &StudyCell::capacity})
            EXPECT_TRUE(same_bits(a.*m, b.*m)) << "cell " << k;
        for (auto m : {&StudyCell::detected_ci, &StudyCell::corrected_ci, &StudyCell::wrong_ci}) {
            ASSERT_EQ((a.*m).has_value(), (b.*m).has_value()) << "cell " << k;
            if (a.*m) {
                EXPECT_TRUE(same_bits((a.*m)->lo, (b.*m)->lo));
                EXPECT_TRUE(same_bits((a.*m)->hi, (b.*m)->hi));
            }
        }
        for (auto m : {&StudyCell::detected_share_exact, &StudyCell::corrected_share_exact,
                       &StudyCell::wrong_rate_exact, &StudyCell::useful_aposteriori_exact,
                       &StudyCell::useful_per_bit_exact}) {
            ASSERT_EQ((a.*m).has_value(), (b.*m).has_value()) << "cell " << k;
            EXPECT_TRUE(!(a.*m) || same_bits(*(a.*m), *(b.*m))) << "cell " << k;
        }
        EXPECT_EQ(a.code, b.code);
        EXPECT_EQ(a.rate_apriori, b.rate_apriori);
        EXPECT_EQ(a.rate_aposteriori, b.rate_aposteriori);
    }
}

// Measured and exact, exact values alone, and measured alone.
struct Kind {
    bool exact, exact_only;
};
constexpr Kind kKinds[] = {{true, false}, {true, true}, {false, false}};

TEST(StudyFile, EveryColumnOfARunStudyReadsBackAsWritten) {
    for (bool erasure : {false, true})
        for (const Kind kind : kKinds) {
            StudyPlan plan = small_plan(erasure);
            plan.exact = kind.exact;
            plan.exact_only = kind.exact_only;
            const std::atomic<bool> never{false};
            const std::vector<StudyCell> cells = run_study(plan, 2, never);
            ASSERT_EQ(cells.size(), 3 * plan.codes.size());
            const std::string text = json_of(plan, cells);
            const StudyFileRead read = read_study_json(text);
            ASSERT_TRUE(read.study) << read.refusal->field;
            EXPECT_EQ(read.study->plan.exact, kind.exact);
            EXPECT_EQ(read.study->plan.exact_only, kind.exact_only);
            expect_same_cells(plan, cells, read.study->cells);
            EXPECT_EQ(json_of(read.study->plan, read.study->cells), text);
        }
}

// A cell's exact values are the exact calculation's for its inputs and code, the shares left
// empty where their denominator cannot occur (p = 0: no distorted word); an exact-only cell
// draws nothing and is complete at once, its measured columns empty.
TEST(StudyCells, CarryTheExactValuesOfTheirInputs) {
    for (const Kind kind : kKinds) {
        StudyPlan plan = small_plan(false);
        plan.from = 0;
        plan.log = false;
        plan.exact = kind.exact;
        plan.exact_only = kind.exact_only;
        const std::atomic<bool> never{false};
        for (const StudyCell& c : run_study(plan, 1, never)) {
            const std::string what = value_text(c.value) + " " + plan.codes[c.code].name;
            if (!kind.exact) {
                EXPECT_FALSE(c.wrong_rate_exact || c.detected_share_exact ||
                             c.corrected_share_exact || c.useful_aposteriori_exact ||
                             c.useful_per_bit_exact)
                    << what;
                EXPECT_GT(c.ticks, 0) << what;
                continue;
            }
            const std::optional<ExactValues> x =
                exact_values(cell_texts(plan, c.value), plan.codes[c.code]);
            ASSERT_TRUE(x && c.wrong_rate_exact && c.useful_aposteriori_exact &&
                        c.useful_per_bit_exact)
                << what;
            EXPECT_TRUE(same_bits(*c.wrong_rate_exact, x->wrong_rate)) << what;
            EXPECT_TRUE(same_bits(*c.useful_aposteriori_exact, x->useful_aposteriori)) << what;
            EXPECT_TRUE(same_bits(*c.useful_per_bit_exact, x->useful_per_bit)) << what;
            EXPECT_EQ(c.detected_share_exact.has_value(), c.value > 0) << what;
            EXPECT_TRUE(!c.detected_share_exact ||
                        same_bits(*c.detected_share_exact, x->detected_share))
                << what;
            EXPECT_TRUE(!c.corrected_share_exact ||
                        same_bits(*c.corrected_share_exact, x->corrected_share))
                << what;
            EXPECT_EQ(c.ticks == 0 && c.symbols == 0 && c.distorted == 0, kind.exact_only) << what;
            EXPECT_TRUE(c.complete) << what;
            if (kind.exact_only) {
                EXPECT_TRUE(same_bits(c.capacity, x->capacity)) << what;
                for (const StudyColumn& col : study_columns()) {
                    const std::string name = col.name;
                    const bool measured = name.find("share") != std::string::npos ||
                                          name.find("rate") != std::string::npos ||
                                          name.find("entropy") != std::string::npos ||
                                          name.find("useful") != std::string::npos ||
                                          name.ends_with("_lo") || name.ends_with("_hi");
                    EXPECT_TRUE(!measured || name.ends_with("_exact") || !col.write(c, plan))
                        << what << " " << name;
                }
            }
        }
    }
}

// A file written before studies had exact values (no such inputs, no such columns) reads as a
// study without them, written again with the columns empty.
TEST(StudyFile, AFileWithoutExactValuesReadsAsAStudyWithoutThem) {
    StudyPlan plan = small_plan(false);
    plan.exact = false;
    const std::atomic<bool> never{false};
    const std::vector<StudyCell> cells = run_study(plan, 2, never);
    const std::string text = json_of(plan, cells);
    std::string old = text;
    for (const std::string cut : {",\"exact\":false", ",\"exact_only\":false"})
        old.erase(old.find(cut), cut.size());
    for (std::size_t at; (at = old.find(",\"wrong_rate_exact\"")) != std::string::npos;)
        old.erase(at, old.find('}', at) - at);
    ASSERT_EQ(old.find("_exact"), std::string::npos);
    const StudyFileRead read = read_study_json(old);
    ASSERT_TRUE(read.study) << read.refusal->field;
    EXPECT_FALSE(read.study->plan.exact);
    expect_same_cells(plan, cells, read.study->cells);
    EXPECT_EQ(json_of(read.study->plan, read.study->cells), text);
}

// Hand-made cells at the edges of the numbers: -0, values beyond a double, the smallest and
// largest 80-bit values, denormal and largest doubles, cells without intervals or rates.
TEST(StudyFile, EdgeValuesReadBackBitForBit) {
    StudyPlan plan = small_plan(false);
    plan.from = -0.0L;
    plan.log = false;
    plan.base.bit_time = "1e4000";
    StudyCell a;
    a.point = 0;
    a.value = -0.0L;
    a.detected_share = 1e4000L;
    a.detected_ci = Interval{-0.0L, std::numeric_limits<Extended>::max()};
    a.entropy_source = std::numeric_limits<Extended>::denorm_min();
    a.entropy_noise = -std::numeric_limits<Extended>::min();
    a.useful_apriori = 1e-4000L;
    a.rate_apriori = std::numeric_limits<double>::denorm_min();
    a.rate_aposteriori = std::numeric_limits<double>::max();
    a.ticks = a.symbols = std::numeric_limits<Count>::max();
    a.wrong_rate_exact = -0.0L;
    a.detected_share_exact = std::numeric_limits<Extended>::denorm_min();
    a.useful_per_bit_exact = 1e-4000L;
    a.seed1 = std::numeric_limits<Integer>::min();
    StudyCell b;  // no intervals, no rates
    b.point = 2;
    b.code = 2;
    b.value = 0.2L;
    b.complete = true;
    const std::string text = json_of(plan, {a, b});
    const StudyFileRead read = read_study_json(text);
    ASSERT_TRUE(read.study) << read.refusal->field;
    EXPECT_TRUE(same_bits(read.study->plan.from, -0.0L));
    expect_same_cells(plan, {a, b}, read.study->cells);
    EXPECT_EQ(json_of(read.study->plan, read.study->cells), text);
}

struct BrokenFile {
    const char* name;
    std::string from, to;  // replaced once in a good file
    StudyFileRefusal::Kind kind;
    const char* field;
};

class StudyFileRefused : public testing::TestWithParam<BrokenFile> {};

TEST_P(StudyFileRefused, NamesWhatIsWrong) {
    const StudyPlan plan = small_plan(false);
    StudyCell c;
    c.value = 0.0625L;
    std::string text = json_of(plan, {c});
    const BrokenFile& b = GetParam();
    const std::size_t at = text.find(b.from);
    ASSERT_NE(at, std::string::npos) << b.from;
    text.replace(at, b.from.size(), b.to);
    const StudyFileRead read = read_study_json(text);
    ASSERT_FALSE(read.study);
    EXPECT_EQ(read.refusal->kind, b.kind);
    EXPECT_EQ(read.refusal->field, b.field);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StudyFileRefused,
    testing::Values(BrokenFile{"cut", "]}", "", StudyFileRefusal::Kind::NotJson, ""},
                    BrokenFile{"count_as_number", "\"symbols\":0", "\"symbols\":0.5",
                               StudyFileRefusal::Kind::BadField, "symbols"},
                    BrokenFile{"negative_count", "\"symbols\":0", "\"symbols\":-3",
                               StudyFileRefusal::Kind::BadField, "symbols"},
                    BrokenFile{"flag_as_number", "\"complete\":false", "\"complete\":0",
                               StudyFileRefusal::Kind::BadField, "complete"},
                    BrokenFile{"missing_column", "\"capacity\":", "\"capacities\":",
                               StudyFileRefusal::Kind::BadField, "capacity"},
                    BrokenFile{"exact_only_without_exact", "\"exact\":true,\"exact_only\":false",
                               "\"exact\":false,\"exact_only\":true",
                               StudyFileRefusal::Kind::BadField, "exact"},
                    BrokenFile{"exact_as_text", "\"wrong_rate_exact\":null",
                               "\"wrong_rate_exact\":\"0.5\"", StudyFileRefusal::Kind::BadField,
                               "wrong_rate_exact"},
                    BrokenFile{"half_an_interval", "\"detected_hi\":null", "\"detected_hi\":0.5",
                               StudyFileRefusal::Kind::BadField, "detected_hi"},
                    BrokenFile{"rate_beyond_a_double", "\"rate_apriori\":null",
                               "\"rate_apriori\":1e400", StudyFileRefusal::Kind::BadField,
                               "rate_apriori"},
                    BrokenFile{"unknown_code", "\"code\":\"cyclic:1011\"", "\"code\":\"golay\"",
                               StudyFileRefusal::Kind::BadField, "code"},
                    BrokenFile{"point_outside", "{\"point\":0", "{\"point\":3",
                               StudyFileRefusal::Kind::BadField, "point"},
                    BrokenFile{"from_above_to", "\"from\":0.0625", "\"from\":0.5",
                               StudyFileRefusal::Kind::BadField, "to"}),
    [](const testing::TestParamInfo<BrokenFile>& i) { return i.param.name; });

struct CodeName {
    const char* name;
    bool known;
    std::optional<SettingRefusal> refusal;
    Byte coding_type;
    Word parameter;  // the polynomial or the frame, where the name gives one
};

class StudyCodeNames : public testing::TestWithParam<CodeName> {};

TEST_P(StudyCodeNames, ReadAsTheSettingsPromptsCheck) {
    const CodeName& c = GetParam();
    const StudyCodeRead read = read_study_code(c.name);
    EXPECT_EQ(read.code.has_value(), c.known);
    EXPECT_EQ(read.refusal, c.refusal);
    if (!read.code) return;
    EXPECT_EQ(read.code->name, c.name);
    EXPECT_EQ(read.code->coding_type, c.coding_type);
    if (c.coding_type == kCyclic && c.parameter) {
        EXPECT_EQ(read.code->polynomial, c.parameter);
    }
    if (c.coding_type == kContinuous && c.parameter) {
        EXPECT_EQ(read.code->frame, c.parameter);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, StudyCodeNames,
    testing::Values(CodeName{"cyclic", true, {}, kCyclic, 0},
                    CodeName{"cyclic:1011", true, {}, kCyclic, 0b1011},
                    CodeName{"cyclic:1111", false, SettingRefusal::PolynomialRefused, 0, 0},
                    CodeName{"cyclic:12", false, SettingRefusal::NotBinary, 0, 0},
                    CodeName{"hamming", true, {}, kHamming, 0},
                    CodeName{"hamming:3", false, {}, 0, 0},
                    CodeName{"continuous:4", true, {}, kContinuous, 4},
                    CodeName{"continuous:0", false, SettingRefusal::FrameOutOfRange, 0, 0},
                    CodeName{"none", true, {}, kNoCoding, 0}, CodeName{"golay", false, {}, 0, 0},
                    CodeName{"", false, {}, 0, 0}),
    [](const testing::TestParamInfo<CodeName>& i) {
        std::string n = *i.param.name ? i.param.name : "empty";
        for (char& ch : n)
            if (ch == ':') ch = '_';
        return n;
    });

struct PlanFault {
    const char* name;
    std::function<void(StudyPlan&)> spoil;
    StudyFault fault;
};

class StudyChecks : public testing::TestWithParam<PlanFault> {};

TEST_P(StudyChecks, RefuseEachFault) {
    StudyPlan plan = small_plan(false);
    ASSERT_FALSE(check_study(plan));
    GetParam().spoil(plan);
    const std::optional<StudyRefusal> r = check_study(plan);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->fault, GetParam().fault);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, StudyChecks,
    testing::Values(
        PlanFault{"no_codes", [](StudyPlan& p) { p.codes.clear(); }, StudyFault::NoCodes},
        PlanFault{"continuous_on_erasure", [](StudyPlan& p) { p.base.erasure = true; },
                  StudyFault::CodeOnErasure},
        PlanFault{"erasure_varied_on_inversion", [](StudyPlan& p) { p.varied = Varied::e1; },
                  StudyFault::VariesErasure},
        PlanFault{"from_negative", [](StudyPlan& p) { p.from = -0.1L; },
                  StudyFault::FromOutOfRange},
        PlanFault{"to_above_one", [](StudyPlan& p) { p.to = 1.5L; }, StudyFault::ToOutOfRange},
        PlanFault{"from_above_to", [](StudyPlan& p) { p.from = 0.3L; }, StudyFault::FromAboveTo},
        PlanFault{"log_from_zero", [](StudyPlan& p) { p.from = 0; }, StudyFault::LogFromZero},
        PlanFault{"no_points", [](StudyPlan& p) { p.points = 0; }, StudyFault::PointsOutOfRange},
        PlanFault{"row_above_one",
                  [](StudyPlan& p) {
                      p.base.erasure = true;
                      p.codes.pop_back();  // hamming, cyclic, none: all take erasures
                      p.codes.erase(p.codes.begin() + 3);
                      p.base.e0 = "0.9";
                  },
                  StudyFault::RowAboveOne},
        PlanFault{"short_alphabet",
                  [](StudyPlan& p) {
                      p.base.probs = {"0.5", "0.5"};
                  },
                  StudyFault::RunRefused},
        PlanFault{"no_stop", [](StudyPlan& p) { p.stop.max_symbols = 0; },
                  StudyFault::StopRuleBelowOne},
        PlanFault{"confidence_one", [](StudyPlan& p) { p.confidence = 1; },
                  StudyFault::ConfidenceOutOfRange}),
    [](const testing::TestParamInfo<PlanFault>& i) { return i.param.name; });

}  // namespace
}  // namespace tavolin
