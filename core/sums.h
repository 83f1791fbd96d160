// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/types.h"

namespace tavolin {

// Sum of a probability vector in a fixed order: four partial sums S0..S3, element k going to
// S(k mod 4), each partial sum taken from the highest index down, then S3 + (S2 + (S1 + S0)).
// The exact alphabet test compares this with 1, so the order decides borderline sets.
Extended Sum(const vect& v);

// Sum of counts, each taken exactly, added in extended precision from index 0 upward.
Extended Summa(const vectc& v);

}  // namespace tavolin
