// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel/matrices.h"

#include <cmath>

#include "channel/noise.h"
#include "codes/bitstring.h"
#include "codes/code.h"
#include "core/sums.h"

namespace tavolin {

namespace {

constexpr Word max_comb = 15;

// Below this the remainder of a row is rounding noise, not a probability.
constexpr Extended kNegligible = 1e-7L;

}  // namespace

matr kan_matr(const matr& isk, Byte razm) {
    matr k_m(razm, vect(razm + 1u, 0));
    for (Word i = 0; i < razm; ++i) {
        vect& row = k_m[i];
        row[razm] = 0;
        for (Word j = 0; j < razm; ++j) row[j] = veroyatn(i, j, 4, isk);
        row[razm] = 1 - Sum(row);
        if (std::fabs(row[razm]) < kNegligible) row[razm] = 0;
    }
    return k_m;
}

matr kan_matr_big(const matr& isk, Byte razm) {
    // Symbols travel as their own 4-bit words here, whatever code is selected: word j is
    // symbol j when j is in the alphabet.
    matr k_m(razm, vect(razm + 1u, 0));
    for (Word i = 0; i < razm; ++i) {
        vect& row = k_m[i];
        for (Word j = 0; j <= max_comb; ++j) {
            const Extended p = veroyatn(i, j, 4, isk);
            if (rast(i, j) == 1)
                row[i] += p;
            else if (j < razm)
                row[j] += p;
        }
        row[razm] = std::fabs(1 - Sum(row));
        if (row[razm] < kNegligible) row[razm] = 0;
    }
    return k_m;
}

void encode_mass(const Code& code, vectw& mass) {
    for (std::size_t i = 0; i < mass.size(); ++i) mass[i] = code.encode_one(static_cast<Word>(i));
}

Byte posit(const vectw& inpa, Word inpc) {
    for (std::size_t i = 0; i < inpa.size(); ++i)
        if (inpa[i] == inpc) return static_cast<Byte>(i);
    return static_cast<Byte>(inpa.size());
}

}  // namespace tavolin
