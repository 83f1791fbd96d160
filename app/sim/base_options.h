// SPDX-License-Identifier: GPL-3.0-or-later
// What the single run and a study share on the command line: the checks of number and integer
// texts, the spelling rules, and the options of a run's inputs.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/text_inputs.h"

namespace tavolin::sim {

// A malformed option: the message names it.
struct Malformed {
    std::string message;
};

// A number text with a point, from `lo` to `hi`.
Extended number_option(const std::string& name, const std::string& text, Extended lo, Extended hi);
// A plain decimal integer from `lo` to `hi`.
std::int64_t decimal_option(const std::string& name, const std::string& text, std::int64_t lo,
                            std::int64_t hi);
// Comma-separated items, empty ones kept.
std::vector<std::string> split_list(const std::string& list);

// Which commands' run options: the single run's take them all; a study's all but the packet
// run's counting on code words; the exact calculation draws nothing, so it takes neither the
// packet size nor the seeds.
enum class RunOptionSet { SingleRun, Study, Exact };

// The options of a run's inputs and of the two seeds.
class BaseOptions {
  public:
    void add_to(CLI::App& app, RunOptionSet set);
    // Checks what was given and writes it into `texts`; throws Malformed.
    void apply(RunTexts& texts) const;
    std::optional<Integer> seed1() const;
    std::optional<Integer> seed2() const;
    bool erasure() const { return noise_ == "erasure"; }

  private:
    RunTexts given_;
    std::string size_ = given_.size, noise_ = "inversion", seed1_, seed2_;
    std::optional<std::string> probs_;
    CLI::Option *e0_ = nullptr, *e1_ = nullptr, *seed1_opt_ = nullptr, *seed2_opt_ = nullptr;
};

// The outcome of parsing: the options, or the exit status and what to print.
template <typename Options>
struct Parsed {
    std::optional<Options> options;
    int exit_code = 0;
    std::string message;  // for stderr (a refusal) or stdout (help, version)
    bool help = false;    // help or version: printed, exit status 0
};

// Parses `args` into `app` with the spelling rules, then runs `finish` (which may throw
// Malformed) to check and complete the options.
template <typename Options, typename Finish>
Parsed<Options> parse_with(CLI::App& app, const std::vector<std::string>& args, Options& options,
                           Finish finish);

void check_spelling(const std::vector<std::string>& args, const CLI::App& app);

template <typename Options, typename Finish>
Parsed<Options> parse_with(CLI::App& app, const std::vector<std::string>& args, Options& options,
                           Finish finish) {
    Parsed<Options> result;
    try {
        check_spelling(args, app);
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
        finish(options);
    } catch (const CLI::CallForHelp&) {
        result.help = true;
        result.message = app.help();
        return result;
    } catch (const CLI::CallForVersion& v) {
        result.help = true;
        result.message = std::string(v.what()) + '\n';
        return result;
    } catch (const CLI::ParseError& e) {
        result.exit_code = 2;
        result.message = e.what();
        return result;
    } catch (const Malformed& m) {
        result.exit_code = 2;
        result.message = m.message;
        return result;
    }
    result.options = std::move(options);
    return result;
}

}  // namespace tavolin::sim
