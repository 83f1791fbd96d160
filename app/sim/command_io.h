// The run's two sides over the command's options and its report.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "app/sim/sim_options.h"
#include "engine/run_io.h"

namespace tavolin::sim {

// The options stand in for the window's inputs, as texts with a point for the separator.
class CommandInputs final : public RunInputs {
  public:
    explicit CommandInputs(const SimOptions& o) : o_(o) {}
    std::string packet_size_text() const override { return o_.size; }
    std::string probability_text(int row) const override;
    int noise_type() const override { return o_.erasure ? 1 : 0; }
    std::string channel_text(int col, int row) const override;
    bool model_switch() const override { return !o_.plain_apriori; }
    bool counting_switch() const override { return o_.count_codewords; }
    std::string bit_time_text() const override { return o_.bit_time; }
    char decimal_separator() const override { return '.'; }

  private:
    const SimOptions& o_;
};

// Everything a run shows, kept for the report.
class CommandOutputs final : public RunOutputs {
  public:
    void show_symbols_sent(std::int64_t count) override { symbols_sent = count; }
    void show_value(ValueLabel label, Extended value) override { values[label] = value; }
    void show_measures(const vect& a, const vect& b) override {
        apr = a;
        apost = b;
    }
    void show_bars(Chart chart, std::optional<double> a, std::optional<double> b) override {
        bars[chart] = {a, b};
    }
    void set_mat1(const matr& m) override { mat1 = m; }
    void set_mat2(const matr& m) override { mat2 = m; }
    void show_matrix() override {}
    void refuse(Refusal why) override {
        if (!failure) failure = refusal_text(why);
    }
    void report_error(const std::string& description) override {
        if (!failure) failure = description;
    }

    std::int64_t symbols_sent = 0;
    std::map<ValueLabel, Extended> values;
    vect apr, apost;
    std::map<Chart, std::pair<std::optional<double>, std::optional<double>>> bars;
    matr mat1, mat2;
    std::optional<std::string> failure;
};

}  // namespace tavolin::sim
