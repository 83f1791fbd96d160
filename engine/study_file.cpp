// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/study_file.h"

#include <charconv>
#include <cstdio>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <span>
#include <utility>

#include "engine/study_codes.h"
#include "engine/study_columns.h"
#include "engine/version.h"

namespace tavolin {

namespace {

// A JSON value that keeps every number as it was written: nlohmann's own tree would hold a
// double, and the study's 80-bit values would not read back as themselves.
struct Node {
    enum class Kind { Null, Boolean, Integer, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool flag = false;
    std::string text;         // a number as written, or a string
    std::vector<Node> items;  // an array's, or an object's values in the order of its keys
    std::vector<std::string> keys;

    const Node* member(std::string_view key) const {
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i] == key) return &items[i];
        return nullptr;
    }
};

// Numbers are lexed as 80-bit values, so that any the writer writes (a bit time of 1e4000,
// say) is a number here and not an overflow; the tree keeps their texts all the same.
using Json = nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t,
                                  std::uint64_t, long double>;

// Builds the tree from nlohmann's SAX events, without recursion; a file nested deeper than any
// study is refused before its tree could exhaust the stack.
class TreeBuilder final : public nlohmann::json_sax<Json> {
  public:
    std::optional<Node> root;
    std::size_t error_position = 0;

    bool null() override { return add({}); }
    bool boolean(bool b) override {
        Node n;
        n.kind = Node::Kind::Boolean;
        n.flag = b;
        return add(std::move(n));
    }
    // Non-negative integers come as unsigned: a signed zero was written "-0".
    bool number_integer(number_integer_t v) override {
        return integer(v == 0 ? "-0" : std::to_string(v));
    }
    bool number_unsigned(number_unsigned_t v) override { return integer(std::to_string(v)); }
    bool number_float(number_float_t, const string_t& written) override {
        Node n;
        n.kind = Node::Kind::Number;
        n.text = written;
        return add(std::move(n));
    }
    bool string(string_t& s) override {
        Node n;
        n.kind = Node::Kind::String;
        n.text = s;
        return add(std::move(n));
    }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override { return open(Node::Kind::Object); }
    bool key(string_t& k) override {
        keys_.push_back(k);
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(Node::Kind::Array); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception&) override {
        error_position = position;
        return false;
    }

  private:
    static constexpr std::size_t kDeepest = 16;

    bool integer(std::string text) {
        Node n;
        n.kind = Node::Kind::Integer;
        n.text = std::move(text);
        return add(std::move(n));
    }
    bool open(Node::Kind kind) {
        if (open_.size() >= kDeepest) return false;
        Node n;
        n.kind = kind;
        open_.push_back(std::move(n));
        return true;
    }
    bool close() {
        Node n = std::move(open_.back());
        open_.pop_back();
        return add(std::move(n));
    }
    bool add(Node n) {
        if (open_.empty()) {
            root = std::move(n);
            return true;
        }
        Node& parent = open_.back();
        if (parent.kind == Node::Kind::Object) {
            parent.keys.push_back(std::move(keys_.back()));
            keys_.pop_back();
        }
        parent.items.push_back(std::move(n));
        return true;
    }

