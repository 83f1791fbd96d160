// SPDX-License-Identifier: GPL-3.0-or-later
// The limits of the inputs and the inputs every start begins with, written once for the window,
// the command and the tests.
#pragma once

#include "core/types.h"

namespace tavolin {

inline constexpr int kMaxSymbols = 16;  // rows of the alphabet table: the 4-bit symbols
inline constexpr int kMinSymbols = 9;
inline constexpr int kMaxPacketSize = 50000;

struct StartupInputs {
    int packet_size = 1000;
    Extended probability = 0.0625L;  // of each of the 16 symbols
    Extended inversion0 = 0.1L;      // of a sent 0
    Extended inversion1 = 0.2L;      // of a sent 1
    Extended bit_time = 0.0002L;     // seconds
    Byte coding_type = kCyclic;
    Word polynomial = 13;  // x^3 + x^2 + 1
    Word frame = 3;
};
inline constexpr StartupInputs kStartup{};

}  // namespace tavolin
