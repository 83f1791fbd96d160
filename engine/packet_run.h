// The packet run and the reading of a run's inputs, which the continuous start shares.
#pragma once

#include <optional>

#include "engine/run_io.h"
#include "engine/sim_state.h"

namespace tavolin {

inline constexpr int kMaxPacketSize = 50000;
inline constexpr int kMaxSymbols = 16;
inline constexpr int kMinSymbols = 9;

// The inputs of a run, read and checked.
struct RunSetup {
    Word sz = 0;  // packet size
    vect probs;   // the alphabet's probabilities, n = probs.size()
    matr isk;     // bit transition matrix: 2 rows of 2 (inversion) or 3 (erasure) columns
};

enum class ReadMode {
    Packet,      // shows the packet size at once; no noise type ends the run silently
    Continuous,  // the continuous start: its own texts, and no noise type is refused
};

// Reads and checks the inputs in the run's order: packet size, alphabet, exact sum, channel.
// Reports a refusal or a failed conversion through `out` and returns nothing then.
std::optional<RunSetup> read_run_inputs(const RunInputs& in, RunOutputs& out, ReadMode mode);

// One packet end to end, with the inputs read afresh.
void doPocket(SimState& st, const RunInputs& in, RunOutputs& out);

}  // namespace tavolin
