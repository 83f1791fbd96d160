// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's module state: one object that the window or the command owns and passes
// by reference. Members keep the names of the module variables they stand for.
#pragma once

#include "core/types.h"

namespace tavolin {

// Distorted, detected and corrected words. An accumulating run adds each packet's counts
// to its totals; a packet run replaces them.
struct ErrorCounters {
    Count iskaj = 0;  // distorted
    Count oshib = 0;  // distorted and detected
    Count ispr = 0;   // detected and decoded back to the sent symbol

    void reset() { *this = ErrorCounters{}; }
    ErrorCounters& operator+=(const ErrorCounters& o) {
        iskaj += o.iskaj;
        oshib += o.oshib;
        ispr += o.ispr;
        return *this;
    }
    friend bool operator==(const ErrorCounters&, const ErrorCounters&) = default;
};

// What an accumulating continuous run keeps from its start: the inputs read once, the a priori
// matrix, and the counts of everything drawn and received since.
struct ContinuousTotals {
    Word pocket_size = 0;
    vect alph_ver_main;  // the alphabet's probabilities
    matr isk_main;       // bit transition matrix
    matr k_m_main;       // a priori channel matrix
    vectc sym_povt;      // draws per symbol
    matrc k_m_k_s;       // (sent symbol, received class) pairs

    void reset() { *this = ContinuousTotals{}; }
};

struct SimState {
    // Code parameters.
    Byte coding_type = 0;
    Byte n0 = 0;
    Word Polinom_default = 0;
    Word L_default = 0;
    vectw p_m_x;   // Hamming encoder table
    vectw pr_m_x;  // Hamming parity-check table

    // Random streams: the source (`seed1`), the noise (`seed2`) and the generator's own state,
    // which the erasure decoders' tie-break draws continue from.
    Integer seed1 = 0;
    Integer seed2 = 0;
    Integer RandSeed = 0;

    // Accumulators of a continuous run; empty while none goes on.
    ContinuousTotals totals;

    ErrorCounters errors;
};

}  // namespace tavolin
