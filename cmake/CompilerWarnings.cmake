# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings are a property of targets: every target links tavolin_warnings.
add_library(tavolin_warnings INTERFACE)
target_compile_options(tavolin_warnings INTERFACE
  -Wall -Wextra -Wpedantic
  -Wshadow              # a local that hides another is read for the wrong one
  -Wconversion          # counts, bytes and 80-bit values narrowed without saying so
  -Wold-style-cast      # a C cast hides which conversion it makes
  -Wnon-virtual-dtor    # the run interfaces are deleted through their base
  -Wsuggest-override)   # an overrider that no longer overrides after a base changes
# Clang's -Wconversion also takes in -Wsign-conversion, which GCC's leaves out for C++: the same
# set on both compilers, so the fuzz build (clang) stands under the rules the main build keeps.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  target_compile_options(tavolin_warnings INTERFACE -Wno-sign-conversion)
endif()
if(TAVOLIN_WERROR)
  target_compile_options(tavolin_warnings INTERFACE -Werror)
endif()
