#include "engine/study_report.h"

#include <charconv>
#include <string>

#include "engine/version.h"

namespace tavolin {

namespace {

// One cell's fields as texts, in column order; nothing for a value that does not exist.
using Field = std::optional<std::string>;

Field number(Extended v) {
    return value_text(v);
}

Field number(std::optional<double> v) {
    if (!v) return std::nullopt;
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, *v);
    return std::string(buf, res.ptr);
}

Field integer(long long v) {
    return std::to_string(v);
}

Field boolean(bool b) {
    return std::string(b ? "true" : "false");
}

Field lower(const std::optional<Interval>& i) {
    return i ? number(i->lo) : std::nullopt;
}

Field upper(const std::optional<Interval>& i) {
    return i ? number(i->hi) : std::nullopt;
}

// Code names are the user's own text: quoted in JSON, and in CSV where they hold a comma.
std::string json_string(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
            continue;
        }
        out += c;
    }
    return out + "\"";
}

std::string csv_text(const std::string& s) {
    if (s.find_first_of(",\"\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::vector<Field> fields(const StudyCell& c) {
    return {integer(c.point),
            number(c.value),
            std::nullopt,  // the code's name, written by the caller in its own quoting
            integer(c.seed1),
            integer(c.seed2),
            integer(static_cast<long long>(c.ticks)),
            integer(static_cast<long long>(c.symbols)),
            integer(static_cast<long long>(c.distorted)),
            integer(static_cast<long long>(c.detected)),
            integer(static_cast<long long>(c.corrected)),
            integer(static_cast<long long>(c.wrong)),
            number(c.detected_share),
            lower(c.detected_ci),
            upper(c.detected_ci),
            number(c.corrected_share),
            lower(c.corrected_ci),
            upper(c.corrected_ci),
            number(c.wrong_rate),
            lower(c.wrong_ci),
            upper(c.wrong_ci),
            number(c.apost.source),
            number(c.apost.receiver),
            number(c.apost.noise),
            number(c.apr.useful()),
            number(c.apost.useful()),
            number(c.rate_apriori),
            number(c.rate_aposteriori),
            number(c.useful_per_bit),
            number(c.capacity),
            boolean(c.overlap),
            boolean(c.complete)};
}

constexpr std::size_t kCodeColumn = 2;

void write_json_inputs(std::ostream& out, const StudySpec& spec) {
    const RunTexts& b = spec.base;
    auto text_number = [](const std::string& t) {
        const std::optional<Extended> v = parse_number(t, '.');
        return v ? value_text(*v) : std::string("null");
    };
    out << "{\"version\":" << json_string(version())
        << ",\"vary\":" << json_string(varied_name(spec.varied))
        << ",\"from\":" << value_text(spec.from) << ",\"to\":" << value_text(spec.to)
        << ",\"points\":" << spec.points << ",\"log\":" << (spec.log ? "true" : "false")
        << ",\"codes\":[";
    for (std::size_t i = 0; i < spec.codes.size(); ++i)
        out << (i ? "," : "") << json_string(spec.codes[i].name);
    out << "],\"size\":" << text_number(b.size) << ",\"probs\":[";
    for (std::size_t i = 0; i < b.probs.size(); ++i)
        out << (i ? "," : "") << (b.probs[i].empty() ? "null" : text_number(b.probs[i]));
    out << "],\"noise\":" << (b.erasure ? "\"erasure\"" : "\"inversion\"")
        << ",\"p0\":" << text_number(b.p0) << ",\"p1\":" << text_number(b.p1)
        << ",\"e0\":" << text_number(b.e0) << ",\"e1\":" << text_number(b.e1)
        << ",\"bit_time\":" << text_number(b.bit_time)
        << ",\"plain_apriori\":" << (b.plain_apriori ? "true" : "false")
        << ",\"min_distorted\":" << spec.stop.min_distorted
        << ",\"max_symbols\":" << spec.stop.max_symbols
        << ",\"confidence\":" << value_text(spec.confidence) << ",\"seed1\":" << spec.seed1
        << ",\"seed2\":" << spec.seed2 << ",\"shard\":"
        << json_string(std::to_string(spec.shard) + "/" + std::to_string(spec.shards)) << "}";
}

}  // namespace

const std::vector<const char*>& study_columns() {
    static const std::vector<const char*> columns = {"point",
                                                     "value",
                                                     "code",
                                                     "seed1",
                                                     "seed2",
                                                     "ticks",
                                                     "symbols",
                                                     "distorted",
                                                     "detected",
                                                     "corrected",
                                                     "wrong",
                                                     "detected_share",
                                                     "detected_lo",
                                                     "detected_hi",
                                                     "corrected_share",
                                                     "corrected_lo",
                                                     "corrected_hi",
                                                     "wrong_rate",
                                                     "wrong_lo",
                                                     "wrong_hi",
                                                     "entropy_source",
                                                     "entropy_receiver",
                                                     "entropy_noise",
                                                     "useful_apriori",
                                                     "useful_aposteriori",
                                                     "rate_apriori",
                                                     "rate_aposteriori",
                                                     "useful_per_bit",
                                                     "capacity",
                                                     "overlap",
                                                     "complete"};
    return columns;
}

void write_study_csv(std::ostream& out, const StudySpec& spec,
                     const std::vector<StudyCell>& cells) {
    const auto& columns = study_columns();
    for (std::size_t i = 0; i < columns.size(); ++i) out << (i ? "," : "") << columns[i];
    out << '\n';
    for (const StudyCell& c : cells) {
        const std::vector<Field> f = fields(c);
        for (std::size_t i = 0; i < f.size(); ++i) {
            if (i) out << ',';
            if (i == kCodeColumn)
                out << csv_text(spec.codes[c.code].name);
            else if (f[i])
                out << *f[i];
        }
        out << '\n';
    }
}

void write_study_json(std::ostream& out, const StudySpec& spec,
                      const std::vector<StudyCell>& cells) {
    const auto& columns = study_columns();
    out << "{\"inputs\":";
    write_json_inputs(out, spec);
    out << ",\"cells\":[";
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const std::vector<Field> f = fields(cells[k]);
        out << (k ? ",\n" : "\n") << '{';
        for (std::size_t i = 0; i < f.size(); ++i) {
            out << (i ? "," : "") << '"' << columns[i] << "\":";
            if (i == kCodeColumn)
                out << json_string(spec.codes[cells[k].code].name);
            else
                out << f[i].value_or("null");
        }
        out << '}';
    }
    out << "\n]}\n";
}

}  // namespace tavolin
