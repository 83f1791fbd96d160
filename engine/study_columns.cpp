// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/study_columns.h"

#include <charconv>
#include <type_traits>

namespace tavolin {

namespace {

using Text = std::optional<std::string_view>;

template <typename T>
bool whole(std::string_view text, T& v) {
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    return res.ec == std::errc() && res.ptr == text.data() + text.size();
}

// Writing and reading one kind of value.
template <typename T>
struct Codec;

template <std::integral T>
struct Codec<T> {
    static constexpr ColumnType type = ColumnType::Whole;
    static std::optional<std::string> write(T v) { return std::to_string(v); }
    static bool read(Text t, T& v) { return t && whole(*t, v); }
};

template <>
struct Codec<bool> {
    static constexpr ColumnType type = ColumnType::Flag;
    static std::optional<std::string> write(bool v) { return v ? "true" : "false"; }
    static bool read(Text t, bool& v) {
        if (!t || (*t != "true" && *t != "false")) return false;
        v = *t == "true";
        return true;
    }
};

template <>
struct Codec<Extended> {
    static constexpr ColumnType type = ColumnType::Number;
    static std::optional<std::string> write(Extended v) { return value_text(v); }
    static bool read(Text t, Extended& v) {
        const std::optional<Extended> got = t ? parse_number(*t, '.') : std::nullopt;
        if (got) v = *got;
        return got.has_value();
    }
};

// The rates are doubles, written in the shortest text that reads back as the same double.
template <>
struct Codec<std::optional<double>> {
    static constexpr ColumnType type = ColumnType::Number;
    static std::optional<std::string> write(std::optional<double> v) {
        if (!v) return std::nullopt;
        char buf[32];
        const auto res = std::to_chars(buf, buf + sizeof buf, *v);
        return std::string(buf, res.ptr);
    }
    static bool read(Text t, std::optional<double>& v) {
        if (!t) return true;
        double d = 0;
        if (!whole(*t, d)) return false;
        v = d;
        return true;
    }
};

template <auto Member>
using MemberType = std::remove_cvref_t<decltype(std::declval<StudyCell&>().*Member)>;

template <auto Member>
constexpr StudyColumn column(const char* name) {
    using C = Codec<MemberType<Member>>;
    return {name, C::type, [](const StudyCell& c, const StudyPlan&) { return C::write(c.*Member); },
            [](StudyCell& c, Text t, CellReading&) { return C::read(t, c.*Member); }, false};
}

// A measured value, empty in every cell of an exact-only study (which draws nothing) and only
// there.
template <auto Member>
constexpr StudyColumn measured(const char* name) {
    using C = Codec<MemberType<Member>>;
    return {name, C::type,
            [](const StudyCell& c, const StudyPlan& plan) {
                return plan.exact_only ? std::nullopt : C::write(c.*Member);
            },
            [](StudyCell& c, Text t, CellReading& r) {
                return r.plan.exact_only ? !t.has_value() : C::read(t, c.*Member);
            },
            false};
}

// An exact value: empty where it was not computed, and absent from the files written before
// studies had them.
template <auto Member>
constexpr StudyColumn exact(const char* name) {
    return {name, ColumnType::Number,
            [](const StudyCell& c, const StudyPlan&) {
                const std::optional<Extended>& v = c.*Member;
                return v ? Codec<Extended>::write(*v) : std::nullopt;
            },
            [](StudyCell& c, Text t, CellReading&) {
                if (!t) return true;
                Extended v = 0;
                if (!Codec<Extended>::read(t, v)) return false;
                c.*Member = v;
                return true;
            },
            true};
}

// The two ends of an interval, each its own column: both exist or neither does. The lower end
// is read first.
template <auto Member>
constexpr StudyColumn lower_end(const char* name) {
    return {name, ColumnType::Number,
            [](const StudyCell& c, const StudyPlan&) {
                const std::optional<Interval>& i = c.*Member;
                return i ? Codec<Extended>::write(i->lo) : std::nullopt;
            },
            [](StudyCell& c, Text t, CellReading&) {
                if (!t) return true;
                Interval i;
                if (!Codec<Extended>::read(t, i.lo)) return false;
                c.*Member = i;
                return true;
            },
            false};
}

template <auto Member>
constexpr StudyColumn upper_end(const char* name) {
    return {name, ColumnType::Number,
            [](const StudyCell& c, const StudyPlan&) {
                const std::optional<Interval>& i = c.*Member;
                return i ? Codec<Extended>::write(i->hi) : std::nullopt;
            },
            [](StudyCell& c, Text t, CellReading&) {
                std::optional<Interval>& i = c.*Member;
                if (!t) return !i.has_value();
                return i.has_value() && Codec<Extended>::read(t, i->hi);
            },
            false};
}

constexpr StudyColumn kPoint = {
    "point", ColumnType::Whole,
    [](const StudyCell& c, const StudyPlan&) { return Codec<int>::write(c.point); },
    [](StudyCell& c, Text t, CellReading& r) {
        return Codec<int>::read(t, c.point) && c.point >= 0 && c.point < r.plan.points;
    },
    false};

constexpr StudyColumn kValue = {
    "value", ColumnType::Number,
    [](const StudyCell& c, const StudyPlan&) { return Codec<Extended>::write(c.value); },
    [](StudyCell& c, Text t, CellReading&) {
        return Codec<Extended>::read(t, c.value) && 0 <= c.value && c.value <= 1;
    },
    false};

constexpr StudyColumn kCode = {
    "code", ColumnType::Text,
    [](const StudyCell& c, const StudyPlan& plan) -> std::optional<std::string> {
        return plan.codes[c.code].name;
    },
    [](StudyCell& c, Text t, CellReading& r) {
        if (!t) return false;
        for (std::size_t i = 0; i < r.plan.codes.size(); ++i)
            if (r.plan.codes[i].name == *t && r.taken.insert({c.point, i}).second) {
                c.code = i;
                return true;
            }
        return false;
    },
    false};

constexpr StudyColumn kColumns[] = {
    kPoint,
    kValue,
    kCode,
    column<&StudyCell::seed1>("seed1"),
    column<&StudyCell::seed2>("seed2"),
    column<&StudyCell::ticks>("ticks"),
    column<&StudyCell::symbols>("symbols"),
    column<&StudyCell::distorted>("distorted"),
    column<&StudyCell::detected>("detected"),
    column<&StudyCell::corrected>("corrected"),
    column<&StudyCell::wrong>("wrong"),
    measured<&StudyCell::detected_share>("detected_share"),
    lower_end<&StudyCell::detected_ci>("detected_lo"),
    upper_end<&StudyCell::detected_ci>("detected_hi"),
    measured<&StudyCell::corrected_share>("corrected_share"),
    lower_end<&StudyCell::corrected_ci>("corrected_lo"),
    upper_end<&StudyCell::corrected_ci>("corrected_hi"),
    measured<&StudyCell::wrong_rate>("wrong_rate"),
    lower_end<&StudyCell::wrong_ci>("wrong_lo"),
    upper_end<&StudyCell::wrong_ci>("wrong_hi"),
    measured<&StudyCell::entropy_source>("entropy_source"),
    measured<&StudyCell::entropy_receiver>("entropy_receiver"),
    measured<&StudyCell::entropy_noise>("entropy_noise"),
    measured<&StudyCell::useful_apriori>("useful_apriori"),
    measured<&StudyCell::useful_aposteriori>("useful_aposteriori"),
    column<&StudyCell::rate_apriori>("rate_apriori"),
    column<&StudyCell::rate_aposteriori>("rate_aposteriori"),
    measured<&StudyCell::useful_per_bit>("useful_per_bit"),
    column<&StudyCell::capacity>("capacity"),
    column<&StudyCell::overlap>("overlap"),
    column<&StudyCell::complete>("complete"),
    exact<&StudyCell::wrong_rate_exact>("wrong_rate_exact"),
    exact<&StudyCell::detected_share_exact>("detected_share_exact"),
    exact<&StudyCell::corrected_share_exact>("corrected_share_exact"),
    exact<&StudyCell::useful_aposteriori_exact>("useful_aposteriori_exact"),
    exact<&StudyCell::useful_per_bit_exact>("useful_per_bit_exact"),
};

}  // namespace

std::span<const StudyColumn> study_columns() {
    return kColumns;
}

}  // namespace tavolin
