// Information measures of a channel matrix under a source distribution, in bits per symbol.
#pragma once

#include "engine/types.h"

namespace tavolin {

// Shannon entropy of a vector; entries of 0 or below add nothing.
Extended entropy(const vect& inp);

// apr := {H(X), H(X) - H(Y) + H(Y|X), H(Y), H(Y|X)} for the matrix `k_m` (rows: sent symbols,
// one entry of `ver` each; columns: received symbols and the other column).
void apriori(const matr& k_m, vect& apr, const vect& ver);

// The useful information of a measure vector: |H(Y) - H(Y|X)|.
inline Extended useful_information(const vect& m) {
    const Extended d = m[2] - m[3];
    return d < 0 ? -d : d;
}

}  // namespace tavolin
