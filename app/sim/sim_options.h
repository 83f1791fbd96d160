// The command's options: parsed, checked, and turned into the inputs of a run.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/types.h"

namespace tavolin::sim {

struct SimOptions {
    bool continuous = false;
    int ticks = 1;
    bool no_accumulate = false;
    std::string size = "1000";
    std::vector<std::string> probs = std::vector<std::string>(16, "0.0625");
    bool erasure = false;
    std::string p0 = "0.1", p1 = "0.2", e0 = "0", e1 = "0";
    Byte coding_type = kCyclic;
    std::optional<std::string> poly;
    std::optional<std::string> frame;
    std::string bit_time = "0.0002";
    std::optional<Integer> seed1, seed2;
    bool plain_apriori = false;
    bool count_codewords = false;
    bool json = false;
    bool code_table = false;
};

// The outcome of parsing: the options, or the exit status and what to print.
struct ParseResult {
    std::optional<SimOptions> options;
    int exit_code = 0;
    std::string message;  // for stderr (a refusal) or stdout (help)
    bool help = false;
};

// Parses and checks the arguments (without the program name). Malformed options are refused in
// English, naming the option.
ParseResult parse_options(const std::vector<std::string>& args);

}  // namespace tavolin::sim
