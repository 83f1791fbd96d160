// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel/lanes/kernels.h"

#include <atomic>
#include <cstdlib>

#include "channel/lanes/path_kernels.h"
#include "core/check.h"

namespace tavolin {

namespace {

void encode_all(const CodeWords& words, const vectb& inp, vectenc& outp) {
    lanes::encode_words(words, inp, outp, 0);
}

ErrorCounters tally_all(const TallyInput& in, OffDiagonal& off) {
    return lanes::tally_words(in, 0, off);
}

ErrorCounters tally_marked_all(const TallyInput& in, OffDiagonal& off, Integer& RandSeed) {
    return lanes::tally_marked_words(in, 0, off, RandSeed);
}

// Narrowest first, as kAllLanes. SSE2 has neither a gather nor a shuffle of lanes by a
// register, so its table lookups go a word at a time; its draws are in lanes.
const LaneKernels kTables[] = {
    {Lanes::scalar, nullptr, nullptr, nullptr, nullptr, nullptr},
    {Lanes::sse2, lanes::noise_sse2, lanes::draw_sse2, encode_all, tally_all, tally_marked_all},
    {Lanes::avx2, lanes::noise_avx2, lanes::draw_avx2, lanes::encode_avx2, lanes::tally_avx2,
     lanes::tally_marked_avx2},
    {Lanes::avx512, lanes::noise_avx512, lanes::draw_avx512, lanes::encode_avx512,
     lanes::tally_avx512, lanes::tally_marked_avx512},
};

std::atomic<const LaneKernels*>& chosen() {
    static std::atomic<const LaneKernels*> kernels{&kernels_of(best_lanes())};
    return kernels;
}

}  // namespace

const LaneKernels& kernels_of(Lanes lanes) {
    TAVOLIN_CHECK(lanes_supported(lanes), "lanes this processor cannot run");
    return kTables[static_cast<int>(lanes)];
}

const LaneKernels& lane_kernels() {
    return *chosen().load(std::memory_order_relaxed);
}

void use_lanes(Lanes lanes) {
    chosen().store(&kernels_of(lanes));
}

std::optional<std::string> use_lanes_from_environment() {
    const char* name = std::getenv("TAVOLIN_LANES");
    if (name == nullptr || *name == '\0') return std::nullopt;
    const std::optional<Lanes> lanes = lanes_from_name(name);
    if (!lanes)
        return std::string("TAVOLIN_LANES=") + name + ": not one of scalar, sse2, avx2, avx512";
    if (!lanes_supported(*lanes))
        return std::string("TAVOLIN_LANES=") + name + ": this processor cannot run it";
    use_lanes(*lanes);
    return std::nullopt;
}

}  // namespace tavolin
