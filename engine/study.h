// SPDX-License-Identifier: GPL-3.0-or-later
// Studies: how a code's behaviour changes with the channel. A study is a grid of points (values
// of one channel quantity) by a list of codes; every cell is an accumulating continuous run of
// the engine, stepped packet by packet until its stop rule holds. The codes of one point start
// from the same seeds; point k starts both streams k * floor(2^32 / points) draws ahead, so the
// points draw from disjoint stretches of the generator's cycle.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/intervals.h"
#include "engine/text_inputs.h"

namespace tavolin {

// The channel quantity a study varies: one inversion or erasure probability, or both rows'.
enum class Varied { p0, p1, p, e0, e1, e };

const char* varied_name(Varied v);
std::optional<Varied> varied_from_name(std::string_view name);
bool varies_erasure(Varied v);

struct StudyCode {
    std::string name;  // as the user gave it: "cyclic:1101", "hamming", "continuous:3", "none"
    Byte coding_type = kStartup.coding_type;
    Word polynomial = kStartup.polynomial;
    Word frame = kStartup.frame;
};

// A cell stops after the packet that brings either count to its limit.
struct StopRule {
    Count min_distorted = 1000;
    Count max_symbols = 10'000'000;
};

struct StudyPlan {
    RunTexts base;  // the single run's inputs; the varied quantity is replaced at every point
    Varied varied = Varied::p;
    Extended from = 0, to = 0;
    int points = 1;
    bool log = false;  // geometric spacing
    std::vector<StudyCode> codes;
    StopRule stop;
    Extended confidence = 0.95L;
    Integer seed1 = 0, seed2 = 0;
    int shard = 0, shards = 1;  // only the points k with k mod shards == shard
    // Every cell's exact values beside its measured ones; or, with exact_only, the exact values
    // alone: no packet is drawn and the measured values are empty.
    bool exact = true;
    bool exact_only = false;
};

struct StudyCell {
    int point = 0;
    std::size_t code = 0;  // index into the study's codes
    Extended value = 0;    // of the varied quantity
    Integer seed1 = 0, seed2 = 0;
    Count ticks = 0, symbols = 0, distorted = 0, detected = 0, corrected = 0, wrong = 0;
    Extended detected_share = 0, corrected_share = 0, wrong_rate = 0;
    std::optional<Interval> detected_ci, corrected_ci, wrong_ci;
    // The a posteriori entropies, and the useful information of both matrices, bits per symbol.
    Extended entropy_source = 0, entropy_receiver = 0, entropy_noise = 0;
    Extended useful_apriori = 0, useful_aposteriori = 0;
    std::optional<double> rate_apriori, rate_aposteriori;  // none at a bit time of 0
    Extended useful_per_bit = 0;                           // a posteriori, per channel bit
    Extended capacity = 0;                                 // bits per channel use
    bool overlap = false;   // needed more draws than its stretch of the cycle
    bool complete = false;  // its stop rule held
    // What the measures tend to as the symbols grow (engine/exact.h); empty where not computed
    // and for a share with nothing to share (no distorted word can arrive, say).
    std::optional<Extended> detected_share_exact, corrected_share_exact, wrong_rate_exact;
    std::optional<Extended> useful_aposteriori_exact, useful_per_bit_exact;
};

// The value of the varied quantity at point k, evenly or geometrically spaced, as its 21-digit
// text reads back; and the values of every point.
Extended point_value(const StudyPlan& plan, int k);
std::vector<Extended> point_values(const StudyPlan& plan);

// An 80-bit value in 21 significant digits with a point: the text reads back as the same value.
std::string value_text(Extended v);

// The inputs of a cell at point value `value`.
RunTexts cell_texts(const StudyPlan& plan, Extended value);

// The state a stream starts from at point k of `points`.
Integer point_seed(Integer base, int k, int points);

// One cell, run until its stop rule holds or `stop` is set (then it is not complete). A cell of
// an exact-only plan runs no packet (its ticks and counts are 0) and is complete at once.
StudyCell run_cell(const StudyPlan& plan, int point, std::size_t code,
                   const std::atomic<bool>& stop);

// What runs one cell: run_cell, or for tests a cell that holds its worker until released.
using CellFunction = std::function<StudyCell(const StudyPlan&, int point, std::size_t code,
                                             const std::atomic<bool>& stop)>;

// The cells of the study's shard, in (point, code) order, on `threads` threads. `on_cell` is
// called for every cell as it finishes, one call at a time. When `stop` is set the cells under
// way end early and are returned with `complete` false; cells not begun are left out, as is a
// cell that ends without a step (but for the exact-only cells, which never step).
std::vector<StudyCell> run_study(const StudyPlan& plan, int threads, const std::atomic<bool>& stop,
                                 const std::function<void(const StudyCell&)>& on_cell = {},
                                 const CellFunction& cell = run_cell);

// The points of the study's shard.
std::vector<int> shard_points(const StudyPlan& plan);

}  // namespace tavolin
