// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sim/sim_command.h"

#include <cerrno>
#include <cstring>
#include <sstream>

#include "app/sim/exact_command.h"
#include "app/sim/merge_command.h"
#include "app/sim/report.h"
#include "app/sim/sim_options.h"
#include "app/sim/sweep_command.h"
#include "engine/code_settings.h"
#include "engine/packet_log.h"
#include "engine/recorded_outputs.h"
#include "engine/run_control.h"
#include "engine/text_inputs.h"

namespace tavolin::sim {

namespace {

// The runs the options ask for, as the buttons and the timer make them: a start per packet run,
// or one start and a tick per step. False as soon as one is refused. Ctrl+C (`interrupted`)
// ends them after the packet under way, so the report shows the runs made so far.
bool make_runs(SimState& st, const SimOptions& o, RecordedOutputs& outputs,
               const std::atomic<bool>& interrupted) {
    const TextInputs inputs(o.run);
    RunControl control(st, inputs, outputs);
    const auto go_on = [&](int tick) {
        return tick < o.ticks && !outputs.failure && (tick == 0 || !interrupted.load());
    };
    if (!o.continuous) {
        for (int tick = 0; go_on(tick); ++tick) control.start(RunMode::Packet);
        return !outputs.failure;
    }
    if (!control.start(o.no_accumulate ? RunMode::ContinuousPerPacket : RunMode::Continuous))
        return false;
    for (int tick = 0; go_on(tick); ++tick) control.tick();
    return !outputs.failure;
}

}  // namespace

// A report that did not reach its reader completely is a failure, not a run that succeeded.
int finish_report(std::ostream& out, std::ostream& err, const std::string& text) {
    errno = 0;
    out << text;
    out.flush();
    if (out) return 0;
    const int reason = errno;
    err << "tavolin-sim: the report could not be written"
        << (reason != 0 ? std::string(": ") + std::strerror(reason) : std::string()) << '\n';
    return 1;
}

int run_sim(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const ClockReading& clock, const std::atomic<bool>* interrupted, bool progress) {
    static const std::atomic<bool> never{false};
    const std::atomic<bool>& stop = interrupted ? *interrupted : never;
    if (!args.empty() && args[0] == "sweep")
        return run_sweep({args.begin() + 1, args.end()}, out, err, clock, stop, progress);
    if (!args.empty() && args[0] == "merge")
        return run_merge({args.begin() + 1, args.end()}, out, err);
    if (!args.empty() && args[0] == "exact")
        return run_exact({args.begin() + 1, args.end()}, out, err);
    const ParseResult parsed = parse_options(args);
    if (parsed.help) return finish_report(out, err, parsed.message);
    if (!parsed.options) {
        err << parsed.message << '\n';
        return parsed.exit_code;
    }
    const SimOptions& o = *parsed.options;

    SimState st;
    st.seed1 = o.seed1 ? *o.seed1 : clock();
    init_code_parameters(st);
    st.seed2 = o.seed2 ? *o.seed2 : clock();
    if (auto refusal = o.code.apply(st)) {
        err << *refusal << '\n';
        return 2;
    }
    if (o.code_table) {
        std::ostringstream table;
        print_code_table(table, st, o.json);
        return finish_report(out, err, table.str());
    }

    RecordedOutputs outputs;
    PacketLog log;
    if (o.words > 0) outputs.log = &log;
    if (!make_runs(st, o, outputs, stop)) {
        err << outputs.failure.value_or("the run was refused") << '\n';
        return 2;
    }
    std::ostringstream report;  // nothing reaches stdout unless the whole run succeeded
    if (o.json)
        print_json_report(report, st, outputs, o.words);
    else
        print_text_report(report, st, outputs, o.words);
    const int written = finish_report(out, err, report.str());
    return written != 0 || !stop.load() ? written : kInterrupted;
}

}  // namespace tavolin::sim
