// SPDX-License-Identifier: GPL-3.0-or-later
// Information measures of a channel matrix under a source distribution, in bits per symbol.
#pragma once

#include "core/types.h"

namespace tavolin {

// Shannon entropy of a vector; entries of 0 or below add nothing.
Extended entropy(const vect& inp);

// The measures of a channel matrix under a source distribution, in bits per symbol.
struct Measures {
    Extended source = 0;    // H(X)
    Extended lost = 0;      // H(X) - H(Y) + H(Y|X), the information lost in the channel
    Extended receiver = 0;  // H(Y)
    Extended noise = 0;     // H(Y|X)

    // The useful information: |H(Y) - H(Y|X)|.
    Extended useful() const {
        const Extended d = receiver - noise;
        return d < 0 ? -d : d;
    }
    friend bool operator==(const Measures&, const Measures&) = default;
};

// The measures of the matrix `k_m` (rows: sent symbols, one entry of `ver` each; columns:
// received symbols and the other column).
Measures apriori(const matr& k_m, const vect& ver);

}  // namespace tavolin
