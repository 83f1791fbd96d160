// SPDX-License-Identifier: GPL-3.0-or-later
// `tavolin-sim exact`: its reports carry the engine's exact values in full, and it refuses what
// a run refuses.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "app/sim/sim_command.h"
#include "core/number_text.h"
#include "engine/code_settings.h"
#include "engine/exact.h"
#include "engine/recorded_outputs.h"

namespace tavolin::sim {
namespace {

struct Result {
    int status;
    std::string out, err;
};

Result run(std::vector<std::string> args) {
    args.insert(args.begin(), "exact");
    std::ostringstream out, err;
    const int status = run_sim(args, out, err, [] { return Integer{1}; });
    return {status, out.str(), err.str()};
}

std::vector<std::string> with(std::vector<std::string> args, std::vector<std::string> more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// The text a JSON object's number field was written as.
std::string field_text(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    const std::size_t at = json.find(key);
    if (at == std::string::npos) return "";
    const std::size_t from = at + key.size();
    return json.substr(from, json.find_first_of(",}", from) - from);
}

const std::vector<std::string> kNine = {"0.25",   "0.125",  "0.125",  "0.125", "0.125",
                                        "0.0625", "0.0625", "0.0625", "0.0625"};

// Hamming on an asymmetric erasure channel with a nine-symbol alphabet, as options and as the
// engine's inputs.
const std::vector<std::string> kRun = {
    "--code",  "hamming",
    "--noise", "erasure",
    "--p0",    "0.01",
    "--p1",    "0.02",
    "--e0",    "0.1",
    "--e1",    "0.05",
    "--probs", "0.25,0.125,0.125,0.125,0.125,0.0625,0.0625,0.0625,0.0625"};

ExactValues engine_values(const std::string& bit_time = "0.0002") {
    RunTexts t;
    t.erasure = true;
    t.p0 = "0.01";
    t.p1 = "0.02";
    t.e0 = "0.1";
    t.e1 = "0.05";
    t.probs = kNine;
    t.bit_time = bit_time;
    SimState st;
    init_code_parameters(st);
    st.coding_type = kHamming;
    RecordedOutputs refusal;
    return exact_values(TextInputs(t), *make_code(st), refusal).value();
}

TEST(ExactCommand, JsonCarriesTheEnginesValuesInTheirRoundTripText) {
    const Result r = run(with(kRun, {"--json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const ExactValues x = engine_values();
    const std::pair<const char*, Extended> fields[] = {
        {"detected_share", x.detected_share},
        {"corrected_share", x.corrected_share},
        {"wrong_rate", x.wrong_rate},
        {"entropy_source", x.aposteriori.source},
        {"entropy_receiver", x.aposteriori.receiver},
        {"entropy_noise", x.aposteriori.noise},
        {"useful_aposteriori", x.useful_aposteriori},
        {"useful_per_bit", x.useful_per_bit},
        {"capacity", x.capacity},
    };
    for (const auto& [name, value] : fields) {
        const std::string text = field_text(r.out, name);
        EXPECT_EQ(text, format_round_trip(value)) << name;
        EXPECT_EQ(parse_number(text, '.'), value) << name;
    }
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["n0"], 7);
    ASSERT_EQ(j["matrix_aposteriori"].size(), 9u);
    for (const auto& row : j["matrix_aposteriori"]) EXPECT_EQ(row.size(), 10u);
    EXPECT_DOUBLE_EQ(j["matrix_aposteriori"][2][9].get<double>(),
                     static_cast<double>(x.matrix_aposteriori[2][9]));
    EXPECT_DOUBLE_EQ(j["rate_aposteriori"].get<double>(), *x.rate_aposteriori);
}

TEST(ExactCommand, NoRatesAtABitTimeOfZero) {
    const auto j = nlohmann::json::parse(run(with(kRun, {"--json", "--bit-time", "0"})).out);
    EXPECT_TRUE(j["rate_apriori"].is_null());
    EXPECT_TRUE(j["rate_aposteriori"].is_null());
    EXPECT_FALSE(j["useful_aposteriori"].is_null());
}

TEST(ExactCommand, TextNamesEveryValueAndShowsTheMatrix) {
    const Result r = run(kRun);
    ASSERT_EQ(r.status, 0) << r.err;
    const ExactValues x = engine_values();
    EXPECT_NE(r.out.find("wrong_rate          " + format_round_trip(x.wrong_rate) + "\n"),
              std::string::npos)
        << r.out;
    for (const char* text :
         {"detected_share", "corrected_share", "entropy_source", "entropy_receiver",
          "entropy_noise", "useful_per_bit", "capacity", "matrix_aposteriori\n", "????"})
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
}

// A symbol that arrives wrong only when two of its 7 bits are inverted: at p = 1e-12 the rate
// is about 21 p^2, far below what any run could count, and written in full.
TEST(ExactCommand, TinyRatesKeepTheirDigits) {
    const Result r = run({"--code", "hamming", "--p0", "1e-12", "--p1", "1e-12", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::optional<Extended> wrong = parse_number(field_text(r.out, "wrong_rate"), '.');
    ASSERT_TRUE(wrong);
    EXPECT_NEAR(static_cast<double>(*wrong / 21e-24L), 1, 1e-10);
}

struct Refused {
    const char* name;
    std::vector<std::string> args;
    const char* mentions;
};

class ExactRefusal : public testing::TestWithParam<Refused> {};

TEST_P(ExactRefusal, ExitsTwoSayingWhyWithNothingOnStdout) {
    const Result r = run(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().mentions), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExactRefusal,
    testing::Values(
        // Nothing is drawn: neither seeds nor a packet size are taken.
        Refused{"seed", {"--seed1", "1"}, "--seed1"}, Refused{"size", {"--size", "100"}, "--size"},
        Refused{"code", {"--code", "golay"}, "--code"}, Refused{"p0_text", {"--p0", "abc"}, "--p0"},
        Refused{"erasure_without_erasure_channel", {"--e0", "0.1"}, "--e0"},
        Refused{"row_above_one", {"--noise", "erasure", "--p1", "0.6", "--e1", "0.5"}, "--p1"},
        Refused{
            "continuous_on_erasures", {"--noise", "erasure", "--code", "continuous"}, "continuous"},
        Refused{"polynomial", {"--poly", "1111"}, "Этот полином использовать не рекомендуется"},
        Refused{"frame", {"--code", "continuous", "--frame", "5"}, "1..4"},
        Refused{"alphabet", {"--probs", "0.5,0.5"}, "не менее 9 символов"},
        Refused{"sum",
                {"--probs", "0.1,0.1,0.1,0.1,0.1,0.1,0.1,0.1,0.1"},
                "Сумма вероятностей символов должна"},
        Refused{"flag_with_value", {"--json=yes"}, "--json"}),
    [](const testing::TestParamInfo<Refused>& i) { return std::string(i.param.name); });

TEST(ExactCommand, HelpExitsZero) {
    const Result r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--plain-apriori"), std::string::npos);
    EXPECT_EQ(r.out.find("--seed1"), std::string::npos);
}

}  // namespace
}  // namespace tavolin::sim
