// SPDX-License-Identifier: GPL-3.0-or-later
// Reference runs of the command, worked out independently: integers, labels and code words
// exactly, other numbers within a relative 1e-12 (absolute 1e-15 near zero).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "../lane_paths.h"
#include "app/sim/sim_command.h"
#include "channel/lanes/kernels.h"

namespace {

using nlohmann::json;

std::vector<json> load_cases() {
    std::ifstream f(TAVOLIN_CONFORMANCE_CASES);
    if (!f) return {};
    return json::parse(f).get<std::vector<json>>();
}

void expect_same(const json& want, const json& got, const std::string& where) {
    if (want.is_null()) {
        EXPECT_TRUE(got.is_null()) << where;
    } else if (want.is_number_integer() && got.is_number_integer()) {
        EXPECT_EQ(want.get<std::int64_t>(), got.get<std::int64_t>()) << where;
    } else if (want.is_number()) {
        ASSERT_TRUE(got.is_number()) << where << ": " << got;
        const double w = want.get<double>(), g = got.get<double>();
        EXPECT_LE(std::fabs(w - g), std::max(1e-15, 1e-12 * std::fabs(w))) << where;
    } else if (want.is_array()) {
        ASSERT_TRUE(got.is_array()) << where;
        ASSERT_EQ(want.size(), got.size()) << where;
        for (std::size_t i = 0; i < want.size(); ++i)
            expect_same(want[i], got[i], where + "[" + std::to_string(i) + "]");
    } else if (want.is_object()) {
        ASSERT_TRUE(got.is_object()) << where;
        for (const auto& [key, value] : want.items()) {
            ASSERT_TRUE(got.contains(key)) << where << "." << key;
            expect_same(value, got[key], where + "." + key);
        }
    } else {
        EXPECT_EQ(want, got) << where;
    }
}

class Conformance : public testing::TestWithParam<json> {};

// Every case under every lane width this processor runs: the draws must not depend on it.
TEST_P(Conformance, MatchesReferenceRun) {
    const json& c = GetParam();
    const tavolin::Lanes before = tavolin::active_lanes();
    for (tavolin::Lanes lanes : tavolin::testing_support::lane_paths()) {
        SCOPED_TRACE(tavolin::lanes_name(lanes));
        tavolin::use_lanes(lanes);
        std::ostringstream out, err;
        const int status = tavolin::sim::run_sim(c["args"].get<std::vector<std::string>>(), out,
                                                 err, [] { return tavolin::Integer{0}; });
        ASSERT_EQ(status, c["exit"].get<int>()) << err.str();
        if (status != 0) {
            EXPECT_EQ(out.str(), "");
            EXPECT_NE(err.str().find(c["stderr"].get<std::string>()), std::string::npos)
                << err.str();
            continue;
        }
        expect_same(c["output"], json::parse(out.str()), c["name"].get<std::string>());
    }
    tavolin::use_lanes(before);
}

std::string case_name(const testing::TestParamInfo<json>& info) {
    std::string name = info.param["name"].get<std::string>();
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(ReferenceRuns, Conformance, testing::ValuesIn(load_cases()), case_name);

TEST(ConformanceCases, AreThere) {
    EXPECT_FALSE(load_cases().empty()) << TAVOLIN_CONFORMANCE_CASES;
}

}  // namespace
