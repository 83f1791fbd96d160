// SPDX-License-Identifier: GPL-3.0-or-later
// The options that choose a run's code, --code, --poly and --frame, shared by the single run
// and the exact calculation.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "core/defaults.h"
#include "core/sim_state.h"

namespace tavolin::sim {

struct CodeChoice {
    Byte coding_type = kStartup.coding_type;
    std::optional<std::string> poly;
    std::optional<std::string> frame;

    // Sets the state's code as the settings prompts would; a prompt's refusal is its message.
    std::optional<std::string> apply(SimState& st) const;
};

class CodeOptions {
  public:
    void add_to(CLI::App& app, CodeChoice& choice);
    // Completes `choice` from what was given; throws Malformed for a code the erasure channel
    // cannot take when `erasure`.
    void finish(CodeChoice& choice, bool erasure) const;

  private:
    std::string code_ = "cyclic";
};

}  // namespace tavolin::sim
