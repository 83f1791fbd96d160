# SPDX-License-Identifier: GPL-3.0-or-later
# Files of vector lanes are compiled for the whole build's baseline and give their own functions
# their instruction sets in the source (GCC's `#pragma GCC target`, clang's `#pragma clang
# attribute`), so inline functions they share with other files keep the baseline. The programs
# pick a path at run time. Clang is only told not to warn of the GCC branch it does not take.
function(tavolin_lane_files)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS "-Wno-unknown-warning-option")
  endif()
endfunction()
