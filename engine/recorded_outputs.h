// SPDX-License-Identifier: GPL-3.0-or-later
// A run's outputs kept as values, for the command's report and a study's cells.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "engine/run_io.h"

namespace tavolin {

class RecordedOutputs final : public RunOutputs {
  public:
    void show_symbols_sent(std::int64_t count) override { symbols_sent = count; }
    void show_value(ValueLabel label, Extended value) override { values[label] = value; }
    void show_measures(const Measures& a, const Measures& b) override {
        apr = a;
        apost = b;
    }
    void show_bars(Chart chart, std::optional<double> a, std::optional<double> b) override {
        bars[chart] = {a, b};
    }
    // Both matrices are kept, as an open matrix window would show them.
    bool wants_matrices() const override { return true; }
    void set_mat1(const matr& m) override { mat1 = m; }
    void set_mat2(const matr& m) override { mat2 = m; }
    void show_matrix() override {}
    PacketLog* packet_log() override { return log; }
    void refuse(Refusal why) override {
        if (!failure) failure = refusal_text(why);
    }
    void report_error(const std::string& description) override {
        if (!failure) failure = description;
    }

    std::int64_t symbols_sent = 0;
    std::map<ValueLabel, Extended> values;
    Measures apr, apost;
    std::map<Chart, std::pair<std::optional<double>, std::optional<double>>> bars;
    matr mat1, mat2;
    std::optional<std::string> failure;  // the first refusal or error report
    PacketLog* log = nullptr;            // set: the runs keep their packets' words in it
};

}  // namespace tavolin
