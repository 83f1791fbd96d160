# SPDX-License-Identifier: GPL-3.0-or-later
# Checks `cmake --install` of the build tree into a prefix of its own.
#   CHECK=tree      installs, compares the installed files with the expected ones, checks that
#                   the desktop entry, the icon, the metainfo, the manual pages, the changelog and
#                   the copyright file agree with each other and with the project version, and
#                   runs the installed command
#   CHECK=desktop   validates the installed desktop entry (desktop-file-validate)
#   CHECK=metainfo  validates the installed AppStream metainfo (appstreamcli)
#   CHECK=package   makes the Debian package of the tree with CPACK in a directory of its own
#                   (PACKAGE_DIR) and checks it with lintian, which fails on any error or warning
# The validators are optional tools: without one its check says so and is skipped.
cmake_minimum_required(VERSION 3.25)

set(app_id io.github.tavolin.Tavolin)
set(desktop ${PREFIX}/share/applications/${app_id}.desktop)
set(metainfo ${PREFIX}/share/metainfo/${app_id}.metainfo.xml)
set(doc ${PREFIX}/share/doc/tavolin)

function(run_ok)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}: exit status ${status}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(skip_without tool package)
  find_program(found ${tool})
  if(NOT found)
    message("skipped: ${tool} is not installed (Debian package ${package})")
    set(missing TRUE PARENT_SCOPE)
  endif()
  set(tool_path ${found} PARENT_SCOPE)
endfunction()

