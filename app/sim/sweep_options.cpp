// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sim/sweep_options.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "app/sim/output_file.h"
#include "engine/code_settings.h"
#include "engine/study_check.h"
#include "engine/study_codes.h"

namespace tavolin::sim {

namespace {

// One item of --codes, with the settings prompts' own checks of its parameter.
StudyCode parse_code(const std::string& item) {
    const StudyCodeRead read = read_study_code(item);
    if (read.refusal)
        throw Malformed{"--codes: " + item + ": " + setting_message(*read.refusal).text};
    if (!read.code)
        throw Malformed{"--codes: '" + item +
                        "' is not one of cyclic:BITS, hamming, continuous:L, none"};
    return *read.code;
}

// The plan's refusal, naming the option that gave what is refused.
std::string refusal_text(const StudyRefusal& r, const StudyPlan& plan) {
    const std::string varied = std::string("--vary ") + varied_name(plan.varied);
    switch (r.fault) {
        case StudyFault::NoCodes:
            return "--codes: no code given";
        case StudyFault::CodeOnErasure:
            return "--codes: " + r.detail + ": not available with --noise erasure";
        case StudyFault::VariesErasure:
            return varied + ": erasure probabilities need --noise erasure";
        case StudyFault::FromOutOfRange:
            return "--from: " + format_general(r.at, '.') + " is not a probability from 0 to 1";
        case StudyFault::ToOutOfRange:
            return "--to: " + format_general(r.at, '.') + " is not a probability from 0 to 1";
        case StudyFault::FromAboveTo:
            return "--from: " + format_general(plan.from, '.') + " is above --to " +
                   format_general(plan.to, '.');
        case StudyFault::LogFromZero:
            return "--from: a logarithmic spacing cannot start at 0";
        case StudyFault::PointsOutOfRange:
            return "--points: from 1 to " + std::to_string(kMostStudyPoints);
        case StudyFault::RowAboveOne:
            return varied + ": at " + value_text(r.at) + " a channel row sums to more than 1";
        case StudyFault::RunRefused:
            return "--probs: " + r.detail;
        case StudyFault::StopRuleBelowOne:
            return "--min-distorted, --max-symbols: at least 1";
        case StudyFault::ConfidenceOutOfRange:
            return "--confidence: " + format_general(r.at, '.') + " is not between 0 and 1";
    }
    return "the study is refused";
}

}  // namespace

Parsed<SweepOptions> parse_sweep_options(const std::vector<std::string>& args) {
    CLI::App app{
        "Tavolin study: how the codes behave as one channel probability changes. "
        "Every (point, code) cell is an accumulating continuous run, stepped until "
        "its stop rule holds.",
        "tavolin-sim sweep"};
    SweepOptions o;
    BaseOptions base;
    std::string vary, from, to, points = "11", codes = "cyclic:1101,hamming,continuous:3,none";
    std::string min_distorted = "1000", max_symbols = "10000000", confidence = "0.95";
    std::string threads = std::to_string(std::max(1u, std::thread::hardware_concurrency()));
    std::string shard = "0/1";
    app.add_option("--vary", vary, "the probability varied: p0, p1, p (both), e0, e1, e (both)")
        ->required();
    app.add_option("--from", from, "its first value")->required();
    app.add_option("--to", to, "its last value")->required();
    app.add_option("--points", points, "points from --from to --to (default 11)");
    app.add_flag("--log", o.plan.log, "geometric spacing instead of even");
    const CLI::Option* codes_given = app.add_option(
        "--codes", codes,
        "codes compared, comma-separated: cyclic:BITS, hamming, continuous:L, none (default "
        "cyclic:1101,hamming,continuous:3,none; without the continuous code on the erasure "
        "channel)");
    base.add_to(app, RunOptionSet::Study);
    app.add_option("--min-distorted", min_distorted,
                   "stop a cell at this many distorted words (default 1000)");
    app.add_option("--max-symbols", max_symbols,
                   "or at this many symbols, whichever comes first (default 10000000)");
    app.add_option("--confidence", confidence, "of the intervals, between 0 and 1 (default 0.95)");
    bool exact = true;
    app.add_flag("--exact,!--no-exact", exact,
                 "beside each measured value its exact one, the *_exact columns (the default); "
                 "--no-exact leaves them empty");
    app.add_flag("--exact-only", o.plan.exact_only,
                 "every point's exact values alone, without simulating: the measured columns "
                 "are empty");
    app.add_option("--threads", threads, "worker threads (default: all cores)");
    app.add_option("--shard", shard, "K/N: only the points k with k mod N = K (default 0/1)");
    app.add_option("--out", o.out, "write to FILE.csv or FILE.json instead of CSV on stdout");
    app.add_flag("--quiet", o.quiet, "no progress on stderr");

    return parse_with(app, args, o, [&](SweepOptions& opt) {
        StudyPlan& s = opt.plan;
        base.apply(s.base);
        if (s.exact_only && !exact)
            throw Malformed{"--exact-only: gives the exact values, which --no-exact leaves out"};
        s.exact = exact;
        const std::optional<Varied> v = varied_from_name(vary);
        if (!v) throw Malformed{"--vary: '" + vary + "' is not one of p0, p1, p, e0, e1, e"};
        s.varied = *v;
        s.from = number_option("--from", from, -HUGE_VALL, HUGE_VALL);
        s.to = number_option("--to", to, -HUGE_VALL, HUGE_VALL);
        s.points = static_cast<int>(decimal_option("--points", points, 1, kMostStudyPoints));
        if (!codes_given->count() && s.base.erasure) codes = "cyclic:1101,hamming,none";
        for (const std::string& item : split_list(codes)) s.codes.push_back(parse_code(item));
        s.stop.min_distorted =
            static_cast<Count>(decimal_option("--min-distorted", min_distorted, 1, INT64_MAX));
        s.stop.max_symbols =
            static_cast<Count>(decimal_option("--max-symbols", max_symbols, 1, INT64_MAX));
        s.confidence = number_option("--confidence", confidence, -HUGE_VALL, HUGE_VALL);
        if (const std::optional<StudyRefusal> r = check_study(s))
            throw Malformed{refusal_text(*r, s)};
        opt.threads = static_cast<int>(decimal_option("--threads", threads, 1, 1024));
        const std::size_t slash = shard.find('/');
        if (slash == std::string::npos) throw Malformed{"--shard: '" + shard + "' is not K/N"};
        s.shards = static_cast<int>(decimal_option("--shard", shard.substr(slash + 1), 1, 100000));
        s.shard = static_cast<int>(decimal_option("--shard", shard.substr(0, slash), 0, 100000));
        if (s.shard >= s.shards) throw Malformed{"--shard: K must be below N in '" + shard + "'"};
        if (opt.out) opt.json = output_format("--out", *opt.out) == OutputFormat::Json;
        opt.seed1 = base.seed1();
        opt.seed2 = base.seed2();
    });
}

}  // namespace tavolin::sim
