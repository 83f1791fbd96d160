// SPDX-License-Identifier: GPL-3.0-or-later
// Exact values against what the engine measures: long continuous runs of every code on both
// channels, and the confidence intervals of many small study cells.
#include <gtest/gtest.h>

#include <cmath>

#include "../case_names.h"
#include "engine/recorded_outputs.h"
#include "engine/run_control.h"
#include "exact_fixture.h"

namespace tavolin {
namespace {

using testing_support::Channel;
using testing_support::channel_texts;
using testing_support::exact_of;
using testing_support::study_code;
using testing_support::wrong_of;

struct Measured {
    vectc sent;
    matrc pairs;
    ErrorCounters errors;
    Measures apost;
};

// An accumulating continuous run of packets of 10000 until it has sent `symbols`.
Measured measure(RunTexts texts, const char* code, Count symbols) {
    texts.size = "10000";
    SimState st = code_state(study_code(code));
    st.seed1 = 20240611;
    st.seed2 = -77;
    const TextInputs in(texts);
    RecordedOutputs out;
    RunControl control(st, in, out);
    EXPECT_TRUE(control.start(RunMode::Continuous));
    while (static_cast<Count>(out.symbols_sent) < symbols) control.advance();
    control.show();
    return {st.totals.sym_povt, st.totals.k_m_k_s, st.errors, out.apost};
}

// A count of independent trials, one per symbol sent, against its expectation: within `sigmas`
// standard deviations, and `slack` more for counts so rare that a few events are many
// deviations.
testing::AssertionResult within(Count got, Extended expected, Extended variance, Extended sigmas,
                                Extended slack) {
    const Extended off = std::fabs(static_cast<Extended>(got) - expected);
    if (off <= sigmas * std::sqrt(variance) + slack) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "counted " << got << ", expected " << static_cast<double>(expected)
           << " with deviation " << static_cast<double>(std::sqrt(variance));
}

struct RunCase {
    Channel channel;
    const char* code;
};

void PrintTo(const RunCase& c, std::ostream* os) {
    *os << c.code << " on ";
    testing_support::PrintTo(c.channel, os);
}

class ExactAgainstMeasured : public testing::TestWithParam<RunCase> {};

TEST_P(ExactAgainstMeasured, LongRunLandsWithinAFewStandardErrors) {
    const RunTexts texts = channel_texts(GetParam().channel);
    const ExactValues x = exact_of(texts, GetParam().code);
    const Measured m = measure(texts, GetParam().code, 500000);
    struct Total {
        const char* name;
        Count got;
        const vect& per_symbol;
    };
    vect wrong(x.probs.size());
    Count wrong_got = 0;
    for (std::size_t s = 0; s < wrong.size(); ++s) {
        wrong[s] = wrong_of(x, s);
        wrong_got += m.sent[s] - m.pairs[s][s];
    }
    for (const Total& t :
         {Total{"distorted", m.errors.iskaj, x.distorted},
          Total{"detected", m.errors.oshib, x.detected},
          Total{"corrected", m.errors.ispr, x.corrected}, Total{"wrong", wrong_got, wrong}}) {
        Extended expected = 0, variance = 0;
        for (std::size_t s = 0; s < m.sent.size(); ++s) {
            const auto n = static_cast<Extended>(m.sent[s]);
            expected += n * t.per_symbol[s];
            variance += n * t.per_symbol[s] * (1 - t.per_symbol[s]);
        }
        EXPECT_TRUE(within(t.got, expected, variance, 4, 0)) << t.name;
    }
    for (std::size_t s = 0; s < m.sent.size(); ++s)
        for (std::size_t c = 0; c < m.pairs[s].size(); ++c) {
            const auto n = static_cast<Extended>(m.sent[s]);
            const Extended q = x.classes[s][c];
            EXPECT_TRUE(within(m.pairs[s][c], n * q, n * q * (1 - q), 5, 2))
                << "sent " << s << " received " << c;
        }
    // The measured entropies come from the counts' own frequencies, which lie within a few
    // thousandths of a bit of their limits at this length.
    EXPECT_NEAR(static_cast<double>(m.apost.receiver), static_cast<double>(x.aposteriori.receiver),
                0.01);
    EXPECT_NEAR(static_cast<double>(m.apost.noise), static_cast<double>(x.aposteriori.noise), 0.01);
    EXPECT_NEAR(static_cast<double>(m.apost.useful()), static_cast<double>(x.useful_aposteriori),
                0.01);
}

constexpr Channel kInversions = {"inversions", false, "0.03", "0.06"};
constexpr Channel kErasures = {"erasures", true, "0.01", "0.02", "0.04", "0.06"};

INSTANTIATE_TEST_SUITE_P(
    Codes, ExactAgainstMeasured,
    testing::Values(RunCase{kInversions, "none"}, RunCase{kInversions, "hamming"},
                    RunCase{kInversions, "cyclic:1101"}, RunCase{kInversions, "cyclic:1000011"},
                    RunCase{kInversions, "continuous:3"}, RunCase{kErasures, "none"},
                    RunCase{kErasures, "hamming"}, RunCase{kErasures, "cyclic:1101"},
                    RunCase{kErasures, "cyclic:1000011"}),
    [](const testing::TestParamInfo<RunCase>& i) {
        return testing_support::case_name(i.index,
                                          std::string(i.param.channel.name) + " " + i.param.code);
    });

}  // namespace
}  // namespace tavolin
