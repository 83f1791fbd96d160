// SPDX-License-Identifier: GPL-3.0-or-later
// A whole `tavolin-sim sweep` in-process from fuzzed study options, with few points, few codes
// and few symbols per cell. Whatever the options: exit status 0 with the table or 2 with a
// message; the table has one row per (point, code) of the shard in order, each at the point's
// value as its 21-digit text reads back, with consistent counters and its stop rule met; the
// table is the same on one thread and on two; and a cell's counts are those of the single
// continuous run its row names (same inputs, seeds and ticks).
//
// Input: option records as fuzz_args.h reads them; the last byte chooses the cell reproduced.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/sim/sweep_options.h"
#include "codes/bitstring.h"
#include "codes/cyclic.h"
#include "engine/study_columns.h"
#include "fuzz_args.h"
#include "fuzz_check.h"
#include "fuzz_command.h"

namespace tavolin::fuzzing {
namespace {

using sim::parse_sweep_options;
using sim::Parsed;
using sim::SweepOptions;

const std::vector<FuzzOption> kOptions = {
    {"--vary", false},        {"--from", false},         {"--to", false},
    {"--points", false},      {"--log", true},           {"--codes", false},
    {"--size", false},        {"--probs", false},        {"--noise", false},
    {"--p0", false},          {"--p1", false},           {"--e0", false},
    {"--e1", false},          {"--bit-time", false},     {"--seed1", false},
    {"--seed2", false},       {"--plain-apriori", true}, {"--min-distorted", false},
    {"--max-symbols", false}, {"--confidence", false},   {"--shard", false},
    {"--quiet", true},        {"--help", true},
};

const std::vector<Cap> kCaps = {{"--size", 50000, 32},
                                {"--points", 100000, 3},
                                {"--max-symbols", 9223372036854775807ULL, 96},
                                {"--threads", 1024, 2}};
constexpr std::size_t kMostCodes = 3;

// A column's place in a row, by its name in the study's column table.
std::size_t column_index(std::string_view name) {
    const std::span<const StudyColumn> columns = study_columns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (name == columns[i].name) return i;
    std::abort();
}

const std::size_t kPoint = column_index("point"), kValue = column_index("value"),
                  kCode = column_index("code"), kSeed1 = column_index("seed1"),
                  kSeed2 = column_index("seed2"), kTicks = column_index("ticks"),
                  kSymbols = column_index("symbols"), kDistorted = column_index("distorted"),
                  kDetected = column_index("detected"), kCorrected = column_index("corrected"),
                  kWrong = column_index("wrong"), kComplete = column_index("complete"),
                  kColumns = study_columns().size();

// The first kMostCodes items of a --codes list.
std::string fewer_codes(const std::string& list) {
    std::size_t at = 0;
    for (std::size_t k = 0; k < kMostCodes; ++k) {
        at = list.find(',', at);
        if (at == std::string::npos) return list;
        ++at;
    }
    return list.substr(0, at - 1);
}

// The fuzzer never names a file to write: --out becomes an option the command does not know
// (and refuses).
void no_files(std::vector<std::string>& args) {
    for (std::string& a : args)
        if (a == "--out" || a.rfind("--out=", 0) == 0) a.replace(0, 5, "--no-out");
}

void hold_codes(std::vector<std::string>& args) {
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--codes" && k + 1 < args.size())
            args[k + 1] = fewer_codes(args[k + 1]);
        else if (args[k].rfind("--codes=", 0) == 0)
            args[k] = "--codes=" + fewer_codes(args[k].substr(8));
    }
}

std::vector<std::string> csv_fields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

unsigned long long count_of(const std::string& field, const std::string& what) {
    unsigned long long v = 0;
    FUZZ_CHECK(plain_decimal(field, v), what + ": count '" + field + "'");
    return v;
}

// Point k of the spacing, computed apart from the study: even steps, or even steps of the
// logarithm (which never overflows, however small --from is).
Extended spacing(const StudyPlan& plan, int k) {
    if (plan.points == 1) return plan.from;
    const Extended t = static_cast<Extended>(k) / (plan.points - 1);
    if (!plan.log) return plan.from + (plan.to - plan.from) * t;
    return std::exp(std::log(plan.from) + (std::log(plan.to) - std::log(plan.from)) * t);
}

// The single run a row names: the study's inputs at the row's value, its code, seeds and ticks.
std::vector<std::string> single_run_of(const StudyPlan& plan, const StudyCode& code, Extended value,
                                       const std::vector<std::string>& row) {
    const RunTexts t = cell_texts(plan, value);
    std::string probs;
    for (std::size_t i = 0; i < t.probs.size(); ++i) probs += (i ? "," : "") + t.probs[i];
    std::vector<std::string> args = {"--mode",    "continuous", "--ticks",   row[kTicks], "--seed1",
                                     row[kSeed1], "--seed2",    row[kSeed2], "--size",    t.size,
                                     "--probs",   probs,        "--p0",      t.p0,        "--p1",
                                     t.p1,        "--bit-time", t.bit_time,  "--json"};
    if (t.erasure) args.insert(args.end(), {"--noise", "erasure", "--e0", t.e0, "--e1", t.e1});
    if (t.plain_apriori) args.push_back("--plain-apriori");
    switch (code.coding_type) {
        case kCyclic:
            args.insert(args.end(), {"--code", "cyclic", "--poly",
                                     IntToBin(code.polynomial,
                                              static_cast<Byte>(degree(code.polynomial) + 1))});
            break;
        case kContinuous:
            args.insert(args.end(),
                        {"--code", "continuous", "--frame", std::to_string(code.frame)});
            break;
        case kHamming:
            args.insert(args.end(), {"--code", "hamming"});
            break;
        default:
            args.insert(args.end(), {"--code", "none"});
            break;
    }
    return args;
}

void check(const std::vector<std::string>& options, bool threads_given, std::uint8_t pick) {
    std::vector<std::string> args = {"sweep"};
    if (!threads_given) args.insert(args.end(), {"--threads", "1"});
    args.insert(args.end(), options.begin(), options.end());
    const std::string what = "tavolin-sim" + joined(args);
    const Outcome o = run(args);
    FUZZ_CHECK(o.status == 0 || o.status == 2, what + ": status " + std::to_string(o.status));
    if (o.status == 2) {
        FUZZ_CHECK(o.out.empty() && !o.err.empty(), what + ": refusal with out " + o.out);
        return;
    }
    FUZZ_CHECK(!o.out.empty() && o.out.back() == '\n', what + ": no table");
    const Parsed<SweepOptions> parsed = parse_sweep_options({args.begin() + 1, args.end()});
    if (parsed.help) return;
    FUZZ_CHECK(o.err.empty(), what + ": err " + o.err);
    FUZZ_CHECK(parsed.options.has_value(), what + ": ran, but its options do not parse");
    StudyPlan plan = parsed.options->plan;
    const std::vector<int> points = shard_points(plan);
    const std::vector<Extended> values = point_values(plan);
    // Relative to the value on a logarithmic spacing (its values may be tiny), to the range on
    // an even one.
    const Extended tolerance_scale =
        plan.log ? 0 : 1e-15L * std::fmax(std::fabs(plan.from), std::fabs(plan.to));
    for (int k = 0; k < plan.points; ++k) {
        const Extended expected = spacing(plan, k);
        const Extended got = values[static_cast<std::size_t>(k)];
        const Extended tolerance = plan.log ? 1e-12L * std::fabs(expected) : tolerance_scale;
        FUZZ_CHECK(std::isfinite(got) && std::fabs(got - expected) <= tolerance,
                   what + ": point " + std::to_string(k) + " at " + format_round_trip(got) +
                       ", not " + format_round_trip(expected));
    }
    const std::vector<std::string> lines = lines_of(o.out);
    FUZZ_CHECK(lines.size() == 1 + points.size() * plan.codes.size(),
               what + ": " + std::to_string(lines.size() - 1) + " rows for " +
                   std::to_string(points.size()) + " points of " +
                   std::to_string(plan.codes.size()) + " codes");
    FUZZ_CHECK(csv_fields(lines[0]).size() == kColumns, what + ": header " + lines[0]);
    const auto size = static_cast<unsigned long long>(std::stoll(plan.base.size));

    std::vector<std::vector<std::string>> rows;
    for (std::size_t r = 1; r < lines.size(); ++r) {
        const std::vector<std::string> f = csv_fields(lines[r]);
        const std::string row_what = what + ": row " + lines[r];
        FUZZ_CHECK(f.size() == kColumns, row_what);
        const int point = points[(r - 1) / plan.codes.size()];
        const StudyCode& code = plan.codes[(r - 1) % plan.codes.size()];
        FUZZ_CHECK(f[kPoint] == std::to_string(point) && f[kCode] == code.name,
                   row_what + ": order");
        const std::optional<Extended> value = parse_number(f[kValue], '.');
        FUZZ_CHECK(value && *value == values[static_cast<std::size_t>(point)] &&
                       *value >= plan.from && *value <= plan.to,
                   row_what + ": value");
        const auto ticks = count_of(f[kTicks], row_what);
        const auto symbols = count_of(f[kSymbols], row_what);
        const auto distorted = count_of(f[kDistorted], row_what);
        const auto detected = count_of(f[kDetected], row_what);
        const auto corrected = count_of(f[kCorrected], row_what);
        FUZZ_CHECK(ticks >= 1 && symbols == ticks * size, row_what + ": symbols");
        FUZZ_CHECK(corrected <= detected && detected <= distorted && distorted <= symbols &&
                       count_of(f[kWrong], row_what) <= symbols,
                   row_what + ": counters");
        FUZZ_CHECK(f[kComplete] == "true", row_what + ": incomplete");
        FUZZ_CHECK((distorted >= plan.stop.min_distorted || symbols >= plan.stop.max_symbols) &&
                       symbols - size < plan.stop.max_symbols,
                   row_what + ": stop rule");
        rows.push_back(f);
    }

    // Threads share the cells, never change them.
    if (!threads_given) {
        std::vector<std::string> two = args;
        two[2] = "2";
        const Outcome o2 = run(two);
        FUZZ_CHECK(o2.status == 0 && o2.out == o.out, what + ": two threads differ");
    }

    // One cell again as the single continuous run its row names.
    if (rows.empty()) return;  // a shard without points
    const std::size_t r = pick % rows.size();
    const std::vector<std::string>& row = rows[r];
    const std::vector<std::string> single = single_run_of(plan, plan.codes[r % plan.codes.size()],
                                                          *parse_number(row[kValue], '.'), row);
    const Outcome s = run(single);
    FUZZ_CHECK(s.status == 0, what + ": the single run" + joined(single) + " failed: " + s.err);
    const nlohmann::json j = nlohmann::json::parse(s.out);
    FUZZ_CHECK(std::to_string(j.at("symbols_sent").get<long long>()) == row[kSymbols] &&
                   std::to_string(j.at("distorted").get<unsigned long long>()) == row[kDistorted] &&
                   std::to_string(j.at("detected").get<unsigned long long>()) == row[kDetected] &&
                   std::to_string(j.at("corrected").get<unsigned long long>()) == row[kCorrected],
               what + ": row " + std::to_string(r) + " is not the single run" + joined(single) +
                   " " + s.out);
}

}  // namespace
}  // namespace tavolin::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolin::fuzzing;
    if (size == 0) return 0;
    std::vector<std::string> options = arguments_from(data, size - 1, kOptions);
    apply_caps(options, kCaps);
    hold_codes(options);
    no_files(options);
    // Each cell stays small also when the options leave these to their defaults.
    if (!given(options, "--size")) options.insert(options.begin(), {"--size", "24"});
    if (!given(options, "--max-symbols")) options.insert(options.begin(), {"--max-symbols", "72"});
    if (!given(options, "--points")) options.insert(options.begin(), {"--points", "2"});
    check(options, given(options, "--threads"), data[size - 1]);
    return 0;
}
