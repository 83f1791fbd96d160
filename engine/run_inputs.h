// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a run's inputs: the packet run reads them at every packet, the continuous start once.
#pragma once

#include <optional>

#include "engine/run_io.h"

namespace tavolin {

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

}  // namespace tavolin
