// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sim/exact_report.h"

#include <charconv>
#include <iomanip>

#include "app/sim/report.h"

namespace tavolin::sim {

namespace {

// A rate is a double, as a run shows it: its shortest text that reads back the same.
std::string rate_text(std::optional<double> v, const char* absent) {
    if (!v) return absent;
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, *v);
    return std::string(buf, res.ptr);
}

struct Line {
    const char* name;
    std::string text;
};

// The values in the order of a study's columns.
std::vector<Line> lines(const ExactValues& x, const char* absent) {
    return {{"detected_share", value_text(x.detected_share)},
            {"corrected_share", value_text(x.corrected_share)},
            {"wrong_rate", value_text(x.wrong_rate)},
            {"entropy_source", value_text(x.aposteriori.source)},
            {"entropy_receiver", value_text(x.aposteriori.receiver)},
            {"entropy_noise", value_text(x.aposteriori.noise)},
            {"useful_apriori", value_text(x.useful_apriori)},
            {"useful_aposteriori", value_text(x.useful_aposteriori)},
            {"rate_apriori", rate_text(x.rate_apriori, absent)},
            {"rate_aposteriori", rate_text(x.rate_aposteriori, absent)},
            {"useful_per_bit", value_text(x.useful_per_bit)},
            {"capacity", value_text(x.capacity)}};
}

}  // namespace

void print_exact_text(std::ostream& out, const ExactValues& x) {
    out << "n0 " << int{x.n0} << ", " << x.probs.size() << " symbols\n";
    for (const Line& l : lines(x, "-"))
        out << std::left << std::setw(20) << l.name << l.text << '\n';
    out << '\n';
    print_matrix(out, "matrix_aposteriori", x.matrix_aposteriori);
}

void print_exact_json(std::ostream& out, const ExactValues& x) {
    out << "{\"n0\":" << int{x.n0};
    for (const Line& l : lines(x, "null")) out << ",\"" << l.name << "\":" << l.text;
    out << ",\"matrix_aposteriori\":[";
    for (std::size_t r = 0; r < x.matrix_aposteriori.size(); ++r) {
        out << (r ? ",[" : "[");
        for (std::size_t c = 0; c < x.matrix_aposteriori[r].size(); ++c)
            out << (c ? "," : "") << value_text(x.matrix_aposteriori[r][c]);
        out << ']';
    }
    out << "]}\n";
}

}  // namespace tavolin::sim
