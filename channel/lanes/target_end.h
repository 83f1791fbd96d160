// SPDX-License-Identifier: GPL-3.0-or-later
// Closes the region opened by channel/lanes/target_avx2.h or channel/lanes/target_avx512.h.
// No include guard: each lane file closes its own region.
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
