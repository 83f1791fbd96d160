// SPDX-License-Identifier: GPL-3.0-or-later
// The code parameters: their start values and the checks of the settings prompts, shared by
// the window's prompts and the command's options.
#pragma once

#include <optional>
#include <string_view>

#include "core/sim_state.h"

namespace tavolin {

// Code type, polynomial, frame size and the Hamming tables as the first activation sets them.
void init_code_parameters(SimState& st);

enum class SettingRefusal {
    NotBinary,          // the polynomial text is empty, not binary, or zero
    PolynomialRefused,  // too long, or fails the polynomial test
    FrameOutOfRange,    // the frame size is not an integer from 1 to 4
};

struct SettingMessage {
    const char* text;
    const char* caption;
};
SettingMessage setting_message(SettingRefusal why);

// The polynomial prompt's check: a non-zero bit string of at most 13 characters (leading zeros
// counted) whose powers of x run through every remainder. Returns the polynomial or the refusal.
struct PolynomialCheck {
    Word polynomial = 0;
    std::optional<SettingRefusal> refusal;
};
PolynomialCheck check_polynomial_text(std::string_view text);

// The frame-size prompt's check: an integer text from 1 to 4 (anything else reads as 0).
struct FrameCheck {
    Word frame = 0;
    std::optional<SettingRefusal> refusal;
};
FrameCheck check_frame_text(std::string_view text);

}  // namespace tavolin
