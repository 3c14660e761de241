# Runs one scenario through the simulator in a fresh server dir and compares
# what came out with what is expected, byte for byte:
#   NAME.json        the scenario
#   NAME.trace.jsonl the expected trace (standard output)
#   NAME.dump.txt    the expected dump file; without it no dump may be written
#   NAME.summary.txt the expected summary (standard error), for a scenario
#                    that writes no dump file, whose path the summary would show
#   NAME.error.txt   for a scenario that must be refused: the expected error
#                    line (standard error), exit status 2, no trace, and no
#                    server dir made
# Usage: cmake -DSIMULATOR=... -DSCENARIO_DIR=... -DNAME=... -DWORK_DIR=...
#        [-DEMULATOR=...] [-DLINE_END=CRLF] -P check_scenario.cmake
# EMULATOR is the command, its words joined by "|", that runs the simulator
# (Wine for a Windows cross-build). With LINE_END=CRLF (Windows) every line
# of the trace, the error and the dump must end with CR LF, and is compared
# with the expected files' LF line ends as equal.

include(${CMAKE_CURRENT_LIST_DIR}/simulator_check.cmake)
require_definitions(check_scenario.cmake SIMULATOR SCENARIO_DIR NAME WORK_DIR)
set(check_prefix "${NAME}: ")

# Reports a mismatch between two files with a unified diff when `diff` is
# there, else with both contents.
function(expect_same_file expected actual what)
  set(compare_options "")
  set(diff_options "")
  if(LINE_END STREQUAL "CRLF")
    set(compare_options --ignore-eol)
    set(diff_options --strip-trailing-cr)
  endif()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E compare_files ${compare_options} "${expected}" "${actual}"
    RESULT_VARIABLE different OUTPUT_QUIET ERROR_QUIET)
  if(NOT different)
    return()
  endif()
  find_program(DIFF_PROGRAM diff)
  if(DIFF_PROGRAM)
    execute_process(COMMAND ${DIFF_PROGRAM} -u ${diff_options} "${expected}" "${actual}"
                    OUTPUT_VARIABLE shown)
  else()
    file(READ "${expected}" expected_text)
    file(READ "${actual}" actual_text)
    set(shown "--- expected\n${expected_text}\n+++ actual\n${actual_text}\n")
  endif()
  message(SEND_ERROR "${NAME}: ${what} differs from ${expected}:\n${shown}")
  math(EXPR count "${failures} + 1")
  set(failures ${count} PARENT_SCOPE)
endfunction()

# With LINE_END=CRLF: expects every line of the file to end with CR LF. The
# bytes are read as hex, two digits and a space each, since a plain read
# drops CR.
function(expect_crlf_lines file)
  if(NOT LINE_END STREQUAL "CRLF" OR NOT EXISTS "${file}")
    return()
  endif()
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
  string(REPLACE "0d 0a " "" without_crlf "${bytes}")
  if(without_crlf MATCHES "0a ")
    message(SEND_ERROR "${NAME}: ${file} has a line that does not end with CR LF")
    math(EXPR count "${failures} + 1")
    set(failures ${count} PARENT_SCOPE)
  endif()
endfunction()

set(server_dir "${WORK_DIR}/server")
set(trace "${WORK_DIR}/trace.jsonl")
set(errors "${WORK_DIR}/stderr.txt")
set(dump "${server_dir}/ArkApi/Plugins/dravelquin/dinoDump.txt")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

execute_process(
  COMMAND ${emulator} "${SIMULATOR}" --server-dir "${server_dir}" "${NAME}.json"
  WORKING_DIRECTORY "${SCENARIO_DIR}"
  OUTPUT_FILE "${trace}"
  ERROR_FILE "${errors}"
  RESULT_VARIABLE status)
expect_crlf_lines("${trace}")
expect_crlf_lines("${errors}")
expect_crlf_lines("${dump}")

if(EXISTS "${SCENARIO_DIR}/${NAME}.error.txt")
  expect("exit status ${status}, expected 2" status EQUAL 2)
  expect_same_file("${SCENARIO_DIR}/${NAME}.error.txt" "${errors}" "the error")
  file(SIZE "${trace}" trace_size)
  expect("a refused scenario wrote a trace" trace_size EQUAL 0)
  expect("a refused scenario made the server dir" NOT EXISTS "${server_dir}")
else()
  if(NOT status EQUAL 0)
    file(READ "${errors}" error_text)
    expect("exit status ${status}, expected 0: ${error_text}" status EQUAL 0)
  endif()
  expect_same_file("${SCENARIO_DIR}/${NAME}.trace.jsonl" "${trace}" "the trace")
  if(EXISTS "${SCENARIO_DIR}/${NAME}.dump.txt")
    expect("no dump file was written" EXISTS "${dump}")
    if(EXISTS "${dump}")
      expect_same_file("${SCENARIO_DIR}/${NAME}.dump.txt" "${dump}" "the dump")
    endif()
  else()
    expect("a dump file was written, none expected" NOT EXISTS "${dump}")
  endif()
  if(EXISTS "${SCENARIO_DIR}/${NAME}.summary.txt")
    expect_same_file("${SCENARIO_DIR}/${NAME}.summary.txt" "${errors}" "the summary")
  endif()
endif()

finish_checks()
