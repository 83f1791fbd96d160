// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/study.h"

#include <charconv>
#include <cmath>
#include <mutex>
#include <thread>

#include "channel/capacity.h"
#include "core/random.h"
#include "engine/code_settings.h"
#include "engine/exact.h"
#include "engine/recorded_outputs.h"
#include "engine/run_control.h"

namespace tavolin {

namespace {

constexpr struct {
    Varied v;
    const char* name;
} kVariedNames[] = {{Varied::p0, "p0"}, {Varied::p1, "p1"}, {Varied::p, "p"},
                    {Varied::e0, "e0"}, {Varied::e1, "e1"}, {Varied::e, "e"}};

constexpr std::uint64_t kCycle = std::uint64_t{1} << 32;

std::uint64_t stretch(int points) {
    return kCycle / static_cast<std::uint64_t>(points);
}

Extended ratio(Count num, Count den) {
    return den == 0 ? 0 : static_cast<Extended>(num) / static_cast<Extended>(den);
}

// Symbols sent as something other than themselves: every (sent, received) pair off the
// diagonal, the undecoded ones (the other column) included.
Count wrong_words(const matrc& pairs) {
    Count wrong = 0;
    for (std::size_t r = 0; r < pairs.size(); ++r)
        for (std::size_t c = 0; c < pairs[r].size(); ++c)
            if (c != r) wrong += pairs[r][c];
    return wrong;
}

// from * (to / from)^t; in logarithms where to / from overflows (a from below the normal range
// against a to near 1), so that every point lies between the two ends.
Extended geometric(Extended from, Extended to, Extended t) {
    const Extended ratio = to / from;
    if (std::isfinite(ratio) || t == 0) return from * std::pow(ratio, t);
    return std::exp2(std::log2(from) + (std::log2(to) - std::log2(from)) * t);
}

// The exact values of a cell, from the kept tables of outcomes (safe on any thread). A share
// whose denominator cannot occur is left empty, as a measured share without trials is.
void add_exact(StudyCell& cell, const RunTexts& texts, const StudyCode& code) {
    const std::optional<ExactValues> x = exact_values(texts, code);
    if (!x) return;
    Extended distorted = 0, detected = 0;
    for (std::size_t s = 0; s < x->probs.size(); ++s) {
        distorted += x->probs[s] * x->distorted[s];
        detected += x->probs[s] * x->detected[s];
    }
    if (distorted > 0) cell.detected_share_exact = x->detected_share;
    if (detected > 0) cell.corrected_share_exact = x->corrected_share;
    cell.wrong_rate_exact = x->wrong_rate;
    cell.useful_aposteriori_exact = x->useful_aposteriori;
    cell.useful_per_bit_exact = x->useful_per_bit;
    cell.capacity = x->capacity;
}

}  // namespace

const char* varied_name(Varied v) {
    for (const auto& n : kVariedNames)
        if (n.v == v) return n.name;
    return "";
}

std::optional<Varied> varied_from_name(std::string_view name) {
    for (const auto& n : kVariedNames)
        if (name == n.name) return n.v;
    return std::nullopt;
}

bool varies_erasure(Varied v) {
    return v == Varied::e0 || v == Varied::e1 || v == Varied::e;
}

std::string value_text(Extended v) {
    return format_round_trip(v);
}

Extended point_value(const StudyPlan& plan, int k) {
    const int last = plan.points - 1;
    const Extended t = last == 0 ? 0 : static_cast<Extended>(k) / last;
    Extended v =
        plan.log ? geometric(plan.from, plan.to, t) : plan.from + (plan.to - plan.from) * t;
    if (k == last && last > 0) v = plan.to;
    // The value a cell runs with is the one its text reads back as.
    return *parse_number(value_text(v), '.');
}

std::vector<Extended> point_values(const StudyPlan& plan) {
    std::vector<Extended> values(static_cast<std::size_t>(plan.points));
    for (int k = 0; k < plan.points; ++k)
        values[static_cast<std::size_t>(k)] = point_value(plan, k);
    return values;
}

RunTexts cell_texts(const StudyPlan& plan, Extended value) {
    RunTexts t = plan.base;
    const std::string text = value_text(value);
    switch (plan.varied) {
        case Varied::p0:
            t.p0 = text;
            break;
        case Varied::p1:
            t.p1 = text;
            break;
        case Varied::p:
            t.p0 = t.p1 = text;
            break;
        case Varied::e0:
            t.e0 = text;
            break;
        case Varied::e1:
            t.e1 = text;
            break;
        case Varied::e:
            t.e0 = t.e1 = text;
            break;
    }
    return t;
}

Integer point_seed(Integer base, int k, int points) {
    return jump_ahead(base, static_cast<std::uint64_t>(k) * stretch(points));
}

std::vector<int> shard_points(const StudyPlan& plan) {
    std::vector<int> points;
    for (int k = 0; k < plan.points; ++k)
        if (k % plan.shards == plan.shard) points.push_back(k);
    return points;
}

StudyCell run_cell(const StudyPlan& plan, int point, std::size_t code,
                   const std::atomic<bool>& stop) {
    StudyCell cell;
    cell.point = point;
    cell.code = code;
    cell.value = point_value(plan, point);
    cell.seed1 = point_seed(plan.seed1, point, plan.points);
    cell.seed2 = point_seed(plan.seed2, point, plan.points);

    SimState st;
    init_code_parameters(st);
    const StudyCode& c = plan.codes[code];
    st.coding_type = c.coding_type;
    st.Polinom_default = c.polynomial;
    st.L_default = c.frame;
    st.seed1 = cell.seed1;
    st.seed2 = cell.seed2;

    const RunTexts texts = cell_texts(plan, cell.value);
    if (plan.exact_only) {
        add_exact(cell, texts, c);
        cell.complete = true;
        return cell;
    }
    const TextInputs in(texts);
    RecordedOutputs out;
    RunControl control(st, in, out);
    if (!control.start(RunMode::Continuous)) return cell;
    cell.capacity = channel_capacity(st.totals.isk_main);
    // Only where the run ends is read: its measures are worked out once, after the last packet.
    while (!stop.load(std::memory_order_relaxed)) {
        control.advance();
        ++cell.ticks;
        cell.symbols = static_cast<Count>(out.symbols_sent);
        if (st.errors.iskaj >= plan.stop.min_distorted || cell.symbols >= plan.stop.max_symbols) {
            cell.complete = true;
            break;
        }
    }
    if (cell.ticks > 0) control.show();

    const ErrorCounters& e = st.errors;
    cell.distorted = e.iskaj;
    cell.detected = e.oshib;
    cell.corrected = e.ispr;
    cell.wrong = wrong_words(st.totals.k_m_k_s);
    cell.detected_share = ratio(e.oshib, e.iskaj);
    cell.corrected_share = ratio(e.ispr, e.oshib);
    cell.wrong_rate = ratio(cell.wrong, cell.symbols);
    cell.detected_ci = clopper_pearson(e.oshib, e.iskaj, plan.confidence);
    cell.corrected_ci = clopper_pearson(e.ispr, e.oshib, plan.confidence);
    cell.wrong_ci = clopper_pearson(cell.wrong, cell.symbols, plan.confidence);
    cell.entropy_source = out.apost.source;
    cell.entropy_receiver = out.apost.receiver;
    cell.entropy_noise = out.apost.noise;
    cell.useful_apriori = out.apr.useful();
    cell.useful_aposteriori = out.apost.useful();
    // A bit time so short that a rate overflows leaves it empty, as a bit time of 0 does: no
    // reader of the study's files takes an infinite number.
    const auto finite = [](std::optional<double> v) {
        return v && std::isfinite(*v) ? v : std::nullopt;
    };
    if (const auto it = out.bars.find(Chart::Chart2); it != out.bars.end()) {
        cell.rate_apriori = finite(it->second.first);
        cell.rate_aposteriori = finite(it->second.second);
    }
    cell.useful_per_bit = cell.useful_aposteriori / st.n0;
    cell.overlap = cell.symbols * st.n0 > stretch(plan.points);
    // The measured capacity stays the run's own, which the exact one equals to the last bit.
    const Extended capacity = cell.capacity;
    if (plan.exact) add_exact(cell, texts, c);
    cell.capacity = capacity;
    return cell;
}

std::vector<StudyCell> run_study(const StudyPlan& plan, int threads, const std::atomic<bool>& stop,
                                 const std::function<void(const StudyCell&)>& on_cell,
                                 const CellFunction& cell_function) {
    struct Task {
        int point;
        std::size_t code;
    };
    std::vector<Task> tasks;
    for (int k : shard_points(plan))
        for (std::size_t c = 0; c < plan.codes.size(); ++c) tasks.push_back({k, c});

    std::vector<std::optional<StudyCell>> results(tasks.size());
    std::atomic<std::size_t> next{0};
    std::mutex report;
    auto work = [&] {
        for (;;) {
            if (stop.load()) return;
            const std::size_t i = next.fetch_add(1);
            if (i >= tasks.size()) return;
            StudyCell cell = cell_function(plan, tasks[i].point, tasks[i].code, stop);
            if (cell.ticks == 0 && !plan.exact_only) continue;  // stopped before its first packet
            const std::lock_guard lock(report);
            results[i] = std::move(cell);
            if (on_cell) on_cell(*results[i]);
        }
    };
    const auto workers = static_cast<std::size_t>(std::max(1, threads));
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < std::min(workers, tasks.size()); ++t) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();

    std::vector<StudyCell> cells;
    for (std::optional<StudyCell>& r : results)
        if (r) cells.push_back(std::move(*r));
    return cells;
}

}  // namespace tavolin
