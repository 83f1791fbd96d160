// SPDX-License-Identifier: GPL-3.0-or-later
// Bit transition matrices of the two channel types, rows for a sent 0 and a sent 1.
#pragma once

#include "core/types.h"

namespace tavolin::testing_support {

inline matr inversion(Extended i0, Extended i1) {
    return {{1 - i0, i0}, {i1, 1 - i1}};
}

inline matr erasure(Extended i0, Extended e0, Extended i1, Extended e1) {
    return {{1 - i0 - e0, i0, e0}, {i1, 1 - i1 - e1, e1}};
}

}  // namespace tavolin::testing_support
