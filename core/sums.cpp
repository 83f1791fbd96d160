// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sums.h"

namespace tavolin {

Extended Sum(const vect& v) {
    Extended s[4] = {0, 0, 0, 0};
    for (std::size_t k = v.size(); k-- > 0;) s[k % 4] += v[k];
    return s[3] + (s[2] + (s[1] + s[0]));
}

Extended Summa(const vectc& v) {
    Extended total = 0;
    for (Count c : v) total += static_cast<Extended>(c);
    return total;
}

}  // namespace tavolin
