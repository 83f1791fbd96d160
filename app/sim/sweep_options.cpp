#include "app/sim/sweep_options.h"

#include <algorithm>
#include <thread>

#include "engine/code_settings.h"
#include "engine/recorded_outputs.h"
#include "engine/run_inputs.h"

namespace tavolin::sim {

namespace {

// A settings check that passed, or the prompt's message naming the item.
template <typename Check>
const Check& accepted(const std::string& item, const Check& check) {
    if (check.refusal)
        throw Malformed{"--codes: " + item + ": " + setting_message(*check.refusal).text};
    return check;
}

// One item of --codes: cyclic[:BITS], hamming, continuous[:L] or none, with the settings
// prompts' own checks of the polynomial and the frame size.
StudyCode parse_code(const std::string& item, bool erasure) {
    const std::size_t colon = item.find(':');
    const std::string kind = item.substr(0, colon);
    const std::optional<std::string> parameter =
        colon == std::string::npos ? std::nullopt : std::optional(item.substr(colon + 1));
    StudyCode code;
    code.name = item;
    if (kind == "cyclic") {
        code.coding_type = kCyclic;
        if (parameter)
            code.polynomial = accepted(item, check_polynomial_text(*parameter)).polynomial;
        return code;
    }
    if (kind == "continuous") {
        if (erasure) throw Malformed{"--codes: " + item + ": not available with --noise erasure"};
        code.coding_type = kContinuous;
        if (parameter) code.frame = accepted(item, check_frame_text(*parameter)).frame;
        return code;
    }
    if ((kind == "hamming" || kind == "none") && !parameter) {
        code.coding_type = kind == "hamming" ? kHamming : kNoCoding;
        return code;
    }
    throw Malformed{"--codes: '" + item +
                    "' is not one of cyclic:BITS, hamming, continuous:L, none"};
}

// The varied quantity's values must keep every row a distribution at every point: the rows
// are checked at both ends of the range (each row sum is monotone in the value).
void check_rows(const StudySpec& spec) {
    for (Extended v : {spec.from, spec.to}) {
        const RunTexts t = cell_texts(spec, v);
        const Extended p0 = *parse_number(t.p0, '.'), p1 = *parse_number(t.p1, '.');
        const Extended e0 = *parse_number(t.e0, '.'), e1 = *parse_number(t.e1, '.');
        if (p0 + e0 > 1 || p1 + e1 > 1)
            throw Malformed{std::string("--vary ") + varied_name(spec.varied) + ": at " +
                            value_text(v) + " a channel row sums to more than 1"};
    }
}

// A study whose cells the continuous start would refuse (an alphabet of fewer than 9 symbols,
// or one that does not sum to exactly 1) is refused as the single run refuses it: its cells
// would otherwise all be left out, and an empty table would pass for a finished study.
void check_run_inputs(const StudySpec& spec) {
    for (Extended v : {spec.from, spec.to}) {
        const RunTexts t = cell_texts(spec, v);
        RecordedOutputs refused;
        if (!read_run_inputs(TextInputs(t), refused, ReadMode::Continuous))
            throw Malformed{"--probs: " + refused.failure.value_or("the run is refused")};
    }
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
    app.add_flag("--log", o.spec.log, "geometric spacing instead of even");
    const CLI::Option* codes_given = app.add_option(
        "--codes", codes,
        "codes compared, comma-separated: cyclic:BITS, hamming, continuous:L, none (default "
        "cyclic:1101,hamming,continuous:3,none; without the continuous code on the erasure "
        "channel)");
    base.add_to(app, false);
    app.add_option("--min-distorted", min_distorted,
                   "stop a cell at this many distorted words (default 1000)");
    app.add_option("--max-symbols", max_symbols,
                   "or at this many symbols, whichever comes first (default 10000000)");
    app.add_option("--confidence", confidence, "of the intervals, between 0 and 1 (default 0.95)");
    app.add_option("--threads", threads, "worker threads (default: all cores)");
    app.add_option("--shard", shard, "K/N: only the points k with k mod N = K (default 0/1)");
    app.add_option("--out", o.out, "write to FILE.csv or FILE.json instead of CSV on stdout");
    app.add_flag("--quiet", o.quiet, "no progress on stderr");

    return parse_with(app, args, o, [&](SweepOptions& opt) {
        StudySpec& s = opt.spec;
        base.apply(s.base);
        const std::optional<Varied> v = varied_from_name(vary);
        if (!v) throw Malformed{"--vary: '" + vary + "' is not one of p0, p1, p, e0, e1, e"};
        s.varied = *v;
        if (varies_erasure(s.varied) && !s.base.erasure)
            throw Malformed{"--vary " + vary + ": erasure probabilities need --noise erasure"};
        s.from = number_option("--from", from, 0, 1);
        s.to = number_option("--to", to, 0, 1);
        if (s.from > s.to) throw Malformed{"--from: " + from + " is above --to " + to};
        s.points = static_cast<int>(decimal_option("--points", points, 1, 100000));
        if (s.log && s.from == 0)
            throw Malformed{"--from: a logarithmic spacing cannot start at 0"};
        if (!codes_given->count() && s.base.erasure) codes = "cyclic:1101,hamming,none";
        for (const std::string& item : split_list(codes))
            s.codes.push_back(parse_code(item, s.base.erasure));
        check_rows(s);
        check_run_inputs(s);
        s.stop.min_distorted =
            static_cast<Count>(decimal_option("--min-distorted", min_distorted, 1, INT64_MAX));
        s.stop.max_symbols =
            static_cast<Count>(decimal_option("--max-symbols", max_symbols, 1, INT64_MAX));
        s.confidence = number_option("--confidence", confidence, 0, 1);
        if (s.confidence <= 0 || s.confidence >= 1)
            throw Malformed{"--confidence: " + confidence + " is not between 0 and 1"};
        opt.threads = static_cast<int>(decimal_option("--threads", threads, 1, 1024));
        const std::size_t slash = shard.find('/');
        if (slash == std::string::npos) throw Malformed{"--shard: '" + shard + "' is not K/N"};
        s.shards = static_cast<int>(decimal_option("--shard", shard.substr(slash + 1), 1, 100000));
        s.shard = static_cast<int>(decimal_option("--shard", shard.substr(0, slash), 0, 100000));
        if (s.shard >= s.shards) throw Malformed{"--shard: K must be below N in '" + shard + "'"};
        if (opt.out) {
            const std::string& f = *opt.out;
            auto ends_with = [&f](const char* ext) {
                const std::string e(ext);
                return f.size() > e.size() && f.compare(f.size() - e.size(), e.size(), e) == 0;
            };
            if (ends_with(".json"))
                opt.json = true;
            else if (!ends_with(".csv"))
                throw Malformed{"--out: '" + f + "' ends neither in .csv nor in .json"};
        }
        opt.seed1 = base.seed1();
        opt.seed2 = base.seed2();
    });
}

}  // namespace tavolin::sim
