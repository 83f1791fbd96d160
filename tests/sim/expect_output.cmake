# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the command and checks a success: exit status 0, stdout exactly EXPECTED (or matching the
# regular expression MATCH), empty stderr.
execute_process(COMMAND ${EXE} ${ARGS}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "exit status ${status}, expected 0; stderr: ${err}")
endif()
if(DEFINED MATCH)
  if(NOT out MATCHES "${MATCH}")
    message(FATAL_ERROR "stdout '${out}' does not match '${MATCH}'")
  endif()
elseif(NOT out STREQUAL EXPECTED)
  message(FATAL_ERROR "stdout '${out}', expected '${EXPECTED}'")
endif()
if(NOT err STREQUAL "")
  message(FATAL_ERROR "stderr not empty: ${err}")
endif()
