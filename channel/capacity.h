// SPDX-License-Identifier: GPL-3.0-or-later
// The capacity of the binary-input channel a bit transition matrix describes: the most
// information one channel use can carry, in bits, over every distribution of the sent bit.
#pragma once

#include "core/types.h"

namespace tavolin {

// `isk`: 2 rows (sent 0, sent 1) of 2 (inversion) or 3 (erasure) columns, each row a
// distribution. The mutual information is concave in the share of sent ones, so its maximum is
// found by a golden-section search on [0, 1], to within 1e-15 bits.
Extended channel_capacity(const matr& isk);

// The mutual information I(X; Y) of the channel when a 1 is sent with probability `ones`.
Extended mutual_information(const matr& isk, Extended ones);

}  // namespace tavolin
