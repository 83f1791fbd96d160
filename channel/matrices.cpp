#include "channel/matrices.h"

#include <cmath>

#include "channel/noise.h"
#include "codes/bitstring.h"
#include "codes/continuous.h"
#include "codes/cyclic.h"
#include "codes/dispatch.h"
#include "codes/hamming.h"
#include "engine/sums.h"

namespace tavolin {

namespace {

constexpr Word max_comb = 15;

// Below this the remainder of a row is rounding noise, not a probability.
constexpr Extended kNegligible = 1e-7L;

fcode coder_of(Byte coding_type) {
    switch (coding_type) {
        case kHamming:
            return encode_matr_one;
        case kContinuous:
            return encode_nepr_one;
        case kNoCoding:
            return encode_apriory_one;
        default:
            return encode_cycle_one;
    }
}

void fill_mass(const SimState& st, Byte coding_type, vectw& mass) {
    const fcode coder = coder_of(coding_type);
    for (std::size_t i = 0; i < mass.size(); ++i) mass[i] = coder(st, static_cast<Word>(i));
}

}  // namespace

void kan_matr(matr& k_m, const matr& isk, Byte razm) {
    k_m.assign(razm, vect(razm + 1u, 0));
    for (Word i = 0; i < razm; ++i) {
        vect& row = k_m[i];
        row[razm] = 0;
        for (Word j = 0; j < razm; ++j) row[j] = veroyatn(i, j, 4, isk);
        row[razm] = 1 - Sum(row);
        if (std::fabs(row[razm]) < kNegligible) row[razm] = 0;
    }
}

void kan_matr_big(matr& k_m, const matr& isk, Byte razm) {
    // Symbols travel as their own 4-bit words here, whatever code is selected.
    vectw table(razm);
    fill_mass(SimState{}, kNoCoding, table);
    k_m.assign(razm, vect(razm + 1u, 0));
    for (Word i = 0; i < razm; ++i) {
        vect& row = k_m[i];
        for (Word j = 0; j <= max_comb; ++j) {
            const Extended p = veroyatn(i, j, 4, isk);
            if (rast(i, j) == 1)
                row[i] += p;
            else if (const Byte s = posit(table, j); s < razm)
                row[s] += p;
        }
        row[razm] = std::fabs(1 - Sum(row));
        if (row[razm] < kNegligible) row[razm] = 0;
    }
}

void encode_mass(const SimState& st, vectw& mass) {
    fill_mass(st, st.coding_type, mass);
}

Byte posit(const vectw& inpa, Word inpc) {
    for (std::size_t i = 0; i < inpa.size(); ++i)
        if (inpa[i] == inpc) return static_cast<Byte>(i);
    return static_cast<Byte>(inpa.size());
}

}  // namespace tavolin
