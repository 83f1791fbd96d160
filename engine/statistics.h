// What every run does at its end: count distorted, detected and corrected words, classify the
// received symbols, and publish the labels, the charts and the matrices.
#pragma once

#include "codes/code.h"
#include "engine/run_io.h"
#include "engine/sim_state.h"

namespace tavolin {

// One packet: its sent symbols and its coded, received and decoded words, all of one length.
struct Packet {
    vectb inp_s;
    vectenc s2_coded;
    vectenc s3_noise;
    vectenc s4;

    explicit Packet(std::size_t sz) : inp_s(sz), s2_coded(sz), s3_noise(sz), s4(sz) {}
    std::size_t size() const { return inp_s.size(); }
};

// Adds (or, with reset, assigns) the packet's counts to the state's counters.
void count_errors(SimState& st, const Packet& p, const Code& code, bool reset);

// Label14 and Label12: detected / distorted and corrected / detected, 0 for an empty divisor.
void show_shares(const SimState& st, RunOutputs& out);

// The channel-matrix column a decoded word is counted in: its symbol when it is one of the
// alphabet's and carries no erasure marks, else n, the other column.
inline Byte received_class(enc_sym decoded, Byte n) {
    return decoded.inv <= n - 1 && decoded.stir == 0 ? static_cast<Byte>(decoded.inv) : n;
}

// Entropies, redundancy, matrices (a priori one only when given) and both charts.
void show_results(const SimState& st, const RunInputs& in, RunOutputs& out, const vect& apr,
                  const vect& apost, const matr& k_m, const matr* k_m_apriori);

}  // namespace tavolin
