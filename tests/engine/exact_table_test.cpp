// SPDX-License-Identifier: GPL-3.0-or-later
// The tables of outcomes against the slow way: every received word decoded on its own under
// both ways of a tie-break and counted by count_errors, weighted by its own probability. And
// the tables' keeping: one table per code identity and channel kind, whatever the threads.
#include "engine/exact_table.h"

#include <gtest/gtest.h>

#include <latch>
#include <thread>

#include "../case_names.h"
#include "../extended_near.h"
#include "engine/transmission.h"
#include "exact_fixture.h"

namespace tavolin {
namespace {

using testing_support::Channel;
using testing_support::channel_texts;
using testing_support::exact_of;
using testing_support::study_code;

struct Direct {
    vect distorted, detected, corrected;
    matr classes;
};

Integer seed_drawing(bool outcome) {
    for (Integer s = 0;; ++s) {
        Integer t = s;
        if (tie_break(t) == outcome) return s;
    }
}

// `isk` as the run reads it: 2 columns for inversions, 3 with erasures.
Direct direct_sum(const Code& code, const matr& isk, Byte n) {
    const Byte n0 = code.n0();
    const std::size_t radix = isk[0].size();
    std::size_t words = 1;
    for (Byte i = 0; i < n0; ++i) words *= radix;
    const Integer seeds[2] = {seed_drawing(false), seed_drawing(true)};
    Direct d{vect(n), vect(n), vect(n), matr(n, vect(n + 1u))};
    vectenc received(1), decoded(1);
    for (Byte s = 0; s < n; ++s) {
        const Word c = code.encode_one(s);
        for (std::size_t index = 0; index < words; ++index) {
            enc_sym w;
            Extended p = 1;
            std::size_t rest = index;
            for (Byte i = 0; i < n0; ++i, rest /= radix) {
                const std::size_t arrived = rest % radix;  // 0, 1, or 2 for erased
                p *= isk[(c >> i) & 1u][arrived];
                if (arrived == 1) w.inv |= static_cast<Word>(1u << i);
                if (arrived == 2) w.stir |= static_cast<Word>(1u << i);
            }
            received[0] = w;
            for (const Integer start : seeds) {
                Integer seed = start;
                code.decode(received, decoded, seed);
                const ErrorCounters e = code.count_errors({s}, {{c, 0}}, received, decoded);
                const Extended half = p / 2;
                d.distorted[s] += half * static_cast<Extended>(e.iskaj);
                d.detected[s] += half * static_cast<Extended>(e.oshib);
                d.corrected[s] += half * static_cast<Extended>(e.ispr);
                d.classes[s][received_class(decoded[0], n)] += half;
            }
        }
    }
    return d;
}

struct SlowCase {
    Channel channel;
    const char* code;
};

void PrintTo(const SlowCase& c, std::ostream* os) {
    *os << c.code << " on ";
    testing_support::PrintTo(c.channel, os);
}

class ExactTableAgainstEveryWord : public testing::TestWithParam<SlowCase> {};

void expect_close(Extended got, Extended want, const char* what, std::size_t s) {
    EXPECT_EXTENDED_NEAR(got, want, 1e-19L + 1e-15L * want) << what << " of symbol " << s;
}

TEST_P(ExactTableAgainstEveryWord, GivesEverySymbolsProbabilities) {
    const RunTexts texts = channel_texts(GetParam().channel);
    const ExactValues x = exact_of(texts, GetParam().code);
    const std::unique_ptr<Code> code = make_code(code_state(study_code(GetParam().code)));
    matr isk = {{0, std::stold(texts.p0)}, {std::stold(texts.p1), 0}};
    if (texts.erasure) {
        isk[0].push_back(std::stold(texts.e0));
        isk[1].push_back(std::stold(texts.e1));
    }
    isk[0][0] = 1 - isk[0][1] - (texts.erasure ? isk[0][2] : 0);
    isk[1][1] = 1 - isk[1][0] - (texts.erasure ? isk[1][2] : 0);
    const auto n = static_cast<Byte>(x.probs.size());
    const Direct d = direct_sum(*code, isk, n);
    for (std::size_t s = 0; s < n; ++s) {
        expect_close(x.distorted[s], d.distorted[s], "distorted", s);
        expect_close(x.detected[s], d.detected[s], "detected", s);
        expect_close(x.corrected[s], d.corrected[s], "corrected", s);
        for (std::size_t c = 0; c <= n; ++c)
            expect_close(x.classes[s][c], d.classes[s][c], "class", s);
    }
}

constexpr Channel kInversions = {"inversions", false, "0.03", "0.11"};
constexpr Channel kErasures = {"erasures", true, "0.02", "0.05", "0.13", "0.07"};

INSTANTIATE_TEST_SUITE_P(
    Codes, ExactTableAgainstEveryWord,
    testing::Values(SlowCase{kInversions, "none"}, SlowCase{kInversions, "hamming"},
                    SlowCase{kInversions, "cyclic:1000011"}, SlowCase{kInversions, "continuous:2"},
                    SlowCase{kErasures, "none"}, SlowCase{kErasures, "hamming"},
                    SlowCase{kErasures, "cyclic:1101"}, SlowCase{kErasures, "cyclic:10011"}),
    [](const testing::TestParamInfo<SlowCase>& i) {
        return testing_support::case_name(i.index,
                                          std::string(i.param.channel.name) + " " + i.param.code);
    });

std::unique_ptr<Code> code_named(const char* name) {
    return make_code(code_state(study_code(name)));
}

// A table big enough to be built on several threads counts the same as one built on one.
TEST(ExactTable, CountsDoNotDependOnTheThreads) {
    const std::unique_ptr<Code> code = code_named("cyclic:10001001");  // 11 bits: 3^11 words
    const OutcomeTable one(*code, true, 1), three(*code, true, 3);
    for (Word s = 0; s < 16; ++s) {
        EXPECT_EQ(one.symbol(s).zeros, three.symbol(s).zeros);
        EXPECT_EQ(one.symbol(s).combinations, three.symbol(s).combinations) << "symbol " << s;
        EXPECT_FALSE(one.symbol(s).combinations.empty());
    }
}

// Callers that ask for a table at once share the one built; nobody builds it twice.
TEST(ExactTables, CallsAtOnceShareOneTable) {
    OutcomeTables tables(1);
    const std::unique_ptr<Code> code = code_named("cyclic:1000011");
    constexpr int kCallers = 4;
    std::latch start(kCallers);
    std::vector<std::shared_ptr<const OutcomeTable>> got(kCallers);
    std::vector<std::thread> callers;
    for (int i = 0; i < kCallers; ++i)
        callers.emplace_back([&, i] {
            start.arrive_and_wait();
            got[static_cast<std::size_t>(i)] = tables.get(*code, true);
        });
    for (std::thread& t : callers) t.join();
    for (const auto& t : got) EXPECT_EQ(t, got[0]);
    EXPECT_EQ(tables.get(*code, true), got[0]);
    EXPECT_TRUE(got[0]->erasures());
}

TEST(ExactTables, KeptByIdentityAndChannelKind) {
    OutcomeTables tables(1, 2);
    const std::unique_ptr<Code> hamming = code_named("hamming");
    const std::unique_ptr<Code> cyclic = code_named("cyclic:1101");
    const auto with_erasures = tables.get(*hamming, true);
    const auto without = tables.get(*hamming, false);
    EXPECT_NE(with_erasures, without);
    EXPECT_FALSE(without->erasures());
    EXPECT_EQ(tables.get(*hamming, false), without);
    // A third table sends the oldest away: asked for again, it is built anew.
    tables.get(*cyclic, false);
    EXPECT_NE(tables.get(*hamming, true), with_erasures);
    EXPECT_EQ(tables.get(*cyclic, false), tables.get(*cyclic, false));
}

}  // namespace
}  // namespace tavolin
