#include "ui/study_file.h"

#include <charconv>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <utility>

#include "engine/code_settings.h"

namespace tavolin::ui {

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
    std::string reason;
};

[[noreturn]] void bad_field(std::string_view name) {
    throw NotAStudy{"неверное или отсутствующее поле «" + std::string(name) + "»"};
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

std::optional<Extended> optional_extended(const Node& object, const char* name) {
    const Node* n = object.member(name);
    if (n && n->kind == Node::Kind::Null) return std::nullopt;
    return extended(object, name);
}

std::optional<double> optional_double(const Node& object, const char* name) {
    const Node* n = object.member(name);
    if (n && n->kind == Node::Kind::Null) return std::nullopt;
    const std::string text = number_text(object, name);
    double v = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) bad_field(name);
    return v;
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

std::optional<Interval> interval(const Node& object, const char* lo, const char* hi) {
    const std::optional<Extended> l = optional_extended(object, lo);
    const std::optional<Extended> h = optional_extended(object, hi);
    if (l.has_value() != h.has_value()) bad_field(l ? hi : lo);
    if (!l) return std::nullopt;
    return Interval{*l, *h};
}

StudySpec read_inputs(const Node& in) {
    StudySpec s;
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
        const std::optional<StudyCode> code = study_code(c.text);
        if (!code) bad_field("codes");
        s.codes.push_back(*code);
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

StudyCell read_cell(const Node& c, const StudySpec& spec,
                    std::set<std::pair<int, std::size_t>>& taken) {
    if (c.kind != Node::Kind::Object) bad_field("cells");
    StudyCell cell;
    cell.point = integer<int>(c, "point", 0);
    if (cell.point >= spec.points) bad_field("point");
    cell.value = extended(c, "value");
    if (!(0 <= cell.value && cell.value <= 1)) bad_field("value");
    // Codes may repeat in a study: each name takes the first of its codes still free at the point.
    const std::string& name = field(c, "code", Node::Kind::String).text;
    std::optional<std::size_t> code;
    for (std::size_t i = 0; i < spec.codes.size() && !code; ++i)
        if (spec.codes[i].name == name && taken.insert({cell.point, i}).second) code = i;
    if (!code) bad_field("code");
    cell.code = *code;
    cell.seed1 = integer<Integer>(c, "seed1");
    cell.seed2 = integer<Integer>(c, "seed2");
    cell.ticks = integer<Count>(c, "ticks");
    cell.symbols = integer<Count>(c, "symbols");
    cell.distorted = integer<Count>(c, "distorted");
    cell.detected = integer<Count>(c, "detected");
    cell.corrected = integer<Count>(c, "corrected");
    cell.wrong = integer<Count>(c, "wrong");
    cell.detected_share = extended(c, "detected_share");
    cell.detected_ci = interval(c, "detected_lo", "detected_hi");
    cell.corrected_share = extended(c, "corrected_share");
    cell.corrected_ci = interval(c, "corrected_lo", "corrected_hi");
    cell.wrong_rate = extended(c, "wrong_rate");
    cell.wrong_ci = interval(c, "wrong_lo", "wrong_hi");
    cell.apost.source = extended(c, "entropy_source");
    cell.apost.receiver = extended(c, "entropy_receiver");
    cell.apost.noise = extended(c, "entropy_noise");
    // Only the a priori useful information is written: it stands for the whole measure.
    cell.apr.receiver = extended(c, "useful_apriori");
    extended(c, "useful_aposteriori");
    cell.rate_apriori = optional_double(c, "rate_apriori");
    cell.rate_aposteriori = optional_double(c, "rate_aposteriori");
    cell.useful_per_bit = extended(c, "useful_per_bit");
    cell.capacity = extended(c, "capacity");
    cell.overlap = boolean(c, "overlap");
    cell.complete = boolean(c, "complete");
    return cell;
}

}  // namespace

std::optional<StudyCode> study_code(const std::string& name) {
    const std::size_t colon = name.find(':');
    const std::string kind = name.substr(0, colon);
    const std::optional<std::string> parameter =
        colon == std::string::npos ? std::nullopt : std::optional(name.substr(colon + 1));
    StudyCode code;
    code.name = name;
    if (kind == "cyclic") {
        code.coding_type = kCyclic;
        if (parameter) {
            const PolynomialCheck c = check_polynomial_text(*parameter);
            if (c.refusal) return std::nullopt;
            code.polynomial = c.polynomial;
        }
        return code;
    }
    if (kind == "continuous") {
        code.coding_type = kContinuous;
        if (parameter) {
            const FrameCheck c = check_frame_text(*parameter);
            if (c.refusal) return std::nullopt;
            code.frame = c.frame;
        }
        return code;
    }
    if ((kind == "hamming" || kind == "none") && !parameter) {
        code.coding_type = kind == "hamming" ? kHamming : kNoCoding;
        return code;
    }
    return std::nullopt;
}

std::optional<LoadedStudy> read_study_json(std::string_view text, std::string& reason) {
    TreeBuilder tree;
    if (!Json::sax_parse(text.begin(), text.end(), &tree) || !tree.root) {
        reason = "это не JSON (ошибка в позиции " + std::to_string(tree.error_position) + ")";
        return std::nullopt;
    }
    try {
        const Node& root = *tree.root;
        if (root.kind != Node::Kind::Object) throw NotAStudy{"это не объект JSON"};
        LoadedStudy study;
        study.spec = read_inputs(field(root, "inputs", Node::Kind::Object));
        std::set<std::pair<int, std::size_t>> taken;
        for (const Node& c : field(root, "cells", Node::Kind::Array).items)
            study.cells.push_back(read_cell(c, study.spec, taken));
        return study;
    } catch (const NotAStudy& e) {
        reason = e.reason;
        return std::nullopt;
    }
}

}  // namespace tavolin::ui
