// SPDX-License-Identifier: GPL-3.0-or-later
// The steps a packet run and a continuous step share: one packet through the source, the code
// and the channel; the a priori channel matrix of the model chosen; and the a posteriori matrix
// from counted (sent, received) pairs.
#pragma once

#include "codes/code.h"
#include "core/sim_state.h"

namespace tavolin {

// One packet: its sent symbols and its coded, received and decoded words, all of one length.
struct Packet {
    vectb inp_s;
    vectenc s2_coded;
    vectenc s3_noise;
    vectenc s4;
    bool erased = false;  // some bit arrived erased

    explicit Packet(std::size_t sz) : inp_s(sz), s2_coded(sz), s3_noise(sz), s4(sz) {}
    std::size_t size() const { return inp_s.size(); }
};

// This thread's packet, resized to `sz` words and reused from run to run, so that a run neither
// allocates nor clears its buffers. Every pass writes its words whole, so nothing of an earlier
// packet shows through. Valid until the next call on the same thread.
Packet& scratch_packet(std::size_t sz);

// Draws the packet's symbols from the source stream (adding each to `counts`), encodes them and
// sends every word through the channel `isk` on the noise stream.
void transmit(SimState& st, const Code& code, const vect& probs, const matr& isk, Packet& p,
              vectc& counts);

// Decodes what arrived, tie-breaks continuing from `RandSeed`, and adds the packet's error
// counts to `errors` and, when `pairs` is given, its (sent symbol, received class) pairs.
// `sent` holds how often each symbol was drawn for this packet; `run_words` how many words the
// run has sent with it, over which a table of received words pays back.
void decode_and_count(SimState& st, const Code& code, Packet& p, const vectc& sent, Count run_words,
                      ErrorCounters& errors, matrc* pairs);

// The channel-matrix column a decoded word is counted in: its symbol when it is one of the
// alphabet's and carries no erasure marks, else n, the other column.
inline Byte received_class(enc_sym decoded, Byte n) {
    return decoded.inv <= n - 1 && decoded.stir == 0 ? static_cast<Byte>(decoded.inv) : n;
}

// Adds the packet's (sent symbol, received class) pairs to `pairs` (n rows of n + 1).
void count_pairs(const Packet& p, matrc& pairs);

// counts[i] / total for every symbol.
vect frequencies(const vectc& counts, Extended total);

// The a priori channel matrix of n symbols: `kan_matr_big` when the model switch is on, else
// `kan_matr`.
matr apriori_matrix(const matr& isk, Byte n, bool model_switch);

// The a posteriori channel matrix: every row of counted pairs divided by its total; a symbol
// never sent keeps a row of zeros.
matr posterior_matrix(const matrc& pairs);
// The same of rows of weights: the expected counts of an exact calculation, say.
matr posterior_matrix(matr weights);

}  // namespace tavolin
