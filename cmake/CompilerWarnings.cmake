# Warnings are a property of targets: every target links tavolin_warnings.
add_library(tavolin_warnings INTERFACE)
target_compile_options(tavolin_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(TAVOLIN_WERROR)
  target_compile_options(tavolin_warnings INTERFACE -Werror)
endif()
