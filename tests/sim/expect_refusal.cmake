# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the command and checks a refusal: exit status 2, the expected text on stderr, empty stdout.
execute_process(COMMAND ${EXE} ${ARGS}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "exit status ${status}, expected 2; stderr: ${err}")
endif()
if(NOT out STREQUAL "")
  message(FATAL_ERROR "stdout not empty: ${out}")
endif()
string(FIND "${err}" "${EXPECTED}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "stderr lacks '${EXPECTED}': ${err}")
endif()
