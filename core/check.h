// SPDX-License-Identifier: GPL-3.0-or-later
// Broken invariants: a programming error stops the program where it is found, in every build.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace tavolin {

[[noreturn]] inline void broken_invariant(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: broken invariant: %s\n", file, line, what);
    std::abort();
}

}  // namespace tavolin

#define TAVOLIN_CHECK(condition, what) \
    ((condition) ? void(0) : ::tavolin::broken_invariant(__FILE__, __LINE__, what))
#define TAVOLIN_UNREACHABLE(what) ::tavolin::broken_invariant(__FILE__, __LINE__, what)
