// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel/lanes/paths.h"

#include "core/check.h"

namespace tavolin {

const char* lanes_name(Lanes lanes) {
    switch (lanes) {
        case Lanes::scalar:
            return "scalar";
        case Lanes::sse2:
            return "sse2";
        case Lanes::avx2:
            return "avx2";
        case Lanes::avx512:
            return "avx512";
    }
    TAVOLIN_UNREACHABLE("unknown lanes");
}

std::optional<Lanes> lanes_from_name(std::string_view name) {
    for (Lanes l : kAllLanes)
        if (name == lanes_name(l)) return l;
    return std::nullopt;
}

bool lanes_supported(Lanes lanes) {
#if defined(__x86_64__)
    switch (lanes) {
        case Lanes::scalar:
        case Lanes::sse2:
            return true;  // every x86-64 processor has SSE2
        case Lanes::avx2:
            return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
        case Lanes::avx512:
            return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                   __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("popcnt");
    }
    return false;
#else
    return lanes == Lanes::scalar;
#endif
}

Lanes best_lanes() {
    for (Lanes l : {Lanes::avx512, Lanes::avx2, Lanes::sse2})
        if (lanes_supported(l)) return l;
    return Lanes::scalar;
}

}  // namespace tavolin
