// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel/measures.h"

#include <cmath>

namespace tavolin {

Extended entropy(const vect& inp) {
    Extended h = 0;
    for (Extended p : inp)
        if (p > 0) h -= p * std::log2(p);
    return h;
}

Measures apriori(const matr& k_m, const vect& ver) {
    Measures m;
    m.source = entropy(ver);

    // The column totals and both entropies are kept in double, each partial result rounded
    // when stored; every logarithm is still taken in extended precision.
    // A column total that is not positive is carried into the next column's total: only a
    // positive one is taken into H(Y) and restarts the sum.
    double h_v = 0;
    double q = 0;
    const std::size_t columns = k_m.size() + 1;
    for (std::size_t c = 0; c < columns; ++c) {
        for (std::size_t r = 0; r < ver.size(); ++r)
            q = static_cast<double>(q + ver[r] * k_m[r][c]);
        if (q > 0) {
            h_v = static_cast<double>(h_v - q * std::log2(static_cast<Extended>(q)));
            q = 0;
        }
    }

    double h_v_u = 0;
    for (std::size_t r = 0; r < ver.size(); ++r) {
        Extended h = 0;
        for (Extended p : k_m[r])
            if (p > 0) h -= p * std::log2(p);
        h_v_u = static_cast<double>(h_v_u + ver[r] * h);
    }

    m.receiver = h_v;
    m.noise = h_v_u;
    m.lost = m.source - m.receiver + m.noise;
    return m;
}

}  // namespace tavolin
