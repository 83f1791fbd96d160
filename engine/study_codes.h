// SPDX-License-Identifier: GPL-3.0-or-later
// The codes a study compares, by name: cyclic[:BITS], hamming, continuous[:L] or none. One table
// of the kinds serves the command's --code and --codes, the study window and the study reader.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/code_settings.h"
#include "engine/study.h"

namespace tavolin {

struct CodeKind {
    const char* name;
    Byte coding_type;
    enum class Parameter { None, Polynomial, Frame } parameter;
    bool on_erasure;  // the continuous code has no erasure decoder
};

std::span<const CodeKind> code_kinds();
const CodeKind* code_kind(std::string_view name);
const CodeKind& code_kind(Byte coding_type);

// A code named as a study names it, with the settings prompts' checks of its parameter; or why
// not: an unknown name (no refusal), or the prompt's refusal of the parameter.
struct StudyCodeRead {
    std::optional<StudyCode> code;
    std::optional<SettingRefusal> refusal;
};
StudyCodeRead read_study_code(const std::string& name);

// The state a run of the code starts from: the start-up code parameters with the code's own.
SimState code_state(const StudyCode& code);

}  // namespace tavolin