if(CHECK STREQUAL "tree")
  file(REMOVE_RECURSE ${PREFIX})
  run_ok(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})

  set(expected bin/tavolin-sim share/doc/tavolin/changelog.gz share/doc/tavolin/copyright)
  if(GUI)
    list(APPEND expected bin/tavolin share/applications/${app_id}.desktop
         share/icons/hicolor/scalable/apps/${app_id}.svg share/metainfo/${app_id}.metainfo.xml
         share/man/man1/tavolin.1.gz)
  endif()
  if(MAN)
    list(APPEND expected share/man/man1/tavolin-sim.1.gz)
  endif()
  file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
  list(SORT expected)
  list(SORT installed)
  if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
  endif()

  run_ok(${PREFIX}/bin/tavolin-sim --version)
  if(NOT out STREQUAL "tavolin-sim ${VERSION}\n" OR NOT err STREQUAL "")
    message(FATAL_ERROR "installed tavolin-sim --version printed '${out}' and '${err}'")
  endif()
  run_ok(${PREFIX}/bin/tavolin-sim --seed1 1 --seed2 2 --size 20)
  if(NOT out MATCHES "20")
    message(FATAL_ERROR "installed tavolin-sim ran without its report: '${out}'")
  endif()

  if(GUI)
    run_ok(test -x ${PREFIX}/bin/tavolin)
    # The entry starts the installed window program, by name, and shows the installed icon.
    file(STRINGS ${desktop} exec REGEX "^Exec=")
    file(STRINGS ${desktop} icon REGEX "^Icon=")
    if(NOT exec STREQUAL "Exec=tavolin" OR NOT icon STREQUAL "Icon=${app_id}")
      message(FATAL_ERROR "desktop entry: '${exec}', '${icon}'")
    endif()
    file(READ ${PREFIX}/share/icons/hicolor/scalable/apps/${app_id}.svg svg)
    if(NOT svg MATCHES "<svg[^>]*viewBox=\"0 0 128 128\"")
      message(FATAL_ERROR "the icon is not a square SVG drawing")
    endif()
    # The metainfo launches that entry, and its newest release is this version.
    file(READ ${metainfo} xml)
    string(FIND "${xml}" "<launchable type=\"desktop-id\">${app_id}.desktop</launchable>" at)
    string(REGEX MATCH "<release version=\"([^\"]*)\"" newest "${xml}")
    if(at EQUAL -1 OR NOT CMAKE_MATCH_1 STREQUAL VERSION)
      message(FATAL_ERROR "metainfo: launchable found at ${at}, newest release '${CMAKE_MATCH_1}', "
                          "project version ${VERSION}")
    endif()
  endif()

  # The changelog's newest entry is this version, signed by a maintainer with an address; the
  # copyright file is machine-readable and gives the project's licence.
  run_ok(gzip -dc ${doc}/changelog.gz)
  set(changelog "${out}")
  string(REPLACE "." "\\." version_pattern "${VERSION}")
  if(NOT changelog MATCHES "^tavolin \\(${version_pattern}\\) [a-z]+; urgency=[a-z]+\n"
     OR NOT changelog MATCHES "\n -- [^<>\n]*[^ <>\n] <[^<>@ \n]+@[^<>@ \n]+>  ([^\n]+)\n$")
    message(FATAL_ERROR "changelog:\n${changelog}")
  endif()
  set(changelog_date "${CMAKE_MATCH_1}")
  file(READ ${doc}/copyright copyright)
  foreach(part "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
               "\nFiles: *\n" "\nLicense: GPL-3+\n" "/usr/share/common-licenses/GPL-3")
    string(FIND "${copyright}" "${part}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "the copyright file lacks '${part}'")
    endif()
  endforeach()

  if(GUI)
    if(NOT xml MATCHES "<project_license>GPL-3.0-or-later</project_license>")
      message(FATAL_ERROR "the metainfo's licence is not GPL-3.0-or-later, as the copyright file's")
    endif()
    # The changelog is dated by the metainfo's release of this version, as date -R writes it.
    string(REGEX MATCH "<release version=\"${version_pattern}\" date=\"([^\"]*)\"" release "${xml}")
    run_ok(env LC_ALL=C date -u -R -d "${CMAKE_MATCH_1} 00:00:00Z")
    if(NOT out STREQUAL "${changelog_date}\n")
      message(FATAL_ERROR "changelog dated '${changelog_date}', release ${CMAKE_MATCH_1}: '${out}'")
    endif()
    run_ok(gzip -dc ${PREFIX}/share/man/man1/tavolin.1.gz)
    foreach(part ".TH TAVOLIN 1 " "\"tavolin ${VERSION}\"" "exp.tmp" ".SH SEE ALSO")
      string(FIND "${out}" "${part}" at)
      if(at EQUAL -1)
        message(FATAL_ERROR "the window's manual page lacks '${part}'")
      endif()
    endforeach()
  endif()

  if(MAN)
    run_ok(gzip -dc ${PREFIX}/share/man/man1/tavolin-sim.1.gz)
    foreach(part ".TH TAVOLIN-SIM \"1\"" "tavolin-sim ${VERSION}" "seed1" "EXIT STATUS")
      string(FIND "${out}" "${part}" at)
      if(at EQUAL -1)
        message(FATAL_ERROR "the manual page lacks '${part}'")
      endif()
    endforeach()
  endif()

elseif(CHECK STREQUAL "desktop")
  skip_without(desktop-file-validate desktop-file-utils)
  if(NOT missing)
    run_ok(${tool_path} ${desktop})
    message("${out}${err}")
  endif()

elseif(CHECK STREQUAL "metainfo")
  skip_without(appstreamcli appstream)
  if(NOT missing)
    run_ok(${tool_path} validate --no-net ${metainfo})
    message("${out}${err}")
  endif()

elseif(CHECK STREQUAL "package")
  skip_without(lintian lintian)
  if(NOT missing)
    # A directory of this run's own, so that two runs in one tree cannot mix their staging
    # files; it is kept when the check fails.
    string(RANDOM LENGTH 12 run)
    set(dir ${PACKAGE_DIR}/${run})
    file(MAKE_DIRECTORY ${dir})
    run_ok(${CPACK} -G DEB -B ${dir} --config ${BUILD_DIR}/CPackConfig.cmake)
    file(GLOB debs ${dir}/*.deb)
    list(LENGTH debs count)
    if(NOT count EQUAL 1)
      message(FATAL_ERROR "cpack made ${count} packages: '${debs}'\n${out}${err}")
    endif()
    # Every tag is shown, info ones too; only errors and warnings fail.
    run_ok(${tool_path} --fail-on error,warning --display-info --tag-display-limit 0 ${debs})
    message("${debs}\n${out}${err}")
    file(REMOVE_RECURSE ${dir})
  endif()

else()
  message(FATAL_ERROR "unknown CHECK '${CHECK}'")
endif()
