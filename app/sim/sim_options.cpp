// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sim/sim_options.h"

#include "engine/version.h"

namespace tavolin::sim {

ParseResult parse_options(const std::vector<std::string>& args) {
    CLI::App app{"Tavolin headless run: simulates packets over a noisy binary channel.",
                 "tavolin-sim"};
    app.footer(
        "Studies over a range of channel values: tavolin-sim sweep --help\n"
        "Parts of a study run in shards joined: tavolin-sim merge --help\n"
        "Exact values of a run's measures, computed rather than sampled: tavolin-sim exact "
        "--help");
    app.set_version_flag("--version", std::string("tavolin-sim ") + version(),
                         "print the version and exit");
    SimOptions o;
    BaseOptions base;
    CodeOptions code;
    std::string mode = "packet", ticks = "1", words = "0";
    app.add_option("--mode", mode, "packet or continuous")
        ->check(CLI::IsMember({"packet", "continuous"}));
    app.add_option("--ticks", ticks, "packet runs, or continuous steps, to make (>= 1)");
    app.add_flag("--no-accumulate", o.no_accumulate, "continuous mode without accumulation");
    code.add_to(app, o.code);
    base.add_to(app, RunOptionSet::SingleRun);
    app.add_flag("--json", o.json, "print one JSON object");
    app.add_option("--words", words,
                   "add the first N words of the last packet to the report (0: none)");
    app.add_flag("--code-table", o.code_table, "print the code word of every symbol instead");

    return parse_with(app, args, o, [&](SimOptions& opt) {
        opt.continuous = mode == "continuous";
        opt.ticks = static_cast<int>(decimal_option("--ticks", ticks, 1, INT32_MAX));
        opt.words = static_cast<std::size_t>(decimal_option("--words", words, 0, INT32_MAX));
        base.apply(opt.run);
        code.finish(opt.code, opt.run.erasure);
        opt.seed1 = base.seed1();
        opt.seed2 = base.seed2();
    });
}

}  // namespace tavolin::sim
