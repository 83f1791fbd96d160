#include "app/sim/sim_options.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdint>
#include <set>

#include "engine/number_text.h"

namespace tavolin::sim {

namespace {

// The command writes numbers with a point, whatever the machine's regional settings.
constexpr char kSep = '.';

struct Malformed {
    std::string message;
};

Extended number_option(const std::string& name, const std::string& text, Extended lo, Extended hi) {
    const std::optional<Extended> v = parse_number(text, kSep);
    if (!v) throw Malformed{name + ": '" + text + "' is not a number"};
    if (*v < lo || *v > hi)
        throw Malformed{name + ": " + text + " is out of range " + format_general(lo, kSep) +
                        " to " + format_general(hi, kSep)};
    return *v;
}

std::vector<std::string> split_probs(const std::string& list) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        out.push_back(list.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return out;
}

// A plain decimal integer: digits only (a minus sign first where `lo` is negative), leading zeros
// decimal. No base prefixes, no spaces: a seed typed as 010 is ten, never eight.
std::int64_t decimal_option(const std::string& name, const std::string& text, std::int64_t lo,
                            std::int64_t hi) {
    std::size_t i = lo < 0 && !text.empty() && text[0] == '-' ? 1 : 0;
    const bool negative = i == 1;
    bool ok = i < text.size();
    std::int64_t v = 0;
    for (; ok && i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            ok = false;
        else if (v <= hi)
            v = v * 10 + (text[i] - '0');  // stops growing once out of range
    }
    if (negative) v = -v;
    if (!ok || v < lo || v > hi)
        throw Malformed{name + ": '" + text + "' is not a whole number from " + std::to_string(lo) +
                        " to " + std::to_string(hi)};
    return v;
}

// Flags take no value, and no option may be given twice.
void check_spelling(const std::vector<std::string>& args, const CLI::App& app) {
    std::set<std::string> seen;
    for (const std::string& a : args) {
        if (a.rfind("--", 0) != 0) continue;
        const std::string name = a.substr(0, a.find('='));
        const CLI::Option* opt = app.get_option_no_throw(name);
        if (opt == nullptr) continue;
        if (opt->get_expected_max() == 0 && name.size() != a.size())
            throw Malformed{name + ": a flag takes no value"};
        if (!seen.insert(name).second) throw Malformed{name + ": given more than once"};
    }
}

void check(SimOptions& o, const std::optional<std::string>& probs, bool e_given) {
    if (probs) {
        o.probs = split_probs(*probs);
        if (o.probs.size() > 16) throw Malformed{"--probs: at most 16 probabilities"};
        for (const std::string& p : o.probs)
            if (!p.empty()) number_option("--probs", p, 0, HUGE_VALL);
    }
    if (!o.erasure && e_given)
        throw Malformed{"--e0/--e1: erasure probabilities need --noise erasure"};
    if (o.erasure && o.coding_type == kContinuous)
        throw Malformed{"--code continuous: not available with --noise erasure"};
    const Extended p0 = number_option("--p0", o.p0, 0, 1);
    const Extended p1 = number_option("--p1", o.p1, 0, 1);
    const Extended e0 = number_option("--e0", o.e0, 0, 1);
    const Extended e1 = number_option("--e1", o.e1, 0, 1);
    if (p0 + e0 > 1) throw Malformed{"--p0 + --e0: above 1"};
    if (p1 + e1 > 1) throw Malformed{"--p1 + --e1: above 1"};
    number_option("--bit-time", o.bit_time, 0, HUGE_VALL);
}

}  // namespace

ParseResult parse_options(const std::vector<std::string>& args) {
    SimOptions o;
    CLI::App app{"Tavolin headless run: simulates packets over a noisy binary channel.",
                 "tavolin-sim"};
    std::string mode = "packet", noise = "inversion", code = "cyclic";
    std::optional<std::string> probs;
    std::string ticks = "1", size = o.size, seed1, seed2;
    app.add_option("--mode", mode, "packet or continuous")
        ->check(CLI::IsMember({"packet", "continuous"}));
    app.add_option("--ticks", ticks, "packet runs, or continuous steps, to make (>= 1)");
    app.add_flag("--no-accumulate", o.no_accumulate, "continuous mode without accumulation");
    app.add_option("--size", size, "packet size, 1 to 50000");
    auto* probs_opt = app.add_option("--probs", probs, "alphabet probabilities, comma-separated");
    app.add_option("--noise", noise, "inversion or erasure")
        ->check(CLI::IsMember({"inversion", "erasure"}));
    app.add_option("--p0", o.p0, "inversion probability of a sent 0");
    app.add_option("--p1", o.p1, "inversion probability of a sent 1");
    auto* e0 = app.add_option("--e0", o.e0, "erasure probability of a sent 0");
    auto* e1 = app.add_option("--e1", o.e1, "erasure probability of a sent 1");
    app.add_option("--code", code, "cyclic, hamming, continuous or none")
        ->check(CLI::IsMember({"cyclic", "hamming", "continuous", "none"}));
    app.add_option("--poly", o.poly, "generator polynomial of the cyclic code, as bits");
    app.add_option("--frame", o.frame, "frame size of the continuous code, 1 to 4");
    app.add_option("--bit-time", o.bit_time, "seconds to send one bit");
    auto* s1 = app.add_option("--seed1", seed1, "start state of the source stream");
    auto* s2 = app.add_option("--seed2", seed2, "start state of the noise stream");
    app.add_flag("--plain-apriori", o.plain_apriori, "a priori matrix by the plain model");
    app.add_flag("--count-codewords", o.count_codewords,
                 "count the a posteriori matrix on code words");
    app.add_flag("--json", o.json, "print one JSON object");
    app.add_flag("--code-table", o.code_table, "print the code word of every symbol instead");

    ParseResult result;
    try {
        check_spelling(args, app);
    } catch (const Malformed& m) {
        result.exit_code = 2;
        result.message = m.message;
        return result;
    }
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        result.help = true;
        result.message = app.help();
        return result;
    } catch (const CLI::ParseError& e) {
        result.exit_code = 2;
        result.message = e.what();
        return result;
    }
    o.continuous = mode == "continuous";
    o.erasure = noise == "erasure";
    o.coding_type = code == "cyclic"       ? kCyclic
                    : code == "hamming"    ? kHamming
                    : code == "continuous" ? kContinuous
                                           : kNoCoding;
    try {
        constexpr std::int64_t kIntegerMax = INT32_MAX, kIntegerMin = INT32_MIN;
        o.ticks = static_cast<int>(decimal_option("--ticks", ticks, 1, kIntegerMax));
        o.size = std::to_string(decimal_option("--size", size, 1, 50000));
        if (*s1)
            o.seed1 =
                static_cast<Integer>(decimal_option("--seed1", seed1, kIntegerMin, kIntegerMax));
        if (*s2)
            o.seed2 =
                static_cast<Integer>(decimal_option("--seed2", seed2, kIntegerMin, kIntegerMax));
        check(o, *probs_opt ? probs : std::nullopt, *e0 || *e1);
    } catch (const Malformed& m) {
        result.exit_code = 2;
        result.message = m.message;
        return result;
    }
    result.options = std::move(o);
    return result;
}

}  // namespace tavolin::sim