    std::vector<Node> open_;
    std::vector<std::string> keys_;
};

struct NotAStudy {
    StudyFileRefusal refusal;
};

[[noreturn]] void bad_field(std::string_view name) {
    throw NotAStudy{{StudyFileRefusal::Kind::BadField, 0, std::string(name)}};
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

// The inputs as the reader below takes them back.
void write_json_inputs(std::ostream& out, const StudyPlan& plan) {
    const RunTexts& b = plan.base;
    auto text_number = [](const std::string& t) {
        const std::optional<Extended> v = parse_number(t, '.');
        return v ? value_text(*v) : std::string("null");
    };
    out << "{\"version\":" << json_string(version())
        << ",\"vary\":" << json_string(varied_name(plan.varied))
        << ",\"from\":" << value_text(plan.from) << ",\"to\":" << value_text(plan.to)
        << ",\"points\":" << plan.points << ",\"log\":" << (plan.log ? "true" : "false")
        << ",\"codes\":[";
    for (std::size_t i = 0; i < plan.codes.size(); ++i)
        out << (i ? "," : "") << json_string(plan.codes[i].name);
    out << "],\"size\":" << text_number(b.size) << ",\"probs\":[";
    for (std::size_t i = 0; i < b.probs.size(); ++i)
        out << (i ? "," : "") << (b.probs[i].empty() ? "null" : text_number(b.probs[i]));
    out << "],\"noise\":" << (b.erasure ? "\"erasure\"" : "\"inversion\"")
        << ",\"p0\":" << text_number(b.p0) << ",\"p1\":" << text_number(b.p1)
        << ",\"e0\":" << text_number(b.e0) << ",\"e1\":" << text_number(b.e1)
        << ",\"bit_time\":" << text_number(b.bit_time)
        << ",\"plain_apriori\":" << (b.plain_apriori ? "true" : "false")
        << ",\"min_distorted\":" << plan.stop.min_distorted
        << ",\"max_symbols\":" << plan.stop.max_symbols
        << ",\"confidence\":" << value_text(plan.confidence)
        << ",\"exact\":" << (plan.exact ? "true" : "false")
        << ",\"exact_only\":" << (plan.exact_only ? "true" : "false") << ",\"seed1\":" << plan.seed1
        << ",\"seed2\":" << plan.seed2 << ",\"shard\":"
        << json_string(std::to_string(plan.shard) + "/" + std::to_string(plan.shards)) << "}";
}

const Node& field(const Node& object, const char* name, Node::Kind kind) {
    const Node* n = object.member(name);
    if (!n || n->kind != kind) bad_field(name);
    return *n;
}

bool is_number(const Node& n) {
    return n.kind == Node::Kind::Integer || n.kind == Node::Kind::Number;
}

// A number field's text, as the study's inputs keep their texts.
std::string number_text(const Node& object, const char* name) {
    const Node* n = object.member(name);
    if (!n || !is_number(*n) || !parse_number(n->text, '.')) bad_field(name);
    return n->text;
}

Extended extended(const Node& object, const char* name) {
    return *parse_number(number_text(object, name), '.');
}

template <typename T>
T integer(const Node& object, const char* name, T lo = std::numeric_limits<T>::min()) {
    const std::string& text = field(object, name, Node::Kind::Integer).text;
    T v{};
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || v < lo) bad_field(name);
    return v;
}

bool boolean(const Node& object, const char* name) {
    return field(object, name, Node::Kind::Boolean).flag;
}

StudyPlan read_inputs(const Node& in) {
    StudyPlan s;
    const std::optional<Varied> v = varied_from_name(field(in, "vary", Node::Kind::String).text);
    if (!v) bad_field("vary");
    s.varied = *v;
    s.from = extended(in, "from");
    s.to = extended(in, "to");
    s.points = integer<int>(in, "points", 1);
    s.log = boolean(in, "log");
    // The range the command takes: probabilities in order, a logarithmic one not from 0.
    if (!(0 <= s.from && s.from <= 1) || (s.log && s.from == 0)) bad_field("from");
    if (!(s.from <= s.to && s.to <= 1)) bad_field("to");
    for (const Node& c : field(in, "codes", Node::Kind::Array).items) {
        if (c.kind != Node::Kind::String) bad_field("codes");
        const StudyCodeRead code = read_study_code(c.text);
        if (!code.code) bad_field("codes");
        s.codes.push_back(*code.code);
    }
    if (s.codes.empty()) bad_field("codes");

    RunTexts& b = s.base;
    b.size = number_text(in, "size");
    b.probs.clear();
    for (const Node& p : field(in, "probs", Node::Kind::Array).items) {
        if (p.kind == Node::Kind::Null)
            b.probs.emplace_back();
        else if (is_number(p) && parse_number(p.text, '.'))
            b.probs.push_back(p.text);
        else
            bad_field("probs");
    }
    const std::string& noise = field(in, "noise", Node::Kind::String).text;
    if (noise != "inversion" && noise != "erasure") bad_field("noise");
    b.erasure = noise == "erasure";
    b.p0 = number_text(in, "p0");
    b.p1 = number_text(in, "p1");
    b.e0 = number_text(in, "e0");
    b.e1 = number_text(in, "e1");
    b.bit_time = number_text(in, "bit_time");
    b.plain_apriori = boolean(in, "plain_apriori");

    s.stop.min_distorted = integer<Count>(in, "min_distorted");
    s.stop.max_symbols = integer<Count>(in, "max_symbols");
    s.confidence = extended(in, "confidence");
    // Files written before studies had exact values have neither field.
    s.exact = in.member("exact") && boolean(in, "exact");
    s.exact_only = in.member("exact_only") && boolean(in, "exact_only");
    if (s.exact_only && !s.exact) bad_field("exact");
    s.seed1 = integer<Integer>(in, "seed1");
    s.seed2 = integer<Integer>(in, "seed2");
    const std::string& shard = field(in, "shard", Node::Kind::String).text;
    const std::size_t slash = shard.find('/');
    auto part = [&shard](std::size_t from, std::size_t to) {
        int k = 0;
        const auto res = std::from_chars(shard.data() + from, shard.data() + to, k);
        if (res.ec != std::errc() || res.ptr != shard.data() + to) bad_field("shard");
        return k;
    };
    if (slash == std::string::npos) bad_field("shard");
    s.shard = part(0, slash);
    s.shards = part(slash + 1, shard.size());
    if (s.shards < 1 || s.shard < 0 || s.shard >= s.shards) bad_field("shard");
    return s;
}

// A cell's values, column by column: each of the column's own type, or null where the column
// may be empty.
StudyCell read_cell(const Node& c, CellReading& reading) {
    if (c.kind != Node::Kind::Object) bad_field("cells");
    StudyCell cell;
    for (const StudyColumn& column : study_columns()) {
        const Node* n = c.member(column.name);
        static const Node kNull;
        if (!n && column.absent_is_null) n = &kNull;
        if (!n) bad_field(column.name);
        std::optional<std::string_view> text;
        switch (n->kind) {
            case Node::Kind::Null:
                break;
            case Node::Kind::Boolean:
                if (column.type != ColumnType::Flag) bad_field(column.name);
                text = n->flag ? "true" : "false";
                break;
            case Node::Kind::String:
                if (column.type != ColumnType::Text) bad_field(column.name);
                text = n->text;
                break;
            case Node::Kind::Integer:
            case Node::Kind::Number:
                if (column.type != ColumnType::Number &&
                    (column.type != ColumnType::Whole || n->kind != Node::Kind::Integer))
                    bad_field(column.name);
                text = n->text;
                break;
            default:
                bad_field(column.name);
        }
        if (!column.read(cell, text, reading)) bad_field(column.name);
    }
    return cell;
}

}  // namespace

