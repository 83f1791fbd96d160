#include "app/sim/sim_command.h"

#include <cerrno>
#include <cstring>
#include <sstream>

#include "app/sim/command_io.h"
#include "app/sim/report.h"
#include "engine/code_settings.h"
#include "engine/continuous_run.h"
#include "engine/packet_run.h"

namespace tavolin::sim {

namespace {

// Applies the code options as the settings prompts would; a refusal is the prompt's message.
std::optional<std::string> apply_code_options(SimState& st, const SimOptions& o) {
    st.coding_type = o.coding_type;
    if (o.poly) {
        const PolynomialCheck c = check_polynomial_text(*o.poly);
        if (c.refusal) return setting_message(*c.refusal).text;
        st.Polinom_default = c.polynomial;
    }
    if (o.frame) {
        const FrameCheck c = check_frame_text(*o.frame);
        if (c.refusal) return setting_message(*c.refusal).text;
        st.L_default = c.frame;
    }
    return std::nullopt;
}

// The runs the options ask for; false as soon as one is refused.
bool make_runs(SimState& st, const SimOptions& o, CommandOutputs& outputs) {
    const CommandInputs inputs(o);
    const bool accumulate = o.continuous && !o.no_accumulate;
    if (accumulate && !start_nepr(st, inputs, outputs)) return false;
    for (int tick = 0; tick < o.ticks; ++tick) {
        if (accumulate)
            step_nepr(st, inputs, outputs);
        else
            doPocket(st, inputs, outputs);
        if (outputs.failure) return false;
    }
    return true;
}

// A report that did not reach its reader completely is a failure, not a run that succeeded:
// stdout may be closed, a pipe gone or a disk full.
int finish(std::ostream& out, std::ostream& err, const std::string& text) {
    errno = 0;
    out << text;
    out.flush();
    if (out) return 0;
    const int reason = errno;
    err << "tavolin-sim: the report could not be written"
        << (reason != 0 ? std::string(": ") + std::strerror(reason) : std::string()) << '\n';
    return 1;
}

}  // namespace

int run_sim(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const ClockReading& clock) {
    const ParseResult parsed = parse_options(args);
    if (parsed.help) return finish(out, err, parsed.message);
    if (!parsed.options) {
        err << parsed.message << '\n';
        return parsed.exit_code;
    }
    const SimOptions& o = *parsed.options;

    SimState st;
    st.activated = true;
    st.seed1 = o.seed1 ? *o.seed1 : clock();
    init_code_parameters(st);
    st.seed2 = o.seed2 ? *o.seed2 : clock();
    st.s_matrix = true;  // the report shows both matrices, as an open matrix window would
    if (auto refusal = apply_code_options(st, o)) {
        err << *refusal << '\n';
        return 2;
    }
    if (o.code_table) {
        std::ostringstream table;
        print_code_table(table, st, o.json);
        return finish(out, err, table.str());
    }

    CommandOutputs outputs;
    if (!make_runs(st, o, outputs)) {
        err << outputs.failure.value_or("the run was refused") << '\n';
        return 2;
    }
    std::ostringstream report;  // nothing reaches stdout unless the whole run succeeded
    if (o.json)
        print_json_report(report, st, outputs);
    else
        print_text_report(report, st, outputs);
    return finish(out, err, report.str());
}

}  // namespace tavolin::sim
