// SPDX-License-Identifier: GPL-3.0-or-later
// The widths of vector lanes the engine's hot loops come in, and which of them this processor
// runs. Every path gives the same draws and counts, bit for bit; channel/lanes/kernels.h holds
// the one in use.
#pragma once

#include <optional>
#include <string_view>

namespace tavolin {

enum class Lanes { scalar, sse2, avx2, avx512 };

// Narrowest first: a path runs wherever a wider one does.
inline constexpr Lanes kAllLanes[] = {Lanes::scalar, Lanes::sse2, Lanes::avx2, Lanes::avx512};

const char* lanes_name(Lanes lanes);
std::optional<Lanes> lanes_from_name(std::string_view name);
bool lanes_supported(Lanes lanes);
// The widest path this processor runs.
Lanes best_lanes();

}  // namespace tavolin
