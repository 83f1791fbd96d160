// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lanes.h"

#include <atomic>
#include <cstdlib>

#include "core/check.h"

namespace tavolin {

namespace {

std::atomic<Lanes>& chosen() {
    static std::atomic<Lanes> lanes{best_lanes()};
    return lanes;
}

}  // namespace

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

Lanes active_lanes() {
    return chosen().load(std::memory_order_relaxed);
}

void use_lanes(Lanes lanes) {
    TAVOLIN_CHECK(lanes_supported(lanes), "lanes this processor cannot run");
    chosen().store(lanes);
}

std::optional<std::string> use_lanes_from_environment() {
    const char* name = std::getenv("TAVOLIN_LANES");
    if (name == nullptr || *name == '\0') return std::nullopt;
    for (Lanes l : kAllLanes) {
        if (std::string_view(name) != lanes_name(l)) continue;
        if (!lanes_supported(l))
            return std::string("TAVOLIN_LANES=") + name + ": this processor cannot run it";
        use_lanes(l);
        return std::nullopt;
    }
    return std::string("TAVOLIN_LANES=") + name + ": not one of scalar, sse2, avx2, avx512";
}

}  // namespace tavolin
