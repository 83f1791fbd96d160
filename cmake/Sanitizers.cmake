# One AddressSanitizer + UndefinedBehaviorSanitizer configuration, switched on per build tree.
add_library(tavolin_sanitizers INTERFACE)
if(TAVOLIN_SANITIZE)
  target_compile_options(tavolin_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(tavolin_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
