// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sim/sweep_command.h"

#include <chrono>
#include <cstdio>
#include <sstream>

#include "app/sim/output_file.h"
#include "app/sim/sweep_options.h"
#include "engine/study_file.h"

namespace tavolin::sim {

namespace {

// Cells done of all, the symbols per second so far and the time the rest should take, on one
// line that each finished cell rewrites.
class Progress {
  public:
    Progress(std::ostream& err, std::size_t total) : err_(err), total_(total) {}

    void cell_done(const StudyCell& c) {
        ++done_;
        symbols_ += c.symbols;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        const double rate = seconds > 0 ? static_cast<double>(symbols_) / seconds : 0;
        const double left =
            done_ > 0 ? seconds / static_cast<double>(done_) * static_cast<double>(total_ - done_)
                      : 0;
        char line[160];
        std::snprintf(line, sizeof line, "\rcells %zu of %zu, %.3g symbols/s, about %.0f s left  ",
                      done_, total_, rate, left);
        err_ << line << std::flush;
    }
    void finish() {
        if (done_ > 0) err_ << '\n';
    }

  private:
    std::ostream& err_;
    std::size_t total_, done_ = 0;
    Count symbols_ = 0;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace

int run_sweep(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const ClockReading& clock, const std::atomic<bool>& interrupted, bool progress) {
    Parsed<SweepOptions> parsed = parse_sweep_options(args);
    if (parsed.help) return finish_report(out, err, parsed.message);
    if (!parsed.options) {
        err << parsed.message << '\n';
        return parsed.exit_code;
    }
    SweepOptions& o = *parsed.options;
    // The output is opened before the first cell, so a study is never run only to be lost.
    std::optional<OutputFile> file = o.out ? open_output("--out", *o.out, err) : std::nullopt;
    if (o.out && !file) return 2;
    o.plan.seed1 = o.seed1 ? *o.seed1 : clock();
    o.plan.seed2 = o.seed2 ? *o.seed2 : clock();

    Progress shown(err, shard_points(o.plan).size() * o.plan.codes.size());
    const bool show = progress && !o.quiet;
    const std::vector<StudyCell> cells =
        run_study(o.plan, o.threads, interrupted, [&](const StudyCell& c) {
            if (show) shown.cell_done(c);
        });
    if (show) shown.finish();

    std::ostringstream text;
    if (o.json)
        write_study_json(text, o.plan, cells);
    else
        write_study_csv(text, o.plan, cells);
    const int written = finish_output(file, text.str(), out, err);
    return written != 0 || !interrupted.load() ? written : kInterrupted;
}

}  // namespace tavolin::sim
