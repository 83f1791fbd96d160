// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sim/merge_command.h"

#include <fstream>
#include <sstream>

#include "app/sim/base_options.h"
#include "app/sim/output_file.h"
#include "app/sim/sim_command.h"
#include "engine/study_merge.h"

namespace tavolin::sim {

namespace {

struct MergeOptions {
    std::vector<std::string> parts;
    std::optional<std::string> out;
    bool json = false;
};

Parsed<MergeOptions> parse_merge_options(const std::vector<std::string>& args) {
    CLI::App app{
        "Tavolin study parts joined: the JSON files of one study run with --shard K/N, "
        "written as the study one run would write.",
        "tavolin-sim merge"};
    MergeOptions o;
    app.add_option("parts", o.parts, "the parts, JSON files written by sweep --out")->required();
    app.add_option("--out", o.out, "write to FILE.csv or FILE.json instead of CSV on stdout");
    return parse_with(app, args, o, [](MergeOptions& opt) {
        if (opt.out) opt.json = output_format("--out", *opt.out) == OutputFormat::Json;
    });
}

// A part read from its file, or the refusal naming it.
LoadedStudy read_part(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file) throw Malformed{"merge: " + path + ": cannot be read"};
    StudyFileRead read = read_study_json(text.str());
    if (!read.study) {
        const StudyFileRefusal& r = *read.refusal;
        throw Malformed{"merge: " + path + ": not a study (" +
                        (r.kind == StudyFileRefusal::Kind::NotJson
                             ? "not JSON at byte " + std::to_string(r.position)
                         : r.kind == StudyFileRefusal::Kind::NotObject
                             ? std::string("not a JSON object")
                             : "field '" + r.field + "'") +
                        ")"};
    }
    return std::move(*read.study);
}

std::string refusal_text(const MergeRefusal& r, const std::vector<std::string>& parts) {
    switch (r.kind) {
        case MergeRefusal::Kind::OtherStudy:
            return "merge: " + parts[r.part] + ": a part of another study (other inputs or seeds)";
        case MergeRefusal::Kind::Overlap:
            return "merge: " + parts[r.part] + ": point " + std::to_string(r.point) +
                   " is in another part too";
        case MergeRefusal::Kind::Missing:
            return "merge: point " + std::to_string(r.point) +
                   " is in no part (a shard missing, or stopped before it)";
    }
    return "merge: the parts do not join";
}

}  // namespace

int run_merge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Parsed<MergeOptions> parsed = parse_merge_options(args);
    if (parsed.help) return finish_report(out, err, parsed.message);
    if (!parsed.options) {
        err << parsed.message << '\n';
        return parsed.exit_code;
    }
    const MergeOptions& o = *parsed.options;
    std::vector<LoadedStudy> parts;
    try {
        for (const std::string& path : o.parts) parts.push_back(read_part(path));
    } catch (const Malformed& m) {
        err << m.message << '\n';
        return 2;
    }
    const MergedStudy merged = merge_studies(std::move(parts));
    if (!merged.study) {
        err << refusal_text(*merged.refusal, o.parts) << '\n';
        return 2;
    }
    std::ostringstream text;
    if (o.json)
        write_study_json(text, merged.study->plan, merged.study->cells);
    else
        write_study_csv(text, merged.study->plan, merged.study->cells);
    std::optional<OutputFile> file = o.out ? open_output("--out", *o.out, err) : std::nullopt;
    if (o.out && !file) return 2;
    return finish_output(file, text.str(), out, err);
}

}  // namespace tavolin::sim
