# Files of vector lanes are compiled for the whole build's baseline and choose their instruction
# sets per function with `#pragma GCC target`. Clang ignores that pragma: it gets each file's
# sets as options (and is told not to warn of the GCC-only pragmas), so the clang fuzz build
# compiles them too. The programs still pick a path at run time.
function(tavolin_lane_files lanes)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    return()
  endif()
  if(lanes STREQUAL "avx2")
    set(options -mavx2 -mpopcnt)
  elseif(lanes STREQUAL "avx512")
    set(options -mavx512f -mavx512bw -mavx512vl -mpopcnt)
  else()
    message(FATAL_ERROR "unknown lanes: ${lanes}")
  endif()
  set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS
    "${options};-Wno-unknown-pragmas;-Wno-unknown-warning-option")
endfunction()
