# Warnings are a property of targets: every target links tavolin_warnings.
add_library(tavolin_warnings INTERFACE)
target_compile_options(tavolin_warnings INTERFACE
  -Wall -Wextra -Wpedantic
  -Wshadow              # a local that hides another is read for the wrong one
  -Wconversion          # counts, bytes and 80-bit values narrowed without saying so
  -Wold-style-cast      # a C cast hides which conversion it makes
  -Wnon-virtual-dtor    # the run interfaces are deleted through their base
  -Wsuggest-override)   # an overrider that no longer overrides after a base changes
if(TAVOLIN_WERROR)
  target_compile_options(tavolin_warnings INTERFACE -Werror)
endif()
