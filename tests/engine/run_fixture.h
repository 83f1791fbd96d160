// SPDX-License-Identifier: GPL-3.0-or-later
// A run's two sides for tests: inputs as the window's cell texts, outputs recorded in order.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/defaults.h"
#include "core/number_text.h"
#include "core/sim_state.h"
#include "engine/code_settings.h"
#include "engine/run_io.h"

namespace tavolin::testing_support {

// The window's start-up inputs, written with a comma.
struct FakeInputs final : RunInputs {
    std::string size = std::to_string(kStartup.packet_size);
    std::vector<std::string> probs =
        std::vector<std::string>(kMaxSymbols, format_general(kStartup.probability, ','));
    int noise = 0;
    std::map<std::pair<int, int>, std::string> channel = {
        {{1, 1}, format_general(kStartup.inversion0, ',')},
        {{1, 2}, format_general(kStartup.inversion1, ',')},
        {{2, 1}, "0"},
        {{2, 2}, "0"}};
    bool model = true, counting = false;
    std::string bit_time = format_general(kStartup.bit_time, ',');
    char sep = ',';

    std::string packet_size_text() const override { return size; }
    std::string probability_text(int row) const override {
        return row - 1 < static_cast<int>(probs.size()) ? probs[row - 1] : "";
    }
    int noise_type() const override { return noise; }
    std::string channel_text(int col, int row) const override { return channel.at({col, row}); }
    bool model_switch() const override { return model; }
    bool counting_switch() const override { return counting; }
    std::string bit_time_text() const override { return bit_time; }
    char decimal_separator() const override { return sep; }
};

struct RecordingOutputs final : RunOutputs {
    std::vector<std::string> calls;  // in the order the run made them
    std::optional<std::int64_t> symbols_sent;
    std::map<ValueLabel, Extended> values;
    Measures apr, apost;
    std::map<Chart, std::pair<std::optional<double>, std::optional<double>>> bars;
    matr mat1, mat2;
    std::vector<Refusal> refusals;
    std::vector<std::string> errors;

    void show_symbols_sent(std::int64_t n) override {
        calls.push_back("Label10");
        symbols_sent = n;
    }
    void show_value(ValueLabel l, Extended v) override {
        calls.push_back("value");
        values[l] = v;
    }
    void show_measures(const Measures& a, const Measures& b) override {
        apr = a;
        apost = b;
    }
    void show_bars(Chart c, std::optional<double> a, std::optional<double> b) override {
        calls.push_back(c == Chart::Chart1 ? "Chart1" : "Chart2");
        bars[c] = {a, b};
    }
    bool matrices = false;  // true: as with the matrix window open
    bool wants_matrices() const override { return matrices; }
    void set_mat1(const matr& m) override {
        calls.push_back("setMat1");
        mat1 = m;
    }
    void set_mat2(const matr& m) override {
        calls.push_back("setMat2");
        mat2 = m;
    }
    void show_matrix() override { calls.push_back("showMatrix"); }
    PacketLog* log = nullptr;  // set: as with the transmission log open
    PacketLog* packet_log() override { return log; }
    void show_words() override { calls.push_back("showWords"); }
    void refuse(Refusal r) override {
        calls.push_back("refuse");
        refusals.push_back(r);
    }
    void report_error(const std::string& d) override {
        calls.push_back("error");
        errors.push_back(d);
    }
};

// The state after the first activation, with fixed seeds.
inline SimState activated_state(Integer seed1 = 20261210, Integer seed2 = -123456789) {
    SimState st;
    st.seed1 = seed1;
    init_code_parameters(st);
    st.seed2 = seed2;
    return st;
}

}  // namespace tavolin::testing_support