void write_study_csv(std::ostream& out, const StudyPlan& plan,
                     const std::vector<StudyCell>& cells) {
    const std::span<const StudyColumn> columns = study_columns();
    for (std::size_t i = 0; i < columns.size(); ++i) out << (i ? "," : "") << columns[i].name;
    out << '\n';
    for (const StudyCell& c : cells) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i) out << ',';
            const std::optional<std::string> v = columns[i].write(c, plan);
            if (v) out << (columns[i].type == ColumnType::Text ? csv_text(*v) : *v);
        }
        out << '\n';
    }
}

void write_study_json(std::ostream& out, const StudyPlan& plan,
                      const std::vector<StudyCell>& cells) {
    const std::span<const StudyColumn> columns = study_columns();
    out << "{\"inputs\":";
    write_json_inputs(out, plan);
    out << ",\"cells\":[";
    for (std::size_t k = 0; k < cells.size(); ++k) {
        out << (k ? ",\n" : "\n") << '{';
        for (std::size_t i = 0; i < columns.size(); ++i) {
            out << (i ? "," : "") << '"' << columns[i].name << "\":";
            const std::optional<std::string> v = columns[i].write(cells[k], plan);
            if (!v)
                out << "null";
            else
                out << (columns[i].type == ColumnType::Text ? json_string(*v) : *v);
        }
        out << '}';
    }
    out << "\n]}\n";
}

StudyFileRead read_study_json(std::string_view text) {
    TreeBuilder tree;
    if (!Json::sax_parse(text.begin(), text.end(), &tree) || !tree.root)
        return {std::nullopt,
                StudyFileRefusal{StudyFileRefusal::Kind::NotJson, tree.error_position, {}}};
    try {
        const Node& root = *tree.root;
        if (root.kind != Node::Kind::Object)
            throw NotAStudy{{StudyFileRefusal::Kind::NotObject, 0, {}}};
        LoadedStudy study;
        study.plan = read_inputs(field(root, "inputs", Node::Kind::Object));
        CellReading reading{study.plan, {}};
        for (const Node& c : field(root, "cells", Node::Kind::Array).items)
            study.cells.push_back(read_cell(c, reading));
        return {std::move(study), std::nullopt};
    } catch (const NotAStudy& e) {
        return {std::nullopt, e.refusal};
    }
}

}  // namespace tavolin
