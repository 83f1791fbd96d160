// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sim/base_options.h"

#include <cmath>
#include <set>

#include "core/defaults.h"

namespace tavolin::sim {

namespace {

// The command writes numbers with a point, whatever the machine's regional settings.
constexpr char kSep = '.';
constexpr std::int64_t kIntegerMax = INT32_MAX, kIntegerMin = INT32_MIN;

std::optional<Integer> seed_option(const std::string& name, const std::string& text,
                                   const CLI::Option* given) {
    if (given == nullptr || given->count() == 0) return std::nullopt;
    return static_cast<Integer>(decimal_option(name, text, kIntegerMin, kIntegerMax));
}

}  // namespace

Extended number_option(const std::string& name, const std::string& text, Extended lo, Extended hi) {
    const std::optional<Extended> v = parse_number(text, kSep);
    if (!v) throw Malformed{name + ": '" + text + "' is not a number"};
    if (*v < lo || *v > hi)
        throw Malformed{name + ": " + text + " is out of range " + format_general(lo, kSep) +
                        " to " + format_general(hi, kSep)};
    return *v;
}

// Digits only (a minus sign first where `lo` is negative), leading zeros decimal. No base
// prefixes, no spaces: a seed typed as 010 is ten, never eight.
std::int64_t decimal_option(const std::string& name, const std::string& text, std::int64_t lo,
                            std::int64_t hi) {
    std::size_t i = lo < 0 && !text.empty() && text[0] == '-' ? 1 : 0;
    const bool negative = i == 1;
    bool ok = i < text.size();
    // The magnitude grows only while it stays within the wider bound, so no count past 2^63
    // wraps back into range.
    const std::uint64_t limit = static_cast<std::uint64_t>(negative ? -(lo + 1) : hi) + negative;
    std::uint64_t magnitude = 0;
    bool beyond = false;
    for (; ok && i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            ok = false;
        } else if (!beyond) {
            const auto digit = static_cast<std::uint64_t>(text[i] - '0');
            if (digit > limit || magnitude > (limit - digit) / 10)
                beyond = true;
            else
                magnitude = magnitude * 10 + digit;
        }
    }
    std::int64_t v = 0;
    if (!beyond && magnitude > 0)  // -2^63 has no positive counterpart: negate one less
        v = negative ? -static_cast<std::int64_t>(magnitude - 1) - 1
                     : static_cast<std::int64_t>(magnitude);
    if (!ok || beyond || v < lo || v > hi)
        throw Malformed{name + ": '" + text + "' is not a whole number from " + std::to_string(lo) +
                        " to " + std::to_string(hi)};
    return v;
}

std::vector<std::string> split_list(const std::string& list) {
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

// Flags take no value, an option takes one, and no option may be given twice.
void check_spelling(const std::vector<std::string>& args, const CLI::App& app) {
    std::set<std::string> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) continue;
        const std::string name = a.substr(0, a.find('='));
        const CLI::Option* opt = app.get_option_no_throw(name);
        if (opt == nullptr) continue;
        const bool flag = opt->get_expected_max() == 0;
        if (flag && name.size() != a.size()) throw Malformed{name + ": a flag takes no value"};
        // Without this the parser would take the next option as the value, or report the
        // value left over without naming the option that missed it.
        if (!flag && name.size() == a.size() &&
            (i + 1 == args.size() ||
             app.get_option_no_throw(args[i + 1].substr(0, args[i + 1].find('='))) != nullptr))
            throw Malformed{name + ": a value is needed"};
        if (!seen.insert(name).second) throw Malformed{name + ": given more than once"};
    }
}

void BaseOptions::add_to(CLI::App& app, RunOptionSet set) {
    const bool draws = set != RunOptionSet::Exact;
    if (draws) app.add_option("--size", size_, "packet size, 1 to 50000");
    app.add_option("--probs", probs_, "alphabet probabilities, comma-separated");
    app.add_option("--noise", noise_, "inversion or erasure")
        ->check(CLI::IsMember({"inversion", "erasure"}));
    app.add_option("--p0", given_.p0, "inversion probability of a sent 0");
    app.add_option("--p1", given_.p1, "inversion probability of a sent 1");
    e0_ = app.add_option("--e0", given_.e0, "erasure probability of a sent 0");
    e1_ = app.add_option("--e1", given_.e1, "erasure probability of a sent 1");
    app.add_option("--bit-time", given_.bit_time, "seconds to send one bit");
    if (draws) {
        seed1_opt_ = app.add_option("--seed1", seed1_, "start state of the source stream");
        seed2_opt_ = app.add_option("--seed2", seed2_, "start state of the noise stream");
    }
    app.add_flag("--plain-apriori", given_.plain_apriori, "a priori matrix by the plain model");
    if (set == RunOptionSet::SingleRun)
        app.add_flag("--count-codewords", given_.count_codewords,
                     "count the a posteriori matrix on code words");
}

void BaseOptions::apply(RunTexts& t) const {
    t = given_;
    t.erasure = erasure();
    t.size = std::to_string(decimal_option("--size", size_, 1, kMaxPacketSize));
    if (probs_) {
        t.probs = split_list(*probs_);
        if (t.probs.size() > kMaxSymbols)
            throw Malformed{"--probs: at most " + std::to_string(kMaxSymbols) + " probabilities"};
        for (const std::string& p : t.probs)
            if (!p.empty()) number_option("--probs", p, 0, HUGE_VALL);
    }
    if (!t.erasure && (e0_->count() > 0 || e1_->count() > 0))
        throw Malformed{"--e0/--e1: erasure probabilities need --noise erasure"};
    const Extended p0 = number_option("--p0", t.p0, 0, 1);
    const Extended p1 = number_option("--p1", t.p1, 0, 1);
    const Extended e0 = number_option("--e0", t.e0, 0, 1);
    const Extended e1 = number_option("--e1", t.e1, 0, 1);
    if (p0 + e0 > 1) throw Malformed{"--p0 + --e0: above 1"};
    if (p1 + e1 > 1) throw Malformed{"--p1 + --e1: above 1"};
    number_option("--bit-time", t.bit_time, 0, HUGE_VALL);
    seed1();
    seed2();
}

std::optional<Integer> BaseOptions::seed1() const {
    return seed_option("--seed1", seed1_, seed1_opt_);
}

std::optional<Integer> BaseOptions::seed2() const {
    return seed_option("--seed2", seed2_, seed2_opt_);
}

}  // namespace tavolin::sim
