// SPDX-License-Identifier: GPL-3.0-or-later
// The property checks of the fuzz targets. Not assert(): the build defines NDEBUG, and a broken
// property must stop the fuzzer with a crash it records, whatever the build type.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tavolin::fuzzing {

[[noreturn]] inline void property_failed(const char* property, const std::string& detail,
                                         const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property failed: %s\n  %s\n", file, line, property,
                 detail.c_str());
    std::abort();
}

}  // namespace tavolin::fuzzing

// Checks `condition`; on failure prints it with `detail` (a std::string, built only then).
#define FUZZ_CHECK(condition, detail)                                                      \
    do {                                                                                   \
        if (!(condition))                                                                  \
            ::tavolin::fuzzing::property_failed(#condition, (detail), __FILE__, __LINE__); \
    } while (false)
