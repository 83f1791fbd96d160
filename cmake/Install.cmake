# What `cmake --install` puts in place: the two programs, and for the desktop the entry, the icon
# and the AppStream metainfo under one id, and the command's manual page.
include(GNUInstallDirs)

set(TAVOLIN_APP_ID io.github.tavolin.Tavolin)

install(TARGETS tavolin-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TAVOLIN_GUI)
  install(TARGETS tavolin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES packaging/${TAVOLIN_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/tavolin.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${TAVOLIN_APP_ID}.svg)
  install(FILES packaging/${TAVOLIN_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# The manual page is made from the command's own --help and --version, so it cannot drift from
# them. Without help2man the build says so and installs no page.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(TAVOLIN_MAN_PAGE ${CMAKE_BINARY_DIR}/tavolin-sim.1.gz)
  add_custom_command(OUTPUT ${TAVOLIN_MAN_PAGE}
    COMMAND ${HELP2MAN} --no-info --section=1
            "--name=simulate error-control codes over a noisy binary channel"
            --include=${CMAKE_CURRENT_SOURCE_DIR}/packaging/tavolin-sim.h2m
            --output=${CMAKE_BINARY_DIR}/tavolin-sim.1 $<TARGET_FILE:tavolin-sim>
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/tavolin-sim.1
    DEPENDS tavolin-sim packaging/tavolin-sim.h2m
    COMMENT "Manual page of tavolin-sim"
    VERBATIM)
  add_custom_target(tavolin_man ALL DEPENDS ${TAVOLIN_MAN_PAGE})
  install(FILES ${TAVOLIN_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: no manual page for tavolin-sim")
endif()
