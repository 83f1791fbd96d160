// SPDX-License-Identifier: GPL-3.0-or-later
// The exact calculation's two reports, with the names a study's columns carry: text, and one
// JSON object whose 80-bit values are written in 21 digits (they read back as the same values).
#pragma once

#include <ostream>

#include "engine/exact.h"

namespace tavolin::sim {

void print_exact_text(std::ostream& out, const ExactValues& x);
void print_exact_json(std::ostream& out, const ExactValues& x);

}  // namespace tavolin::sim
