# SPDX-License-Identifier: GPL-3.0-or-later
# One AddressSanitizer + UndefinedBehaviorSanitizer configuration, switched on per build tree.
add_library(tavolin_sanitizers INTERFACE)
if(TAVOLIN_SANITIZE)
  target_compile_options(tavolin_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(tavolin_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
# The fuzz build (clang, libFuzzer): every target carries the coverage the fuzzer steers by;
# the fuzz targets alone link its driver (fuzz/CMakeLists.txt).
if(TAVOLIN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TAVOLIN_FUZZ needs clang and its libFuzzer: configure with CXX=clang++")
  endif()
  target_compile_options(tavolin_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()
