// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sim/sim_command.h"

#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

namespace tavolin::sim {
namespace {

struct Result {
    int status;
    std::string out, err;
};

Result run(std::vector<std::string> args) {
    std::ostringstream out, err;
    Integer clock_reading = 1000;
    const int status = run_sim(args, out, err, [&] { return clock_reading += 17; });
    return {status, out.str(), err.str()};
}

const std::vector<std::string> kSeeds = {"--seed1", "5", "--seed2", "-6"};

std::vector<std::string> seeded(std::vector<std::string> args) {
    args.insert(args.end(), kSeeds.begin(), kSeeds.end());
    return args;
}

struct MalformedCase {
    const char* name;
    std::vector<std::string> args;
    const char* mentions;
};

class MalformedOption : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedOption, ExitsTwoNamingTheOptionWithNothingOnStdout) {
    const Result r = run(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().mentions), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedOption,
    testing::Values(
        MalformedCase{"unknown", {"--colour", "red"}, "--colour"},
        MalformedCase{"mode", {"--mode", "burst"}, "--mode"},
        MalformedCase{"ticks_zero", {"--ticks", "0"}, "--ticks"},
        MalformedCase{"ticks_text", {"--ticks", "many"}, "--ticks"},
        MalformedCase{"words_negative", {"--words", "-1"}, "--words"},
        MalformedCase{"words_text", {"--words", "all"}, "--words"},
        MalformedCase{"size_zero", {"--size", "0"}, "--size"},
        MalformedCase{"size_big", {"--size", "50001"}, "--size"},
        MalformedCase{"size_text", {"--size", "10k"}, "--size"},
        MalformedCase{"p0_text", {"--p0", "abc"}, "--p0"},
        MalformedCase{"p1_above_one", {"--p1", "1.5"}, "--p1"},
        MalformedCase{"p0_negative", {"--p0", "-0.1"}, "--p0"},
        MalformedCase{"comma_decimal", {"--p0", "0,1"}, "--p0"},
        MalformedCase{"erasure_with_inversion", {"--e0", "0.1"}, "--e0"},
        MalformedCase{
            "row_above_one", {"--noise", "erasure", "--p0", "0.6", "--e0", "0.5"}, "--p0"},
        MalformedCase{
            "continuous_erasure", {"--noise", "erasure", "--code", "continuous"}, "continuous"},
        MalformedCase{"negative_probability", {"--probs", "0.5,-0.5"}, "--probs"},
        MalformedCase{"text_probability", {"--probs", "0.5,half"}, "--probs"},
        MalformedCase{
            "seventeen_probabilities", {"--probs", "1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"}, "--probs"},
        MalformedCase{"negative_bit_time", {"--bit-time", "-1"}, "--bit-time"},
        MalformedCase{"seed_too_big", {"--seed1", "2147483648"}, "--seed1"},
        MalformedCase{"seed_text", {"--seed2", "x"}, "--seed2"},
        // Seeds, counts and sizes are plain decimal integers: no base prefixes, no spaces.
        MalformedCase{"seed_hex", {"--seed1", "0x1F"}, "--seed1"},
        MalformedCase{"seed_dollar_hex", {"--seed1", "$1F"}, "--seed1"},
        MalformedCase{"seed_space", {"--seed2", " 5"}, "--seed2"},
        MalformedCase{"seed_trailing_space", {"--seed2", "5 "}, "--seed2"},
        MalformedCase{"seed_plus", {"--seed1", "+5"}, "--seed1"},
        MalformedCase{"seed_minus_alone", {"--seed1", "-"}, "--seed1"},
        MalformedCase{"ticks_hex", {"--ticks", "0x2"}, "--ticks"},
        MalformedCase{"ticks_negative", {"--ticks", "-1"}, "--ticks"},
        MalformedCase{"size_hex", {"--size", "$10"}, "--size"},
        MalformedCase{"size_x_hex", {"--size", "x10"}, "--size"},
        MalformedCase{"size_space", {"--size", " 100"}, "--size"},
        MalformedCase{"size_negative", {"--size", "-5"}, "--size"},
        MalformedCase{"flag_with_value", {"--json=1"}, "--json"},
        MalformedCase{"flag_with_empty_value", {"--plain-apriori="}, "--plain-apriori"},
        MalformedCase{"version_with_value", {"--version=2"}, "--version"},
        MalformedCase{"repeated_option", {"--seed1", "1", "--seed1", "2"}, "more than once"},
        MalformedCase{"repeated_flag", {"--json", "--json"}, "more than once"},
        MalformedCase{"repeated_with_equals", {"--size=10", "--size", "20"}, "more than once"},
        // An option followed by another option, or by nothing, misses its value.
        MalformedCase{
            "ticks_without_value", {"--ticks", "--seed2", "5"}, "--ticks: a value is needed"},
        MalformedCase{"size_without_value", {"--size", "--p0=0.1"}, "--size: a value is needed"},
        MalformedCase{"last_without_value", {"--json", "--seed1"}, "--seed1: a value is needed"},
        MalformedCase{"ticks_past_64_bits", {"--ticks", "18446744073709551617"}, "--ticks"},
        MalformedCase{"seed_past_64_bits", {"--seed1", "-99999999999999999999"}, "--seed1"}),
    [](const testing::TestParamInfo<MalformedCase>& i) { return std::string(i.param.name); });

struct PromptCase {
    const char* name;
    std::vector<std::string> args;
    const char* message;
};

class PromptRefusal : public testing::TestWithParam<PromptCase> {};

TEST_P(PromptRefusal, GivesThePromptsMessage) {
    const Result r = run(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, std::string(GetParam().message) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PromptRefusal,
    testing::Values(
        PromptCase{"frame_fraction", {"--frame", "2.5"}, "Введите размер кадра из диапазона 1..4"},
        PromptCase{"frame_empty", {"--frame", ""}, "Введите размер кадра из диапазона 1..4"},
        PromptCase{"poly_when_hamming",
                   {"--code", "hamming", "--poly", "1111"},
                   "Этот полином использовать не рекомендуется"},
        PromptCase{"poly_fourteen_digits",
                   {"--poly", "00000000001101"},
                   "Этот полином использовать не рекомендуется"},
        PromptCase{"poly_empty",
                   {"--poly", ""},
                   "Двоичное число не содержит знаков, либо содержит запрещенные знаки"},
        // The prompts are checked before the run makes its own checks.
        PromptCase{"poly_before_alphabet",
                   {"--poly", "1001", "--probs", "0.5,0.5"},
                   "Этот полином использовать не рекомендуется"},
        PromptCase{
            "alphabet", {"--probs", "0.5,0.5"}, "В алфивите должно быть не менее 9 символов"},
        PromptCase{"empty_entry_ends_alphabet",
                   {"--probs", "0.1,0.1,0.1,0.1,,0.1,0.1,0.1,0.1,0.2"},
                   "В алфивите должно быть не менее 9 символов"}),
    [](const testing::TestParamInfo<PromptCase>& i) { return std::string(i.param.name); });

TEST(SimCommand, JsonReportHasEveryKey) {
    const Result r = run(seeded({"--json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto j = nlohmann::json::parse(r.out);
    for (const char* key :
         {"symbols_sent", "distorted", "detected", "corrected", "detected_share", "corrected_share",
          "n0", "redundancy", "apriori", "aposteriori", "useful_apriori", "useful_aposteriori",
          "rate_apriori", "rate_aposteriori", "matrix_apriori", "matrix_aposteriori", "seed1",
          "seed2", "labels"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_EQ(j["labels"]["Label19"], "0.4286");
    EXPECT_EQ(j["matrix_aposteriori"].size(), 16u);
    EXPECT_EQ(j["matrix_aposteriori"][0].size(), 17u);
}

TEST(SimCommand, TextReportReadsLikeTheWindow) {
    const Result r = run(seeded({}));
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* text :
         {"Всего передано символов: 1000\n", "Коэф. избыточности кода: 0.4286\n",
          "Полезная информация", "Скорость передачи бит/с", "Априорная канальная матрица",
          "Апостериорная канальная матрица", "????", "0.9477"})
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
}

TEST(SimCommand, SameSeedsSameRunAndClockSeedsOtherwise) {
    EXPECT_EQ(run(seeded({"--json"})).out, run(seeded({"--json"})).out);
    const auto j = nlohmann::json::parse(run({"--json", "--seed2", "-6"}).out);
    const auto k = nlohmann::json::parse(run(seeded({"--json"})).out);
    EXPECT_NE(j["seed1"], k["seed1"]);
    EXPECT_EQ(j["seed2"], k["seed2"]);
}

TEST(SimCommand, NoAccumulateHasNoEffectInPacketMode) {
    EXPECT_EQ(run(seeded({"--json", "--ticks", "2"})).out,
              run(seeded({"--json", "--ticks", "2", "--no-accumulate"})).out);
}

TEST(SimCommand, ContinuousTicksAccumulate) {
    const auto j = nlohmann::json::parse(
        run(seeded({"--json", "--mode", "continuous", "--ticks", "3", "--size", "100"})).out);
    EXPECT_EQ(j["symbols_sent"], 300);
    EXPECT_EQ(j["labels"]["Label10"], "300");
}

TEST(SimCommand, CodeTableInText) {
    const Result r = run({"--code-table", "--code", "hamming"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("n0 = 7\n"), std::string::npos);
    EXPECT_NE(r.out.find("0001  1101001\n"), std::string::npos);
}

// Leading zeros are decimal: 010 is ten, 09 is nine.
TEST(SimCommand, IntegerOptionsAreDecimal) {
    struct Same {
        std::vector<std::string> written, meant;
    };
    for (const Same& c : {
             Same{{"--seed1", "010", "--seed2", "-06"}, {"--seed1", "10", "--seed2", "-6"}},
             Same{{"--seed1", "09", "--seed2", "0"}, {"--seed1", "9", "--seed2", "0"}},
             Same{{"--seed1=-2147483648", "--seed2=2147483647"},
                  {"--seed1", "-2147483648", "--seed2", "2147483647"}},
             Same{seeded({"--mode", "continuous", "--ticks", "010", "--size", "0010"}),
                  seeded({"--mode", "continuous", "--ticks", "10", "--size", "10"})},
         }) {
        const Result written = run(c.written), meant = run(c.meant);
        EXPECT_EQ(written.status, 0) << written.err;
        EXPECT_EQ(written.out, meant.out) << c.written[1];
    }
    const auto j = nlohmann::json::parse(
        run(seeded({"--json", "--mode", "continuous", "--ticks", "010", "--size", "10"})).out);
    EXPECT_EQ(j["symbols_sent"], 100);
}

// A stream that refuses every write, as stdout does when it is closed or its pipe is gone.
class FailingBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(SimCommand, AReportThatCannotBeWrittenIsAFailure) {
    for (const std::vector<std::string>& args :
         {seeded({}), seeded({"--json"}), std::vector<std::string>{"--code-table"},
          std::vector<std::string>{"--help"}, std::vector<std::string>{"--version"}}) {
        FailingBuffer buffer;
        std::ostream out(&buffer);
        std::ostringstream err;
        EXPECT_NE(run_sim(args, out, err, [] { return 1; }), 0) << args[0];
        EXPECT_NE(err.str().find("could not be written"), std::string::npos) << err.str();
    }
}

// The words of the last packet: as many as asked for (the packet's at most), each one
// consistent in itself, and over a whole packet adding up to the run's counters.
struct WordsCase {
    const char* name;
    std::vector<std::string> args;
    int size;
    int n0;
    bool erasure;
};

class Words : public testing::TestWithParam<WordsCase> {};

TEST_P(Words, AddUpToTheCountersOfTheLastPacket) {
    const WordsCase& c = GetParam();
    std::vector<std::string> args = seeded(c.args);
    args.insert(args.end(), {"--size", std::to_string(c.size), "--json", "--words", "60000"});
    const Result r = run(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    const auto& words = j.at("words");
    ASSERT_EQ(words.size(), static_cast<std::size_t>(c.size));
    std::map<std::string, std::uint64_t> outcomes;
    int erased = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto& w = words[i];
        ASSERT_EQ(w.at("position"), i + 1);
        const std::string code = w.at("code_word"), received = w.at("received");
        ASSERT_EQ(code.size(), static_cast<std::size_t>(c.n0));
        ASSERT_EQ(received.size(), code.size());
        ASSERT_EQ(std::string(w.at("decoded")).size(), 4u);
        erased += received.find('?') != std::string::npos;
        ++outcomes[w.at("outcome")];
        // Intact: every bit as sent, erased ones read as the 0 the channel leaves.
        if (w.at("outcome") == "intact") {
            for (std::size_t b = 0; b < code.size(); ++b)
                ASSERT_TRUE(received[b] == code[b] || (received[b] == '?' && code[b] == '0'));
        }
        if (w.at("outcome") == "undetected") {
            ASSERT_FALSE(w.at("found_error").get<bool>());
        }
        ASSERT_LE(w.at("class").get<int>(), 16);
        ASSERT_FALSE(std::string(w.at("syndrome")).empty());
    }
    EXPECT_EQ(erased > 0, c.erasure);
    const std::uint64_t distorted = j.at("distorted"), detected = j.at("detected"),
                        corrected = j.at("corrected");
    EXPECT_GT(distorted, 0u);
    EXPECT_EQ(outcomes["corrected"], corrected);
    EXPECT_EQ(outcomes["detected"], detected - corrected);
    EXPECT_EQ(outcomes["undetected"], distorted - detected);
    EXPECT_EQ(outcomes["intact"], c.size - distorted);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, Words,
    testing::Values(
        WordsCase{"cyclic", {"--code", "cyclic", "--poly", "1011", "--p0", "0.05"}, 400, 7, false},
        WordsCase{"cyclic_erasure",
                  {"--code", "cyclic", "--noise", "erasure", "--e0", "0.05", "--e1", "0.05"},
                  400,
                  7,
                  true},
        WordsCase{"hamming", {"--code", "hamming", "--p0", "0.05", "--p1", "0.02"}, 400, 7, false},
        WordsCase{"hamming_erasure",
                  {"--code", "hamming", "--noise", "erasure", "--e0", "0.1", "--e1", "0.05"},
                  400,
                  7,
                  true},
        WordsCase{
            "continuous", {"--code", "continuous", "--frame", "4", "--p0", "0.03"}, 300, 16, false},
        WordsCase{"none", {"--code", "none", "--p0", "0.05"}, 400, 4, false},
        WordsCase{
            "none_erasure", {"--code", "none", "--noise", "erasure", "--e0", "0.1"}, 400, 4, true},
        // Each step counted on its own, so the counters are the last packet's.
        WordsCase{"continuous_mode_last_step",
                  {"--code", "hamming", "--mode", "continuous", "--no-accumulate", "--ticks", "3",
                   "--p0", "0.05"},
                  300,
                  7,
                  false}),
    [](const testing::TestParamInfo<WordsCase>& i) { return std::string(i.param.name); });

TEST(SimCommand, WordsInTheTextReportOneALine) {
    const Result r = run(seeded({"--code", "hamming", "--size", "50", "--words", "5"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::size_t at = r.out.find("Слова последнего пакета\n");
    ASSERT_NE(at, std::string::npos) << r.out;
    std::istringstream lines(r.out.substr(at));
    std::string line;
    std::getline(lines, line);  // the title
    std::getline(lines, line);
    EXPECT_TRUE(line.starts_with("№")) << line;
    for (int word = 1; word <= 5; ++word) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_TRUE(line.starts_with(std::to_string(word) + " ")) << line;
        EXPECT_NE(line.find("синдром "), std::string::npos) << line;
    }
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "");  // then the seeds
    // Without --words the report is as it always was.
    EXPECT_EQ(run(seeded({"--code", "hamming", "--size", "50"})).out.find("Слова"),
              std::string::npos);
    EXPECT_FALSE(nlohmann::json::parse(run(seeded({"--json"})).out).contains("words"));
}

TEST(SimCommand, HelpExitsZero) {
    const Result r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--count-codewords"), std::string::npos);
}

// Ctrl+C that came before the first step: the run makes the step under way, reports it as a
// run of one step would, and exits 130.
TEST(SimCommand, AnInterruptedRunReportsWhatItRan) {
    for (const char* mode : {"packet", "continuous"}) {
        std::atomic<bool> interrupted{true};
        std::ostringstream out, err;
        const int status = run_sim(
            seeded({"--mode", mode, "--ticks", "1000", "--size", "300"}), out, err,
            [] { return 1; }, &interrupted);
        EXPECT_EQ(status, 130) << mode;
        EXPECT_EQ(out.str(), run(seeded({"--mode", mode, "--ticks", "1", "--size", "300"})).out)
            << mode;
    }
}

struct VersionCase {
    const char* name;
    std::vector<std::string> args;
};

class Version : public testing::TestWithParam<VersionCase> {};

// The version wins over the options beside it, as help does: nothing is run.
TEST_P(Version, PrintsTheProjectVersionAndExitsZero) {
    const Result r = run(GetParam().args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string("tavolin-sim ") + TAVOLIN_PROJECT_VERSION + "\n");
    EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Version,
    testing::Values(VersionCase{"alone", {"--version"}},
                    VersionCase{"after_options", seeded({"--json", "--version"})},
                    VersionCase{"before_a_malformed_option", {"--version", "--size", "0"}}),
    [](const testing::TestParamInfo<VersionCase>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace tavolin::sim
