// SPDX-License-Identifier: GPL-3.0-or-later
// A run's inputs as the texts a user types, with a point for the separator: what the command
// reads from its options and a study cell from its base and its point.
#pragma once

#include <string>
#include <vector>

#include "core/defaults.h"
#include "core/number_text.h"
#include "engine/run_io.h"

namespace tavolin {

// The window's start-up inputs, written as the command reads them.
struct RunTexts {
    std::string size = std::to_string(kStartup.packet_size);
    std::vector<std::string> probs =
        std::vector<std::string>(kMaxSymbols, format_general(kStartup.probability, '.'));
    bool erasure = false;
    std::string p0 = format_general(kStartup.inversion0, '.');
    std::string p1 = format_general(kStartup.inversion1, '.');
    std::string e0 = "0", e1 = "0";
    std::string bit_time = format_general(kStartup.bit_time, '.');
    bool plain_apriori = false;    // the a priori matrix by the plain model
    bool count_codewords = false;  // the packet run's a posteriori counting on code words
};

class TextInputs final : public RunInputs {
  public:
    explicit TextInputs(const RunTexts& t) : t_(t) {}
    std::string packet_size_text() const override { return t_.size; }
    std::string probability_text(int row) const override {
        const auto i = static_cast<std::size_t>(row - 1);
        return i < t_.probs.size() ? t_.probs[i] : std::string();
    }
    int noise_type() const override { return t_.erasure ? 1 : 0; }
    std::string channel_text(int col, int row) const override {
        if (col == 1) return row == 1 ? t_.p0 : t_.p1;
        return row == 1 ? t_.e0 : t_.e1;
    }
    bool model_switch() const override { return !t_.plain_apriori; }
    bool counting_switch() const override { return t_.count_codewords; }
    std::string bit_time_text() const override { return t_.bit_time; }
    char decimal_separator() const override { return '.'; }

  private:
    const RunTexts& t_;
};

}  // namespace tavolin
