// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/packet_run.h"

#include <gtest/gtest.h>

#include "../channel/bit_channels.h"
#include "../codes/reference/dispatch_reference.h"
#include "../extended_near.h"
#include "channel/matrices.h"
#include "channel/measures.h"
#include "codes/code.h"
#include "core/number_text.h"
#include "core/random.h"
#include "core/sums.h"
#include "run_fixture.h"

namespace tavolin {
namespace {

using testing_support::activated_state;
using testing_support::FakeInputs;
using testing_support::RecordingOutputs;

// A packet worked out the slow way, with the bit-by-bit walks and the string and search
// decoders, to check the run's tables and integer thresholds against.
struct ReferencePacket {
    ErrorCounters counts;
    matr posterior;
    vect frequencies;
    Integer seed1, seed2;
};

ReferencePacket reference_packet(SimState st, const vect& probs, const matr& isk, int sz,
                                 bool on_code_words) {
    const auto n = static_cast<Byte>(probs.size());
    vectb inp(sz);
    vectc counts(n, 0);
    for (Byte& s : inp) ++counts[s = gen(probs, st.seed1, st.RandSeed)];
    vectenc coded(sz), received(sz), decoded(sz);
    reference::encode(st, inp, coded);
    for (int i = 0; i < sz; ++i)
        for (Word mask = static_cast<Word>(1u << (st.n0 - 1)); mask; mask >>= 1) {
            const Byte r = gen(isk[(coded[i].inv & mask) ? 1 : 0], st.seed2, st.RandSeed);
            if (r == 1) received[i].inv |= mask;
            if (r == 2) received[i].stir |= mask;
        }
    reference::decode(st, received, decoded);
    ReferencePacket ref{{}, matr(n, vect(n + 1u, 0)), vect(n), st.seed1, st.seed2};
    vectw table(n);
    for (Word i = 0; i < n; ++i) table[i] = make_code(st)->encode_one(i);
    for (int i = 0; i < sz; ++i) {
        if (coded[i].inv != received[i].inv) {
            ++ref.counts.iskaj;
            if (reference::found_error(st, received[i].inv)) {
                ++ref.counts.oshib;
                if (decoded[i].inv == inp[i]) ++ref.counts.ispr;
            }
        }
        int r = inp[i], c;
        if (on_code_words) {
            r = posit(table, coded[i].inv);
            c = posit(table, received[i].inv);
            if (c >= n || received[i].stir) c = n;
        } else {
            c = decoded[i].inv < n && decoded[i].stir == 0 ? decoded[i].inv : n;
        }
        ref.posterior[r][c] += 1;
    }
    for (int j = 0; j < n; ++j) {
        ref.frequencies[j] = static_cast<Extended>(counts[j]) / sz;
        if (counts[j])
            for (Extended& v : ref.posterior[j]) v /= static_cast<Extended>(counts[j]);
    }
    return ref;
}

struct RunCase {
    const char* name;
    Byte coding_type;
    Word polynomial;
    int noise;
    const char *i0, *e0, *i1, *e1;
    bool on_code_words;
    int size;
};

class WholePacket : public testing::TestWithParam<RunCase> {};

TEST_P(WholePacket, EqualsTheReferenceCalculation) {
    const RunCase& c = GetParam();
    SimState st = activated_state();
    st.coding_type = c.coding_type;
    st.Polinom_default = c.polynomial;
    FakeInputs in;
    in.noise = c.noise;
    in.channel = {{{1, 1}, c.i0}, {{2, 1}, c.e0}, {{1, 2}, c.i1}, {{2, 2}, c.e1}};
    in.counting = c.on_code_words;
    in.size = std::to_string(c.size);
    const vect probs(16, 0.0625L);
    const Extended i0 = to_number(c.i0, ','), i1 = to_number(c.i1, ',');
    const Extended e0 = to_number(c.e0, ','), e1 = to_number(c.e1, ',');
    const matr isk = c.noise == 0 ? testing_support::inversion(i0, i1)
                                  : testing_support::erasure(i0, e0, i1, e1);
    const ReferencePacket ref = reference_packet(st, probs, isk, c.size, c.on_code_words);

    RecordingOutputs out;
    out.matrices = true;
    doPocket(st, in, out);

    ASSERT_TRUE(out.refusals.empty() && out.errors.empty());
    EXPECT_EQ(st.errors, ref.counts);
    EXPECT_GT(ref.counts.iskaj, 0u);
    EXPECT_EQ(st.seed1, ref.seed1);
    EXPECT_EQ(st.seed2, ref.seed2);
    ASSERT_EQ(out.mat2.size(), ref.posterior.size());
    for (std::size_t i = 0; i < ref.posterior.size(); ++i)
        for (std::size_t j = 0; j < ref.posterior[i].size(); ++j)
            EXPECT_EXTENDED_NEAR(out.mat2[i][j], ref.posterior[i][j], 1e-15L) << i << ',' << j;
    const Measures apost = apriori(ref.posterior, ref.frequencies);
    EXPECT_EXTENDED_NEAR(out.apost.source, apost.source, 1e-15L);
    EXPECT_EXTENDED_NEAR(out.apost.lost, apost.lost, 1e-15L);
    EXPECT_EXTENDED_NEAR(out.apost.receiver, apost.receiver, 1e-15L);
    EXPECT_EXTENDED_NEAR(out.apost.noise, apost.noise, 1e-15L);
    EXPECT_EQ(out.values.at(ValueLabel::Label14),
              static_cast<Extended>(ref.counts.oshib) / ref.counts.iskaj);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, WholePacket,
    testing::Values(
        RunCase{"cyclic", kCyclic, 13, 0, "0,1", "0", "0,2", "0", false, 1000},
        RunCase{"cyclic_degree_9", kCyclic, 0b1000010001, 0, "0,03", "0", "0,03", "0", false, 2000},
        RunCase{"hamming", kHamming, 13, 0, "0,1", "0", "0,2", "0", false, 1000},
        RunCase{"continuous", kContinuous, 13, 0, "0,1", "0", "0,2", "0", false, 1000},
        RunCase{"none", kNoCoding, 13, 0, "0,1", "0", "0,2", "0", false, 1000},
        RunCase{"cyclic_erasure", kCyclic, 13, 1, "0,02", "0,1", "0,03", "0,15", false, 1000},
        RunCase{"hamming_erasure", kHamming, 13, 1, "0", "0,2", "0", "0,2", false, 1000},
        RunCase{"none_erasure", kNoCoding, 13, 1, "0", "0,1", "0", "0,1", false, 1000},
        RunCase{"hamming_code_words", kHamming, 13, 0, "0,1", "0", "0,2", "0", true, 1000},
        RunCase{"cyclic_erasure_code_words", kCyclic, 13, 1, "0,05", "0,1", "0,05", "0,1", true,
                500}),
    [](const testing::TestParamInfo<RunCase>& i) { return std::string(i.param.name); });

TEST(PacketRun, DefaultInputsShowTheRedundancyAndPublishInOrder) {
    SimState st = activated_state();
    FakeInputs in;
    RecordingOutputs out;
    doPocket(st, in, out);
    EXPECT_EQ(format_label(out.values.at(ValueLabel::Label19), ','), "0,4286");
    EXPECT_EQ(out.symbols_sent, 1000);
    EXPECT_EQ(st.n0, 7);
    const std::vector<std::string> expected = {"Label10", "value", "value",  "value", "value",
                                               "value",   "value", "Chart1", "Chart2"};
    EXPECT_EQ(out.calls, expected);  // no matrix window open
    ASSERT_TRUE(out.bars.at(Chart::Chart2).first);
    EXPECT_EXTENDED_NEAR(*out.bars.at(Chart::Chart2).first,
                         *out.bars.at(Chart::Chart1).first / 0.0002 / 7, 1e-9);
}

TEST(PacketRun, OpenMatrixWindowGetsTheAprioriMatrixFirst) {
    SimState st = activated_state();
    FakeInputs in;
    RecordingOutputs out;
    out.matrices = true;
    doPocket(st, in, out);
    const std::vector<std::string> expected = {"Label10", "setMat1",    "value",  "value",
                                               "value",   "value",      "value",  "value",
                                               "setMat2", "showMatrix", "Chart1", "Chart2"};
    EXPECT_EQ(out.calls, expected);
    EXPECT_EXTENDED_NEAR(out.mat1[0][0], 0.9477L, 1e-15L);
}

struct RefusalCase {
    const char* name;
    std::vector<std::string> probs;
    std::string size;
    Refusal refusal;
    std::int64_t label10;
};

class PacketRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(PacketRefusal, ShowsTheSizeThenRefusesAndChangesNothing) {
    const RefusalCase& c = GetParam();
    SimState st = activated_state();
    const SimState before = st;
    FakeInputs in;
    in.probs = c.probs;
    in.size = c.size;
    RecordingOutputs out;
    doPocket(st, in, out);
    EXPECT_EQ(out.calls, (std::vector<std::string>{"Label10", "refuse"}));
    EXPECT_EQ(out.refusals, std::vector<Refusal>{c.refusal});
    EXPECT_EQ(out.symbols_sent, c.label10);
    EXPECT_EQ(st.seed1, before.seed1);
    EXPECT_EQ(st.seed2, before.seed2);
}

std::vector<std::string> with_zero_in_row_5() {
    std::vector<std::string> p(16, "0,0625");
    p[4] = "0";
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PacketRefusal,
    testing::Values(
        RefusalCase{"eight_symbols",
                    {"0,125", "0,125", "0,125", "0,125", "0,125", "0,125", "0,125", "0,125"},
                    "777",
                    Refusal::AlphabetTooShort,
                    777},
        RefusalCase{"zero_in_row_5", with_zero_in_row_5(), "1000", Refusal::AlphabetTooShort, 1000},
        RefusalCase{
            "text_in_row_3", {"0,5", "0,25", "x", "0,25"}, "1000", Refusal::AlphabetTooShort, 1000},
        RefusalCase{"sum_order",
                    {"0,22", "0,18", "0,11", "0,24", "0,01", "0,03", "0,04", "0,08", "0,09"},
                    "1000",
                    Refusal::SumNotOne,
                    1000},
        RefusalCase{"size_zero", std::vector<std::string>(16, "0,0625"), "0", Refusal::PacketSize,
                    0},
        RefusalCase{"size_over_limit", std::vector<std::string>(16, "0,0625"), "65537",
                    Refusal::PacketSize, 65537},
        RefusalCase{"size_negative", std::vector<std::string>(16, "0,0625"), "-5",
                    Refusal::PacketSize, -5}),
    [](const testing::TestParamInfo<RefusalCase>& i) { return std::string(i.param.name); });

TEST(PacketRun, EightTenthsAndOneFifthPass) {
    SimState st = activated_state();
    FakeInputs in;
    in.probs = {"0,1", "0,1", "0,1", "0,1", "0,1", "0,1", "0,1", "0,1", "0,2"};
    RecordingOutputs out;
    out.matrices = true;
    doPocket(st, in, out);
    EXPECT_TRUE(out.refusals.empty());
    EXPECT_EQ(out.mat2.size(), 9u);
}

TEST(PacketRun, PacketSizeThatIsNoIntegerMeansAThousand) {
    SimState st = activated_state();
    FakeInputs in;
    in.size = "12x";
    RecordingOutputs out;
    doPocket(st, in, out);
    EXPECT_EQ(out.symbols_sent, 1000);
    EXPECT_TRUE(out.refusals.empty());
}

TEST(PacketRun, ChannelCellThatIsNoNumberEndsWithTheErrorReport) {
    SimState st = activated_state();
    const SimState before = st;
    FakeInputs in;
    in.channel[{1, 2}] = "abc";
    RecordingOutputs out;
    doPocket(st, in, out);
    EXPECT_EQ(out.calls, (std::vector<std::string>{"Label10", "error"}));
    EXPECT_EQ(out.errors, std::vector<std::string>{"'abc' is not a valid floating point value"});
    EXPECT_EQ(st.seed1, before.seed1);
    EXPECT_EQ(st.errors, before.errors);
}

TEST(PacketRun, NoNoiseTypeEndsSilently) {
    SimState st = activated_state();
    FakeInputs in;
    in.noise = -1;
    RecordingOutputs out;
    doPocket(st, in, out);
    EXPECT_EQ(out.calls, std::vector<std::string>{"Label10"});
}

TEST(PacketRun, NoiselessChannelShowsZeroSharesAndADiagonal) {
    SimState st = activated_state();
    FakeInputs in;
    in.channel[{1, 1}] = "0";
    in.channel[{1, 2}] = "0";
    RecordingOutputs out;
    out.matrices = true;
    doPocket(st, in, out);
    EXPECT_EQ(format_label(out.values.at(ValueLabel::Label14), ','), "0,0000");
    EXPECT_EQ(format_label(out.values.at(ValueLabel::Label12), ','), "0,0000");
    for (int i = 0; i < 16; ++i) EXPECT_EQ(out.mat2[i][i], 1.0L);
}

TEST(PacketRun, WithoutCodingEveryDistortedWordIsDetectedNoneCorrected) {
    SimState st = activated_state();
    st.coding_type = kNoCoding;
    FakeInputs in;
    RecordingOutputs out;
    doPocket(st, in, out);
    EXPECT_GT(st.errors.iskaj, 0u);
    EXPECT_EQ(st.errors.oshib, st.errors.iskaj);
    EXPECT_EQ(st.errors.ispr, 0u);
    EXPECT_EQ(format_label(out.values.at(ValueLabel::Label14), '.'), "1.0000");
    EXPECT_EQ(format_label(out.values.at(ValueLabel::Label19), '.'), "0.0000");
}

TEST(PacketRun, BitTimes) {
    SimState st = activated_state();
    FakeInputs in;
    RecordingOutputs out;
    in.bit_time = "0";
    doPocket(st, in, out);
    EXPECT_FALSE(out.bars.at(Chart::Chart2).first);
    EXPECT_FALSE(out.bars.at(Chart::Chart2).second);
    EXPECT_TRUE(out.bars.at(Chart::Chart1).first);

    in.bit_time = "abc";  // pasted letters: the default bit time
    doPocket(st, in, out);
    EXPECT_EXTENDED_NEAR(*out.bars.at(Chart::Chart2).second,
                         *out.bars.at(Chart::Chart1).second / 0.0002 / 7, 1e-9);
}

TEST(PacketRun, ContinuousCodeRatesDividePriorBySevenPosteriorByFourteen) {
    SimState st = activated_state();
    st.coding_type = kContinuous;
    FakeInputs in;
    in.bit_time = "0,001";
    RecordingOutputs out;
    doPocket(st, in, out);
    const auto useful = out.bars.at(Chart::Chart1), rate = out.bars.at(Chart::Chart2);
    EXPECT_EXTENDED_NEAR(*rate.first, *useful.first / 0.001 / 7, 1e-9);
    EXPECT_EXTENDED_NEAR(*rate.second, *useful.second / 0.001 / 14, 1e-9);
}

TEST(PacketRun, ConsecutivePacketsContinueBothStreams) {
    SimState st = activated_state();
    FakeInputs in;
    RecordingOutputs first, second;
    first.matrices = second.matrices = true;
    doPocket(st, in, first);
    const Integer s1 = st.seed1, s2 = st.seed2;
    doPocket(st, in, second);
    EXPECT_NE(st.seed1, s1);
    EXPECT_NE(st.seed2, s2);
    EXPECT_NE(first.mat2, second.mat2);
}

TEST(PacketRun, UndrawnSymbolKeepsAZeroRow) {
    SimState st = activated_state();
    FakeInputs in;
    in.probs = {"0,99",    "0,00125", "0,00125", "0,00125", "0,00125",
                "0,00125", "0,00125", "0,00125", "0,00125"};
    in.size = "20";
    RecordingOutputs out;
    out.matrices = true;
    doPocket(st, in, out);
    ASSERT_TRUE(out.refusals.empty());
    int zero_rows = 0;
    for (const vect& row : out.mat2) zero_rows += Sum(row) == 0;
    EXPECT_GT(zero_rows, 0);
}

}  // namespace
}  // namespace tavolin
