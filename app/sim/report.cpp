// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sim/report.h"

#include <iomanip>
#include <nlohmann/json.hpp>

#include "channel/matrices.h"
#include "codes/bitstring.h"
#include "codes/code.h"
#include "core/number_text.h"
#include "engine/packet_log.h"

namespace tavolin::sim {

namespace {

constexpr char kSep = '.';

struct LabelLine {
    const char* name;
    const char* caption;
    ValueLabel label;
};

// The value labels in the window's reading order, with their captions.
constexpr LabelLine kLabels[] = {
    {"Label14", "Доля обнаруженных ошибок: ", ValueLabel::Label14},
    {"Label12", "Доля исправленных ошибок:", ValueLabel::Label12},
    {"Label19", "Коэф. избыточности кода:", ValueLabel::Label19},
    {"Label20", "Энтропия источника:", ValueLabel::Label20},
    {"Label21", "Энтропия приемника:", ValueLabel::Label21},
    {"Label22", "Энтропия шума:", ValueLabel::Label22},
};

std::string label_text(const RecordedOutputs& r, ValueLabel l) {
    const auto it = r.values.find(l);
    return it == r.values.end() ? std::string() : format_label(it->second, kSep);
}

nlohmann::ordered_json numbers(const vect& v) {
    nlohmann::ordered_json a = nlohmann::ordered_json::array();
    for (Extended x : v) a.push_back(static_cast<double>(x));
    return a;
}

// In the order H(X), lost, H(Y), H(Y|X).
nlohmann::ordered_json numbers(const Measures& m) {
    return numbers(vect{m.source, m.lost, m.receiver, m.noise});
}

nlohmann::ordered_json rows(const matr& m) {
    nlohmann::ordered_json a = nlohmann::ordered_json::array();
    for (const vect& row : m) a.push_back(numbers(row));
    return a;
}

nlohmann::ordered_json optional_number(std::optional<double> v) {
    return v ? nlohmann::ordered_json(*v) : nlohmann::ordered_json(nullptr);
}

std::string bar_text(std::optional<double> v) {
    return v ? format_fixed(*v, 18, 4, kSep) : std::string("-");
}

// The received class as the matrices name their columns: a symbol's bits, or ???? for the other.
std::string class_text(Byte c, Byte n) {
    return c < n ? IntToBin(c, 4) : std::string("????");
}

std::size_t words_shown(const RecordedOutputs& r, std::size_t words) {
    return r.log ? std::min(words, r.log->size()) : 0;
}

// Pads a column to `columns` characters; setw would count the bytes of Cyrillic text.
void column(std::ostream& out, std::string_view text, std::size_t columns) {
    std::size_t shown = 0;
    for (char c : text) shown += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    out << text << std::string(columns > shown ? columns - shown : 1, ' ');
}

void print_words(std::ostream& out, const PacketLog& log, std::size_t words) {
    const Byte n0 = log.n0();
    const std::size_t word = std::max<std::size_t>(n0, 7) + 2;
    constexpr std::size_t kOutcome = 27;
    out << "\nСлова последнего пакета\n";
    for (auto [title, width] : {std::pair<const char*, std::size_t>{"№", 7},
                                {"символ", 8},
                                {"слово", word},
                                {"принято", word},
                                {"ошибка", 7},
                                {"декод.", 8},
                                {"класс", 8},
                                {"итог", kOutcome}})
        column(out, title, width);
    out << "синдром\n";
    for (std::size_t i = 0; i < words; ++i) {
        const WordRecord w = log.record(i);
        column(out, std::to_string(w.position), 7);
        column(out, IntToBin(w.symbol, 4), 8);
        column(out, word_bits(w.code_word, n0), word);
        column(out, word_bits(w.received, n0), word);
        column(out, w.found_error ? "да" : "нет", 7);
        column(out, word_bits(w.decoded, 4), 8);
        column(out, class_text(w.received_class, log.alphabet_size()), 8);
        column(out, outcome_title(w.outcome), kOutcome);
        out << log.syndrome(i) << '\n';
    }
}

}  // namespace

void print_matrix(std::ostream& out, const char* title, const matr& m) {
    out << title << '\n';
    if (m.empty()) return;
    const auto n = static_cast<Cardinal>(m.size());
    out << std::setw(6) << "";
    for (Cardinal j = 0; j < n; ++j) out << std::setw(8) << IntToBin(j, 4);
    out << std::setw(8) << "????" << '\n';
    for (Cardinal i = 0; i < n; ++i) {
        out << std::setw(6) << IntToBin(i, 4);
        for (Extended v : m[i]) out << std::setw(8) << format_label(v, kSep);
        out << '\n';
    }
}

void print_text_report(std::ostream& out, const SimState& st, const RecordedOutputs& r,
                       std::size_t words) {
    out << "Всего передано символов: " << r.symbols_sent << '\n';
    for (const LabelLine& l : kLabels) {
        const std::string_view caption = l.caption;
        out << caption << (caption.ends_with(' ') ? "" : " ") << label_text(r, l.label) << '\n';
    }
    const auto useful = r.bars.at(Chart::Chart1);
    const auto rate = r.bars.at(Chart::Chart2);
    out << "\nПолезная информация\n"
        << "  Априорные:     " << bar_text(useful.first) << '\n'
        << "  Апостериорные: " << bar_text(useful.second) << '\n'
        << "Скорость передачи бит/с\n"
        << "  Априорная:     " << bar_text(rate.first) << '\n'
        << "  Апостериорная: " << bar_text(rate.second) << "\n\n";
    print_matrix(out, "Априорная канальная матрица", r.mat1);
    out << '\n';
    print_matrix(out, "Апостериорная канальная матрица", r.mat2);
    if (const std::size_t shown = words_shown(r, words)) print_words(out, *r.log, shown);
    out << "\nseed1 " << st.seed1 << ", seed2 " << st.seed2 << '\n';
}

void print_json_report(std::ostream& out, const SimState& st, const RecordedOutputs& r,
                       std::size_t words) {
    nlohmann::ordered_json j;
    j["symbols_sent"] = r.symbols_sent;
    j["distorted"] = st.errors.iskaj;
    j["detected"] = st.errors.oshib;
    j["corrected"] = st.errors.ispr;
    j["detected_share"] = static_cast<double>(r.values.at(ValueLabel::Label14));
    j["corrected_share"] = static_cast<double>(r.values.at(ValueLabel::Label12));
    j["n0"] = st.n0;
    j["redundancy"] = static_cast<double>(static_cast<Extended>(st.n0 - 4) / st.n0);
    j["apriori"] = numbers(r.apr);
    j["aposteriori"] = numbers(r.apost);
    const auto useful = r.bars.at(Chart::Chart1);
    const auto rate = r.bars.at(Chart::Chart2);
    j["useful_apriori"] = optional_number(useful.first);
    j["useful_aposteriori"] = optional_number(useful.second);
    j["rate_apriori"] = optional_number(rate.first);
    j["rate_aposteriori"] = optional_number(rate.second);
    j["matrix_apriori"] = rows(r.mat1);
    j["matrix_aposteriori"] = rows(r.mat2);
    j["seed1"] = st.seed1;
    j["seed2"] = st.seed2;
    nlohmann::ordered_json labels;
    labels["Label10"] = std::to_string(r.symbols_sent);
    for (const LabelLine& l : kLabels) labels[l.name] = label_text(r, l.label);
    j["labels"] = labels;
    if (words > 0) {
        j["words"] = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < words_shown(r, words); ++i) {
            const WordRecord w = r.log->record(i);
            nlohmann::ordered_json word;
            word["position"] = w.position;
            word["symbol"] = w.symbol;
            word["code_word"] = word_bits(w.code_word, r.log->n0());
            word["received"] = word_bits(w.received, r.log->n0());
            word["decoded"] = word_bits(w.decoded, 4);
            word["found_error"] = w.found_error;
            word["class"] = w.received_class;
            word["outcome"] = outcome_name(w.outcome);
            word["syndrome"] = r.log->syndrome(i);
            j["words"].push_back(word);
        }
    }
    out << j.dump() << '\n';
}

void print_code_table(std::ostream& out, const SimState& st, bool json) {
    const std::unique_ptr<Code> code = make_code(st);
    const Byte n0 = code->n0();
    if (json) {
        nlohmann::ordered_json j;
        j["n0"] = n0;
        j["codewords"] = nlohmann::ordered_json::array();
        for (Word s = 0; s < 16; ++s) j["codewords"].push_back(IntToBin(code->encode_one(s), n0));
        out << j.dump() << '\n';
        return;
    }
    out << "n0 = " << int{n0} << '\n';
    for (Word s = 0; s < 16; ++s)
        out << IntToBin(s, 4) << "  " << IntToBin(code->encode_one(s), n0) << '\n';
}

}  // namespace tavolin::sim
