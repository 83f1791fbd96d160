// SPDX-License-Identifier: GPL-3.0-or-later
// Opens a region whose functions are compiled for AVX2; channel/lanes/target_end.h closes it.
// Include it after every other header: inline functions of those keep the baseline, so no copy
// of theirs can bring AVX2 to a processor without it. No include guard: each lane file opens
// its own region.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,popcnt"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2,popcnt")
#endif
