// SPDX-License-Identifier: GPL-3.0-or-later
// A whole tavolin-sim run in-process from fuzzed options, with small packets. Whatever the
// options: the exit status is 0 with a report and nothing on stderr, or 2 with a message and
// nothing on stdout; the same options give the same output again; the text and the JSON report
// of one run agree on every label; and a JSON report's counters are consistent.
//
// Input: option records as fuzz_args.h reads them.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/sim/sim_options.h"
#include "fuzz_args.h"
#include "fuzz_check.h"
#include "fuzz_command.h"

namespace tavolin::fuzzing {
namespace {

using sim::parse_options;

const std::vector<FuzzOption> kOptions = {
    {"--mode", false},   {"--ticks", false},        {"--no-accumulate", true},
    {"--code", false},   {"--poly", false},         {"--frame", false},
    {"--size", false},   {"--probs", false},        {"--noise", false},
    {"--p0", false},     {"--p1", false},           {"--e0", false},
    {"--e1", false},     {"--bit-time", false},     {"--seed1", false},
    {"--seed2", false},  {"--plain-apriori", true}, {"--count-codewords", true},
    {"--json", true},    {"--code-table", true},    {"--help", true},
    {"--version", true},
};

// The most the command accepts, and what a run is held to.
const std::vector<Cap> kCaps = {{"--size", 50000, 48}, {"--ticks", 2147483647, 3}};

// The value after "caption" on its line of the text report.
std::string text_line_value(const std::string& report, const std::string& caption) {
    const std::size_t at = report.find(caption);
    if (at == std::string::npos) return "<missing>";
    std::size_t start = at + caption.size();
    while (start < report.size() && report[start] == ' ') ++start;
    return report.substr(start, report.find('\n', start) - start);
}

void check_outcome_shape(const Outcome& o, const std::string& what) {
    FUZZ_CHECK(o.status == 0 || o.status == 2, what + ": status " + std::to_string(o.status));
    if (o.status == 0) {
        FUZZ_CHECK(!o.out.empty() && o.out.back() == '\n' && o.err.empty(),
                   what + ": success with err " + o.err);
    } else {
        FUZZ_CHECK(o.out.empty() && !o.err.empty() && o.err.back() == '\n',
                   what + ": refusal with out " + o.out);
    }
}

void check_json_report(const nlohmann::json& j, const std::string& what) {
    const auto distorted = j.at("distorted").get<std::uint64_t>();
    const auto detected = j.at("detected").get<std::uint64_t>();
    const auto corrected = j.at("corrected").get<std::uint64_t>();
    const auto sent = j.at("symbols_sent").get<std::int64_t>();
    FUZZ_CHECK(corrected <= detected && detected <= distorted, what + ": counters");
    FUZZ_CHECK(sent >= 1 && distorted <= static_cast<std::uint64_t>(sent), what + ": sent");
    FUZZ_CHECK(j.at("labels").at("Label10") == std::to_string(sent), what + ": Label10");
    const int n0 = j.at("n0").get<int>();
    FUZZ_CHECK(n0 >= 4 && n0 <= 16, what + ": n0");
    for (const char* m : {"matrix_apriori", "matrix_aposteriori"}) {
        const auto& rows = j.at(m);
        FUZZ_CHECK(rows.is_array() && rows.size() <= 16, what + ": " + m);
        for (const auto& row : rows)
            FUZZ_CHECK(row.size() == rows.size() + 1 || row.size() == rows.size(),
                       what + ": a row of " + m);
    }
}

void check(const std::vector<std::string>& args) {
    const std::string what = "tavolin-sim" + joined(args);
    const Outcome first = run(args);
    check_outcome_shape(first, what);
    const Outcome again = run(args);
    FUZZ_CHECK(again.status == first.status && again.out == first.out && again.err == first.err,
               what + ": not reproduced");
    if (parse_options(args).help || given(args, "--json") || given(args, "--code-table")) return;

    // The same run as JSON: the same refusal, or a report that agrees with the text one.
    std::vector<std::string> json_args = {"--json"};
    json_args.insert(json_args.end(), args.begin(), args.end());
    const Outcome json = run(json_args);
    check_outcome_shape(json, what + " --json");
    FUZZ_CHECK(json.status == first.status, what + ": --json changed the status");
    if (json.status != 0) {
        FUZZ_CHECK(json.err == first.err, what + ": --json changed the refusal");
        return;
    }
    const nlohmann::json j = nlohmann::json::parse(json.out, nullptr, false);
    FUZZ_CHECK(!j.is_discarded(), what + ": JSON report does not parse: " + json.out);
    check_json_report(j, what);
    FUZZ_CHECK(text_line_value(first.out, "Всего передано символов:") ==
                   j.at("labels").at("Label10").get<std::string>(),
               what + ": symbols sent differ");
    const std::pair<const char*, const char*> labels[] = {
        {"Доля обнаруженных ошибок:", "Label14"}, {"Доля исправленных ошибок:", "Label12"},
        {"Коэф. избыточности кода:", "Label19"},  {"Энтропия источника:", "Label20"},
        {"Энтропия приемника:", "Label21"},       {"Энтропия шума:", "Label22"}};
    for (const auto& [caption, label] : labels)
        FUZZ_CHECK(text_line_value(first.out, caption) == j.at("labels").at(label),
                   what + ": " + label + " differs between the reports");
}

}  // namespace
}  // namespace tavolin::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolin::fuzzing;
    std::vector<std::string> args = arguments_from(data, size, kOptions);
    apply_caps(args, kCaps);
    // Runs are held to small packets also when the options leave the size to its default.
    if (!given(args, "--size")) args.insert(args.begin(), {"--size", "32"});
    check(args);
    return 0;
}
