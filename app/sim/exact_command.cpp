// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sim/exact_command.h"

#include <sstream>

#include "app/sim/base_options.h"
#include "app/sim/code_options.h"
#include "app/sim/exact_report.h"
#include "app/sim/sim_command.h"
#include "engine/code_settings.h"
#include "engine/exact.h"
#include "engine/recorded_outputs.h"

namespace tavolin::sim {

namespace {

struct ExactOptions {
    RunTexts run;
    CodeChoice code;
    bool json = false;
};

Parsed<ExactOptions> parse_exact_options(const std::vector<std::string>& args) {
    CLI::App app{
        "Tavolin exact values: what a continuous run's shares, rates, matrices and entropies "
        "tend to as its symbols grow, computed from every outcome of one word.",
        "tavolin-sim exact"};
    ExactOptions o;
    BaseOptions base;
    CodeOptions code;
    code.add_to(app, o.code);
    base.add_to(app, RunOptionSet::Exact);
    app.add_flag("--json", o.json, "print one JSON object");
    return parse_with(app, args, o, [&](ExactOptions& opt) {
        base.apply(opt.run);
        code.finish(opt.code, opt.run.erasure);
    });
}

}  // namespace

int run_exact(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Parsed<ExactOptions> parsed = parse_exact_options(args);
    if (parsed.help) return finish_report(out, err, parsed.message);
    if (!parsed.options) {
        err << parsed.message << '\n';
        return parsed.exit_code;
    }
    const ExactOptions& o = *parsed.options;
    SimState st;
    init_code_parameters(st);
    if (auto refusal = o.code.apply(st)) {
        err << *refusal << '\n';
        return 2;
    }
    const std::unique_ptr<Code> code = make_code(st);
    const TextInputs inputs(o.run);
    RecordedOutputs refusal;
    const std::optional<ExactValues> values = exact_values(inputs, *code, refusal);
    if (!values) {
        err << refusal.failure.value_or("the inputs are refused") << '\n';
        return 2;
    }
    std::ostringstream report;
    if (o.json)
        print_exact_json(report, *values);
    else
        print_exact_text(report, *values);
    return finish_report(out, err, report.str());
}

}  // namespace tavolin::sim
