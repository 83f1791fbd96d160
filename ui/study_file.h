// Reading a study back from the JSON that `tavolin-sim sweep` writes and the study window
// saves: its inputs and its cells, every number exactly as written, so that writing the study
// again gives the same file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/study.h"

namespace tavolin::ui {

struct LoadedStudy {
    StudySpec spec;
    std::vector<StudyCell> cells;  // in the file's order
};

// The study `text` holds, or nothing with `reason` saying, in Russian, what is wrong.
std::optional<LoadedStudy> read_study_json(std::string_view text, std::string& reason);

// A code as a study names it: cyclic[:BITS], hamming, continuous[:L] or none, with the checks of
// the coding menu's prompts. Nothing for a name that is none of these.
std::optional<StudyCode> study_code(const std::string& name);

}  // namespace tavolin::ui
