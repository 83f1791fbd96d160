// SPDX-License-Identifier: GPL-3.0-or-later
// The width of the vector lanes the engine's hot loops use, chosen once at start from what the
// processor supports; TAVOLIN_LANES=scalar|sse2|avx2|avx512 forces one, for tests and for
// comparison. Every path gives the same draws, bit for bit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavolin {

enum class Lanes { scalar, sse2, avx2, avx512 };

inline constexpr Lanes kAllLanes[] = {Lanes::scalar, Lanes::sse2, Lanes::avx2, Lanes::avx512};

const char* lanes_name(Lanes lanes);
bool lanes_supported(Lanes lanes);
// The widest path this processor runs.
Lanes best_lanes();

// The path in use: the best supported unless chosen otherwise.
Lanes active_lanes();
// Chooses the path; it must be supported.
void use_lanes(Lanes lanes);

// Applies TAVOLIN_LANES when it is set. Returns the message for a name that is not a path or a
// path this processor cannot run; the path in use is then left as it was.
std::optional<std::string> use_lanes_from_environment();

}  // namespace tavolin
