// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/sim/sim_command.h"
#include "engine/study.h"

namespace tavolin::sim {
namespace {

struct Result {
    int status;
    std::string out, err;
};

Result run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    Integer clock_reading = 77;
    const int status = run_sim(args, out, err, [&] { return clock_reading += 5; });
    return {status, out.str(), err.str()};
}

std::vector<std::string> sweep(std::vector<std::string> args) {
    args.insert(args.begin(), "sweep");
    for (const char* a : {"--seed1", "11", "--seed2", "-12", "--size", "200", "--quiet"})
        args.emplace_back(a);
    return args;
}

// A small study of each channel whose every row must come back from a continuous run.
struct StudyCase {
    const char* name;
    std::vector<std::string> args;    // the study's own options
    std::vector<std::string> base;    // the base inputs, given to both commands
    std::vector<const char*> varied;  // the options that take the point's value
};

class StudyRows : public testing::TestWithParam<StudyCase> {};

// The command line of the continuous run a row names: its seeds, its ticks, the base inputs,
// the point's value and the row's code.
std::vector<std::string> replay(const StudyCase& c, const nlohmann::json& cell) {
    std::vector<std::string> args = {"--mode",
                                     "continuous",
                                     "--json",
                                     "--ticks",
                                     std::to_string(cell["ticks"].get<long long>()),
                                     "--seed1",
                                     std::to_string(cell["seed1"].get<long long>()),
                                     "--seed2",
                                     std::to_string(cell["seed2"].get<long long>()),
                                     "--size",
                                     "200"};
    // The base inputs, but for those the point's value replaces.
    for (std::size_t i = 0; i < c.base.size(); ++i) {
        const bool replaced =
            std::find(c.varied.begin(), c.varied.end(), c.base[i]) != c.varied.end();
        const bool takes_value = c.base[i] != "--plain-apriori";
        if (!replaced) args.push_back(c.base[i]);
        if (takes_value && i + 1 < c.base.size()) {
            if (!replaced) args.push_back(c.base[i + 1]);
            ++i;
        }
    }
    std::ostringstream value;
    value << cell["value"].dump();
    for (const char* option : c.varied) {
        args.emplace_back(option);
        args.push_back(value.str());
    }
    const std::string code = cell["code"];
    const std::size_t colon = code.find(':');
    const std::string kind = code.substr(0, colon);
    args.insert(args.end(), {"--code", kind});
    if (kind == "cyclic") args.insert(args.end(), {"--poly", code.substr(colon + 1)});
    if (kind == "continuous") args.insert(args.end(), {"--frame", code.substr(colon + 1)});
    return args;
}

TEST_P(StudyRows, ReproduceThroughAContinuousRunWithTheirSeedsAndTicks) {
    const StudyCase& c = GetParam();
    std::vector<std::string> args = c.args;
    args.insert(args.end(), c.base.begin(), c.base.end());
    std::vector<std::string> json_args = sweep(args);
    const std::string path = ::testing::TempDir() + c.name + ".json";
    json_args.insert(json_args.end(), {"--out", path});
    ASSERT_EQ(run(json_args).status, 0);
    std::ifstream f(path);
    const nlohmann::json study = nlohmann::json::parse(f);
    ASSERT_FALSE(study["cells"].empty());
    for (const nlohmann::json& cell : study["cells"]) {
        const Result r = run(replay(c, cell));
        ASSERT_EQ(r.status, 0) << r.err;
        const nlohmann::json single = nlohmann::json::parse(r.out);
        EXPECT_EQ(single["symbols_sent"], cell["symbols"]) << cell.dump();
        EXPECT_EQ(single["distorted"], cell["distorted"]) << cell.dump();
        EXPECT_EQ(single["detected"], cell["detected"]) << cell.dump();
        EXPECT_EQ(single["corrected"], cell["corrected"]) << cell.dump();
        EXPECT_EQ(single["labels"]["Label14"].get<std::string>().size(), 6u);
        EXPECT_TRUE(cell["complete"].get<bool>());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Channels, StudyRows,
    testing::Values(
        StudyCase{
            "inversion_every_code",
            {"--vary", "p", "--from", "0.02", "--to", "0.2", "--points", "3", "--codes",
             "cyclic:1101,hamming,continuous:2,none,cyclic:1000011", "--min-distorted", "150"},
            {"--p0", "0.1", "--p1", "0.2"},
            {"--p0", "--p1"}},
        StudyCase{"inversion_one_row_log",
                  {"--vary", "p1", "--from", "0.001", "--to", "0.1", "--points", "3", "--log",
                   "--codes", "hamming,none", "--min-distorted", "50", "--max-symbols", "4000"},
                  {"--p0", "0.05"},
                  {"--p1"}},
        StudyCase{"erasure_both_rows",
                  {"--vary", "e", "--from", "0.05", "--to", "0.3", "--points", "3", "--codes",
                   "cyclic:1101,hamming,none", "--min-distorted", "100"},
                  {"--noise", "erasure", "--p0", "0.02", "--p1", "0.03"},
                  {"--e0", "--e1"}},
        StudyCase{"erasure_one_row",
                  {"--vary", "e0", "--from", "0", "--to", "0.4", "--points", "2", "--codes",
                   "cyclic:10011,hamming", "--min-distorted", "100"},
                  {"--noise", "erasure", "--p1", "0.05", "--e1", "0.1", "--plain-apriori"},
                  {"--e0"}}),
    [](const testing::TestParamInfo<StudyCase>& i) { return i.param.name; });

TEST(Sweep, OutputIsTheSameForAnyNumberOfThreads) {
    const std::vector<std::string> study = {
        "--vary", "p", "--from", "0.01", "--to", "0.2", "--points", "4", "--min-distorted", "100"};
    auto with_threads = [&](const char* t) {
        std::vector<std::string> a = study;
        a.insert(a.end(), {"--threads", t});
        return run(sweep(a));
    };
    const Result one = with_threads("1");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(with_threads("2").out, one.out);
    EXPECT_EQ(with_threads("3").out, one.out);
}

TEST(Sweep, TheShardsTogetherAreTheWholeStudy) {
    const std::vector<std::string> study = {
        "--vary",          "e",  "--from",  "0",       "--to",    "0.3",
        "--points",        "5",  "--noise", "erasure", "--codes", "hamming,none",
        "--min-distorted", "100"};
    const Result whole = run(sweep(study));
    ASSERT_EQ(whole.status, 0) << whole.err;
    std::map<std::string, std::string> rows;  // by point and code
    auto add_rows = [&rows](const std::string& csv, bool header) {
        std::istringstream lines(csv);
        std::string line;
        std::getline(lines, line);
        EXPECT_EQ(line.rfind("point,value,code,", 0), 0u);
        while (std::getline(lines, line)) {
            const std::size_t second_comma = line.find(',', line.find(',') + 1);
            const std::string key =
                line.substr(0, line.find(',')) + line.substr(line.find(',', second_comma));
            EXPECT_TRUE(rows.emplace(key, line).second || !header) << line;
        }
    };
    for (const char* shard : {"0/3", "1/3", "2/3"}) {
        std::vector<std::string> a = study;
        a.insert(a.end(), {"--shard", shard});
        const Result part = run(sweep(a));
        ASSERT_EQ(part.status, 0) << part.err;
        add_rows(part.out, true);
    }
    std::map<std::string, std::string> shards = std::move(rows);
    rows.clear();
    add_rows(whole.out, true);
    EXPECT_EQ(shards, rows);
    EXPECT_EQ(rows.size(), 10u);
}

// A study run in shards, each part written as JSON, for `merge`.
class Merge : public testing::Test {
  public:
    const std::vector<std::string> study_ = {
        "--vary",          "e", "--from",  "0",       "--to",    "0.3",
        "--points",        "5", "--noise", "erasure", "--codes", "hamming,none,hamming",
        "--min-distorted", "60"};
    // A folder of the test's own: ctest runs the cases as processes side by side.
    std::string dir_ = [] {
        const testing::TestInfo* t = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(t->test_suite_name()) + "_" + t->name();
        for (char& c : name)
            if (c == '/') c = '_';
        const std::string dir = testing::TempDir() + name + "/";
        std::filesystem::create_directories(dir);
        return dir;
    }();

    std::string part(const char* shard, const std::vector<std::string>& changed = {}) {
        const std::string path = dir_ + "merge_part_" + std::to_string(made_++) + ".json";
        std::vector<std::string> a = {"sweep"};
        a.insert(a.end(), study_.begin(), study_.end());
        a.insert(a.end(), changed.begin(), changed.end());
        a.insert(a.end(), {"--shard", shard, "--out", path, "--size", "200", "--quiet"});
        for (const char* seed : {"--seed1", "--seed2"})
            if (std::find(changed.begin(), changed.end(), seed) == changed.end())
                a.insert(a.end(), {seed, seed[6] == '1' ? "11" : "-12"});
        EXPECT_EQ(run(a).status, 0);
        return path;
    }
    Result merge(std::vector<std::string> parts) {
        parts.insert(parts.begin(), "merge");
        return run(parts);
    }
    static std::string file_text(const std::string& path) {
        std::ifstream f(path, std::ios::binary);
        std::ostringstream text;
        text << f.rdbuf();
        return text.str();
    }
    int made_ = 0;
};

// Exact-only parts too: their cells hold no draws, but their inputs say what they are.
TEST_F(Merge, JoinsExactOnlyPartsAndRefusesToMixThemWithMeasuredOnes) {
    const std::string whole = dir_ + "merge_exact_whole.json";
    std::vector<std::string> a = study_;
    a.insert(a.end(), {"--exact-only", "--out", whole});
    ASSERT_EQ(run(sweep(a)).status, 0);
    const std::string joined = dir_ + "merge_exact_joined.json";
    Result r =
        merge({part("1/2", {"--exact-only"}), part("0/2", {"--exact-only"}), "--out", joined});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(file_text(joined), file_text(whole));
    r = merge({part("1/2", {"--exact-only"}), part("0/2")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("a part of another study"), std::string::npos) << r.err;
}

TEST_F(Merge, JoinsThePartsIntoTheFileOneRunWrites) {
    const std::string whole = dir_ + "merge_whole.json";
    std::vector<std::string> a = study_;
    a.insert(a.end(), {"--out", whole});
    ASSERT_EQ(run(sweep(a)).status, 0);
    // The parts in any order, of shards of any count.
    for (const std::vector<const char*>& shards :
         {std::vector<const char*>{"2/3", "0/3", "1/3"}, std::vector<const char*>{"0/1"}}) {
        std::vector<std::string> parts;
        for (const char* s : shards) parts.push_back(part(s));
        const std::string joined = dir_ + "merge_joined.json";
        parts.insert(parts.end(), {"--out", joined});
        const Result r = merge(parts);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(file_text(joined), file_text(whole));
        parts.pop_back();
        parts.pop_back();
        const Result csv = merge(parts);  // CSV on stdout, as sweep writes it
        ASSERT_EQ(csv.status, 0) << csv.err;
        EXPECT_EQ(csv.out, run(sweep(study_)).out);
    }
}

struct MergeCase {
    const char* name;
    std::function<std::vector<std::string>(Merge&)> parts;
    const char* mentions;
};

class MergeRefused : public Merge, public testing::WithParamInterface<MergeCase> {};

TEST_P(MergeRefused, SaysWhyAndWritesNothing) {
    std::vector<std::string> args = GetParam().parts(*this);
    const std::string joined = dir_ + "merge_refused.json";
    std::remove(joined.c_str());
    args.insert(args.end(), {"--out", joined});
    const Result r = merge(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().mentions), std::string::npos) << r.err;
    EXPECT_FALSE(std::ifstream(joined).good());
}

INSTANTIATE_TEST_SUITE_P(
    Parts, MergeRefused,
    testing::Values(
        MergeCase{"a_shard_missing", [](Merge& m) { return std::vector{m.part("0/2")}; },
                  "point 1 is in no part"},
        MergeCase{"a_point_twice",
                  [](Merge& m) {
                      return std::vector{m.part("0/2"), m.part("1/2"), m.part("0/4")};
                  },
                  "point 0 is in another part too"},
        MergeCase{"other_seeds",
                  [](Merge& m) {
                      return std::vector{m.part("0/2"), m.part("1/2", {"--seed1", "12"})};
                  },
                  "a part of another study"},
        MergeCase{"other_inputs",
                  [](Merge& m) {
                      return std::vector{m.part("0/2"), m.part("1/2", {"--bit-time", "0.5"})};
                  },
                  "a part of another study"},
        MergeCase{"not_a_study",
                  [](Merge& m) {
                      const std::string path = m.part("0/1") + ".txt";
                      std::ofstream(path) << "{\"inputs\":3}";
                      return std::vector{path};
                  },
                  "not a study (field 'inputs')"},
        MergeCase{"no_such_file",
                  [](Merge&) { return std::vector<std::string>{"/nonexistent.json"}; },
                  "/nonexistent.json: cannot be read"},
        MergeCase{"no_parts", [](Merge&) { return std::vector<std::string>{}; }, "parts"}),
    [](const testing::TestParamInfo<MergeCase>& i) { return i.param.name; });

TEST(Sweep, CsvRowsCarryEveryColumnAndTheCapacity) {
    const Result r = run(sweep({"--vary", "p", "--from", "0.1", "--to", "0.1", "--points", "1",
                                "--codes", "none", "--min-distorted", "10"}));
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string header, row;
    std::getline(lines, header);
    std::getline(lines, row);
    EXPECT_EQ(std::count(header.begin(), header.end(), ','), 35);
    EXPECT_EQ(std::count(row.begin(), row.end(), ','), 35);
    EXPECT_NE(header.find(",capacity,overlap,complete,wrong_rate_exact,detected_share_exact,"
                          "corrected_share_exact,useful_aposteriori_exact,useful_per_bit_exact"),
              std::string::npos);
    // 1 - H(0.1) bits per channel use for the symmetric channel of 0.1.
    EXPECT_NE(row.find(",0.531004406410718"), std::string::npos) << row;
    EXPECT_NE(row.find(",false,true,"), std::string::npos) << row;
    // No code: a symbol of 4 bits arrives as itself with probability 0.9^4.
    const std::size_t at = row.find(",false,true,");
    ASSERT_NE(at, std::string::npos) << row;
    EXPECT_NEAR(std::stod(row.substr(at + 12)), 1 - std::pow(0.9, 4), 1e-15) << row;
}

// The measured columns from the exact values: the same cells with --no-exact, the exact columns
// empty.
TEST(Sweep, NoExactLeavesTheExactColumnsEmptyAndTheRestAsTheyWere) {
    const std::vector<std::string> study = {"--vary",
                                            "p",
                                            "--from",
                                            "0.01",
                                            "--to",
                                            "0.1",
                                            "--points",
                                            "3",
                                            "--codes",
                                            "hamming,none",
                                            "--min-distorted",
                                            "20"};
    std::vector<std::string> without = study;
    without.push_back("--no-exact");
    const Result with = run(sweep(study)), plain = run(sweep(without));
    ASSERT_EQ(with.status, 0) << with.err;
    ASSERT_EQ(plain.status, 0) << plain.err;
    std::istringstream a(with.out), b(plain.out);
    std::string la, lb;
    std::getline(a, la);
    std::getline(b, lb);
    EXPECT_EQ(la, lb);
    int rows = 0;
    while (std::getline(a, la) && std::getline(b, lb)) {
        ++rows;
        ASSERT_TRUE(lb.ends_with(",,,,,")) << lb;
        EXPECT_EQ(lb.substr(0, lb.size() - 5), la.substr(0, lb.size() - 5));
        EXPECT_FALSE(la.ends_with(",")) << la;
    }
    EXPECT_EQ(rows, 6);
}

std::vector<std::map<std::string, std::string>> csv_rows(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    std::vector<std::string> names;
    std::istringstream header(line);
    for (std::string name; std::getline(header, name, ',');) names.push_back(name);
    std::vector<std::map<std::string, std::string>> rows;
    while (std::getline(lines, line)) {
        std::map<std::string, std::string>& row = rows.emplace_back();
        std::size_t at = 0;
        for (const std::string& name : names) {
            const std::size_t end = std::min(line.find(',', at), line.size());
            row[name] = line.substr(at, end - at);
            at = end + 1;
        }
    }
    return rows;
}

// Down to p = 1e-12, where a measured study would draw for ever: every point of every code, the
// measured columns empty, the exact ones those an ordinary study of the same points writes.
TEST(Sweep, ExactOnlyGivesEveryPointWithoutSimulating) {
    const std::vector<std::string> study = {
        "--vary", "p",     "--from",          "1e-12", "--to",          "0.1", "--points",
        "12",     "--log", "--min-distorted", "5",     "--max-symbols", "400"};
    std::vector<std::string> exact_only = study;
    exact_only.push_back("--exact-only");
    const Result only = run(sweep(exact_only)), measured = run(sweep(study));
    ASSERT_EQ(only.status, 0) << only.err;
    ASSERT_EQ(measured.status, 0) << measured.err;
    const auto rows = csv_rows(only.out), measured_rows = csv_rows(measured.out);
    ASSERT_EQ(rows.size(), 12u * 4);
    ASSERT_EQ(measured_rows.size(), rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto& row = rows[r];
        const std::string what = row.at("value") + " " + row.at("code");
        EXPECT_EQ(row.at("point"), std::to_string(r / 4)) << what;
        EXPECT_EQ(row.at("ticks"), "0") << what;
        EXPECT_EQ(row.at("symbols"), "0") << what;
        EXPECT_EQ(row.at("complete"), "true") << what;
        for (const char* name : {"detected_share", "detected_lo", "corrected_share", "wrong_rate",
                                 "wrong_hi", "entropy_source", "useful_apriori",
                                 "useful_aposteriori", "rate_aposteriori", "useful_per_bit"})
            EXPECT_EQ(row.at(name), "") << what << " " << name;
        for (const char* name :
             {"wrong_rate_exact", "detected_share_exact", "corrected_share_exact",
              "useful_aposteriori_exact", "useful_per_bit_exact", "capacity"}) {
            EXPECT_NE(row.at(name), "") << what << " " << name;
            EXPECT_EQ(row.at(name), measured_rows[r].at(name)) << what << " " << name;
        }
    }
    // Hamming at p = 1e-12: a symbol goes wrong with two of its 7 bits inverted, about 21 p^2.
    const double hamming = std::stod(rows[1].at("wrong_rate_exact"));
    EXPECT_NEAR(hamming / 21e-24, 1.0, 1e-6);
}

TEST(Sweep, ABitTimeOfZeroLeavesTheRatesEmpty) {
    const Result r = run(sweep({"--vary", "p", "--from", "0.1", "--to", "0.1", "--points", "1",
                                "--codes", "hamming", "--bit-time", "0", "--min-distorted", "10"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(",,,"), std::string::npos) << r.out;  // two rates, neither written
}

// A bit time so short that the rates overflow leaves them empty as a bit time of 0 does, in
// both files: JSON readers take no infinity.
TEST(Sweep, RatesThatOverflowAreLeftEmpty) {
    for (const char* bit_time : {"1e-310", "1e-4000"}) {
        const std::vector<std::string> study = {
            "--vary",  "p",       "--from",          "0.1", "--to",       "0.1",   "--points", "1",
            "--codes", "hamming", "--min-distorted", "10",  "--bit-time", bit_time};
        const Result csv = run(sweep(study));
        ASSERT_EQ(csv.status, 0) << csv.err;
        EXPECT_EQ(csv.out.find("inf"), std::string::npos) << csv.out;
        EXPECT_EQ(csv.out.find("nan"), std::string::npos) << csv.out;
        std::vector<std::string> as_json = sweep(study);
        as_json.push_back("--out");
        as_json.push_back(testing::TempDir() + "overflowing_rates.json");
        ASSERT_EQ(run(as_json).status, 0);
        std::ifstream file(as_json.back());
        const nlohmann::json j = nlohmann::json::parse(file, nullptr, false);
        ASSERT_FALSE(j.is_discarded()) << bit_time << ": not JSON";
        EXPECT_TRUE(j["cells"][0]["rate_apriori"].is_null()) << bit_time;
        EXPECT_TRUE(j["cells"][0]["rate_aposteriori"].is_null()) << bit_time;
    }
}

struct SpacingCase {
    const char* name;
    Extended from, to;
    int points;
    bool log;
};

class PointSpacing : public testing::TestWithParam<SpacingCase> {};

// Evenly, or evenly in the logarithm from end to end, whatever the ends: the logarithms are
// finite even where --to / --from is not.
TEST_P(PointSpacing, RunsFromEndToEndEvenlyOrGeometrically) {
    const SpacingCase& c = GetParam();
    StudyPlan plan;
    plan.from = c.from;
    plan.to = c.to;
    plan.points = c.points;
    plan.log = c.log;
    const std::vector<Extended> values = point_values(plan);
    ASSERT_EQ(values.size(), static_cast<std::size_t>(c.points));
    EXPECT_EQ(values.front(), c.from);
    EXPECT_EQ(values.back(), c.to);
    for (int k = 0; k < c.points; ++k) {
        const Extended t = static_cast<Extended>(k) / (c.points - 1);
        const Extended expected =
            c.log ? std::exp(std::log(c.from) + (std::log(c.to) - std::log(c.from)) * t)
                  : c.from + (c.to - c.from) * t;
        EXPECT_NEAR(static_cast<double>(values[k] / expected), 1.0, 1e-12)
            << "point " << k << ": " << value_text(values[k]) << " for " << value_text(expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ends, PointSpacing,
    testing::Values(SpacingCase{"even", 0.1L, 0.2L, 3, false},
                    SpacingCase{"log_decades", 0.001L, 0.1L, 3, true},
                    // Below the normal range, --to / --from overflows the 80-bit range.
                    SpacingCase{"log_from_a_denormal", 1e-4940L, 0.5L, 3, true},
                    SpacingCase{"log_from_the_smallest",
                                std::numeric_limits<Extended>::denorm_min(), 1.0L, 5, true}),
    [](const testing::TestParamInfo<SpacingCase>& i) { return std::string(i.param.name); });

struct Refused {
    const char* name;
    std::vector<std::string> args;
    const char* mentions;
};

class SweepRefusal : public testing::TestWithParam<Refused> {};

TEST_P(SweepRefusal, RefusesBeforeAnyWorkNamingTheOption) {
    std::vector<std::string> args = {"sweep"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const Result r = run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().mentions), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SweepRefusal,
    testing::Values(
        Refused{"from_above_to", {"--vary", "p", "--from", "0.3", "--to", "0.2"}, "--from"},
        Refused{"log_from_zero", {"--vary", "p", "--from", "0", "--to", "0.2", "--log"}, "--from"},
        Refused{"no_points",
                {"--vary", "p", "--from", "0", "--to", "0.2", "--points", "0"},
                "--points"},
        Refused{"unknown_code",
                {"--vary", "p", "--from", "0", "--to", "0.2", "--codes", "hamming,golay"},
                "--codes"},
        Refused{"refused_polynomial",
                {"--vary", "p", "--from", "0", "--to", "0.2", "--codes", "cyclic:1111"},
                "--codes"},
        Refused{"frame_out_of_range",
                {"--vary", "p", "--from", "0", "--to", "0.2", "--codes", "continuous:5"},
                "--codes"},
        Refused{"probability_above_one", {"--vary", "p", "--from", "0", "--to", "1.5"}, "--to"},
        Refused{
            "probability_below_zero", {"--vary", "p", "--from", "-0.1", "--to", "0.5"}, "--from"},
        Refused{
            "row_sum_over_one",
            {"--vary", "e0", "--from", "0", "--to", "0.95", "--noise", "erasure", "--p0", "0.1"},
            "--vary"},
        Refused{"erasure_on_inversion_channel",
                {"--vary", "e", "--from", "0", "--to", "0.1"},
                "--vary"},
        Refused{"shard_past_its_count",
                {"--vary", "p", "--from", "0", "--to", "0.1", "--shard", "3/3"},
                "--shard"},
        Refused{"shard_malformed",
                {"--vary", "p", "--from", "0", "--to", "0.1", "--shard", "1"},
                "--shard"},
        Refused{"confidence_one",
                {"--vary", "p", "--from", "0", "--to", "0.1", "--confidence", "1"},
                "--confidence"},
        Refused{"out_of_unknown_type",
                {"--vary", "p", "--from", "0", "--to", "0.1", "--out", "study.txt"},
                "--out"},
        Refused{"threads_zero",
                {"--vary", "p", "--from", "0", "--to", "0.1", "--threads", "0"},
                "--threads"},
        // The continuous start's own refusals: no table of no cells that passes for a study.
        Refused{"alphabet_sum_not_one",
                {"--vary", "p", "--from", "0", "--to", "0.1", "--probs",
                 "0.22,0.18,0.11,0.24,0.01,0.03,0.04,0.08,0.09"},
                "--probs: Сумма вероятностей символов должна равнятсяся 1"},
        Refused{"alphabet_too_short",
                {"--vary", "p", "--from", "0", "--to", "0.1", "--probs", "0.5,0.5"},
                "--probs: В алфивите должно быть не менее 9 символов"},
        Refused{"no_vary", {"--from", "0", "--to", "0.1"}, "--vary"},
        Refused{
            "max_symbols_past_64_bits",
            {"--vary", "p", "--from", "0", "--to", "0.1", "--max-symbols", "18446744073709551617"},
            "--max-symbols"},
        Refused{"min_distorted_past_64_bits",
                {"--vary", "p", "--from", "0", "--to", "0.1", "--min-distorted",
                 "99999999999999999999"},
                "--min-distorted"},
        Refused{"min_distorted_without_value",
                {"--vary", "p", "--from", "0", "--to", "0.1", "--min-distorted", "--threads", "1"},
                "--min-distorted: a value is needed"},
        Refused{"unknown_vary", {"--vary", "q", "--from", "0", "--to", "0.1"}, "--vary"},
        Refused{"exact_only_without_exact",
                {"--vary", "p", "--from", "0", "--to", "0.1", "--exact-only", "--no-exact"},
                "--exact-only"}),
    [](const testing::TestParamInfo<Refused>& i) { return i.param.name; });

TEST(Sweep, AnInterruptedStudyWritesWhatItHasAndSaysSo) {
    std::atomic<bool> interrupted{true};  // as if Ctrl+C came before the first packet
    std::ostringstream out, err;
    const int status = run_sim(
        sweep({"--vary", "p", "--from", "0.1", "--to", "0.2", "--points", "2"}), out, err,
        [] { return 1; }, &interrupted);
    EXPECT_EQ(status, 130);
    EXPECT_EQ(out.str().rfind("point,value,code,", 0), 0u);  // the header, no cell begun
}

}  // namespace
}  // namespace tavolin::sim
