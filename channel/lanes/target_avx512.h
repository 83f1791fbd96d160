// SPDX-License-Identifier: GPL-3.0-or-later
// Opens a region whose functions are compiled for AVX-512 (foundation, byte and word, vector
// length); channel/lanes/target_end.h closes it. Include it after every other header: inline
// functions of those keep the baseline, so no copy of theirs can bring AVX-512 to a processor
// without it. No include guard: each lane file opens its own region.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f,avx512bw,avx512vl,popcnt"))), \
                             apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f,avx512bw,avx512vl,popcnt")
#endif
