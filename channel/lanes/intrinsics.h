// SPDX-License-Identifier: GPL-3.0-or-later
// The x86 intrinsics for the lane files.
// GCC 12's own AVX-512 headers fill unused results from _mm512_undefined_*(), which it then
// reports as maybe uninitialized (GCC bug 105593): silenced for these headers alone.
#pragma once

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
