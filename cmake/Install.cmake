# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts in place: the two programs, and for the desktop the entry, the icon
# and the AppStream metainfo under one id, the manual pages, and in share/doc/tavolin the
# copyright file and the changelog in Debian's formats.
include(GNUInstallDirs)

set(TAVOLIN_APP_ID io.github.tavolin.Tavolin)

# Who made this build's package: the package's maintainer and the changelog's signature. A
# distributor sets their own, in the "Name <address>" form Debian requires. The project's own
# address stays the copyright file's upstream contact.
set(TAVOLIN_UPSTREAM_CONTACT "Tavolin developers <tavolin@users.noreply.github.com>")
set(TAVOLIN_MAINTAINER "${TAVOLIN_UPSTREAM_CONTACT}" CACHE STRING
    "Maintainer of the Debian package, as Name <address>")
if(NOT TAVOLIN_MAINTAINER MATCHES "^[^<>]*[^ <>] <[^<>@ ]+@[^<>@ ]+>$")
  message(FATAL_ERROR "TAVOLIN_MAINTAINER '${TAVOLIN_MAINTAINER}' is not of the form Name <address>")
endif()

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

# The command's manual page is made from its own --help and --version, so it cannot drift from
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

# The changelog and the window's manual page are dated by this version's release in the
# metainfo, not by the day of the build, so every build of a version makes the same files.
# Sets ISO to the release's YYYY-MM-DD and RFC2822 to its midnight UTC as Debian's changelog
# writes it.
function(tavolin_release_date metainfo version iso rfc2822)
  file(READ ${metainfo} text)
  string(REPLACE "." "\\." version_pattern "${version}")
  if(NOT text MATCHES "<release version=\"${version_pattern}\" date=\"(([0-9]+)-([0-9][0-9])-([0-9][0-9]))\"")
    message(FATAL_ERROR "${metainfo} has no <release version=\"${version}\" date=\"YYYY-MM-DD\"/>")
  endif()
  set(${iso} ${CMAKE_MATCH_1} PARENT_SCOPE)
  set(year ${CMAKE_MATCH_2})
  set(day ${CMAKE_MATCH_4})
  string(REGEX REPLACE "^0" "" month ${CMAKE_MATCH_3})
  string(REGEX REPLACE "^0" "" day_number ${day})
  if(month LESS 1 OR month GREATER 12 OR day_number LESS 1 OR day_number GREATER 31)
    message(FATAL_ERROR "${metainfo}: release ${version} has no such date: ${CMAKE_MATCH_1}")
  endif()
  # The day of the week, by Sakamoto's method.
  math(EXPR index "${month} - 1")
  set(month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  list(GET month_offsets ${index} offset)
  set(y ${year})
  if(month LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day_number}) % 7")
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET weekdays ${weekday} weekday_name)
  list(GET months ${index} month_name)
  set(${rfc2822} "${weekday_name}, ${day} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

set(TAVOLIN_METAINFO ${CMAKE_CURRENT_SOURCE_DIR}/packaging/${TAVOLIN_APP_ID}.metainfo.xml)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TAVOLIN_METAINFO})
tavolin_release_date(${TAVOLIN_METAINFO} ${PROJECT_VERSION} TAVOLIN_RELEASE_DATE
                     TAVOLIN_RELEASE_RFC2822)

set(doc_dir ${CMAKE_BINARY_DIR}/doc)
configure_file(packaging/copyright.in ${doc_dir}/copyright @ONLY)
configure_file(packaging/changelog.in ${doc_dir}/changelog @ONLY)
set(doc_outputs ${doc_dir}/changelog.gz)
if(TAVOLIN_GUI)
  configure_file(packaging/tavolin.1.in ${doc_dir}/tavolin.1 @ONLY)
  list(APPEND doc_outputs ${doc_dir}/tavolin.1.gz)
endif()
# gzip -n leaves out the name and the time, so the compressed files are reproducible too.
foreach(output IN LISTS doc_outputs)
  string(REGEX REPLACE "\\.gz$" "" input ${output})
  get_filename_component(name ${input} NAME)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9nkf ${input}
    DEPENDS ${input}
    COMMENT "Compressing ${name}"
    VERBATIM)
endforeach()
add_custom_target(tavolin_docs ALL DEPENDS ${doc_outputs})
install(FILES ${doc_dir}/copyright ${doc_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(TAVOLIN_GUI)
  install(FILES ${doc_dir}/tavolin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
