# The simulator's command line used as an administrator would, with ordinary
# mistakes: each refused in one line with exit status 2 before anything is
# made, a server's own files left alone, and nothing left behind by a run
# whose reader went away.
# Usage: cmake -DSIMULATOR=... -DSCENARIO_DIR=... -DWORK_DIR=... -DVERSION=...
#        [-DEMULATOR=...] [-DLINE_END=CRLF] -P check_command_line.cmake
# EMULATOR is the command, its words joined by "|", that runs the simulator.

include(${CMAKE_CURRENT_LIST_DIR}/simulator_check.cmake)
require_definitions(check_command_line.cmake SIMULATOR SCENARIO_DIR WORK_DIR VERSION)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(scenario "${SCENARIO_DIR}/gate-at-cap.json")

# Expects a refusal: exit status 2, no trace, and one error line that
# matches `pattern`.
macro(expect_refused case pattern)
  expect("${case}: exit status ${status}, expected 2 (${err})" status EQUAL 2)
  string(LENGTH "${out}" out_length)
  expect("${case}: a trace was written" out_length EQUAL 0)
  expect("${case}: the error is not one line matching ${pattern}: ${err}"
         err MATCHES "^dravelquin-sim: ${pattern}\n$")
endmacro()

# A directory as the scenario (it ended in a raw stream-buffer message).
simulate(--server-dir "${WORK_DIR}/unmade" "${WORK_DIR}")
expect_refused("directory scenario" "cannot read the scenario [^\n]+: [^\n]+")
expect("directory scenario: the server dir was made" NOT EXISTS "${WORK_DIR}/unmade")

# A chart that cannot be written, found before the run (it was found after).
simulate(--server-dir "${WORK_DIR}/unmade" --chart "${WORK_DIR}" "${scenario}")
expect_refused("directory chart" "cannot write the chart [^\n]+: [^\n]+")
expect("directory chart: the server dir was made" NOT EXISTS "${WORK_DIR}/unmade")

# A folder named config.json in the server dir (it killed the simulator).
set(folder_config "${WORK_DIR}/folder-config")
file(MAKE_DIRECTORY "${folder_config}/ArkApi/Plugins/dravelquin/config.json")
simulate(--server-dir "${folder_config}" "${scenario}")
expect_refused("folder config.json" "cannot use the server dir: [^\n]+config.json is not a file")

# A server's own config.json: kept unless --overwrite (it was overwritten).
set(server "${WORK_DIR}/server")
set(server_config "${server}/ArkApi/Plugins/dravelquin/config.json")
set(own_config "{\"Dinos\": {}}")
file(WRITE "${server_config}" "${own_config}")
simulate(--server-dir "${server}" "${scenario}")
expect_refused("server's config" "the run would replace [^\n]+config.json, which it did not make[^\n]*")
file(READ "${server_config}" kept)
expect("server's config: changed without --overwrite" kept STREQUAL own_config)
simulate(--server-dir "${server}" --overwrite "${scenario}")
expect("server's config with --overwrite: exit status ${status} (${err})" status EQUAL 0)
file(READ "${server_config}" replaced)
expect("server's config with --overwrite: not replaced" NOT replaced STREQUAL own_config)

# --config previews an existing config without touching it: its caps (none
# here) decide, so the scenario's spawns all get their level.
set(live "${WORK_DIR}/live-config.json")
set(live_text "{\"General\": {\"CheckInterval\": 60}, \"Dinos\": {}}")
file(WRITE "${live}" "${live_text}")
simulate(--server-dir "${WORK_DIR}/preview" --config "${live}" "${scenario}")
expect("--config: exit status ${status} (${err})" status EQUAL 0)
expect("--config: the config file's caps were not run: ${out}"
       out MATCHES "\"levels\":\\[9,9\\],\"destroyed\":0")
file(READ "${live}" live_after)
expect("--config: the file changed" live_after STREQUAL live_text)

# --output: the trace in the file, never over an existing one without
# --force (a redirect replaces a live file, and PowerShell's writes UTF-16).
set(output "${WORK_DIR}/trace.jsonl")
file(WRITE "${output}" "kept")
simulate(--server-dir "${WORK_DIR}/unmade" --output "${output}" "${scenario}")
expect_refused("existing output" "[^\n]+trace.jsonl exists already. give --force to replace it")
file(READ "${output}" kept)
expect("existing output: changed without --force" kept STREQUAL "kept")
simulate(--server-dir "${WORK_DIR}/output-server" --output "${output}" --force "${scenario}")
expect("--output --force: exit status ${status} (${err})" status EQUAL 0)
string(LENGTH "${out}" out_length)
expect("--output --force: a trace went to standard output" out_length EQUAL 0)
file(READ "${output}" written)
expect("--output --force: not the trace: ${written}" written MATCHES "^{\"step\":0,\"do\":\"load\"")

# A sweep of a scenario that gives no config: it would run the server dir's
# own config.json, which a sweep never touches.
simulate(--sweep "${SCENARIO_DIR}/startup-missing-config.json")
expect_refused("sweep without a config" "[^\n]+startup-missing-config.json: cannot sweep CheckInterval: the scenario gives no config[^\n]*")
# A sweep of a config_text that is not JSON: there is no document to change.
simulate(--sweep "${SCENARIO_DIR}/startup-empty-config.json")
expect_refused("sweep of text that is no JSON" "[^\n]+: cannot sweep CheckInterval: the config is not a JSON document it can change [^\n]*")

# --version: the project's version.
simulate(--version)
set(version_line "dravelquin-sim ${VERSION}\n")
expect("--version: ${out}" out STREQUAL version_line)

# A reader that goes away (`| head`): the run stops with exit status 1 and
# removes its temporary server dir (it was left behind). A spawn of 100000
# writes a trace line larger than any pipe's buffer, so the write fails.
# Temporary folders are the system's own under Wine, so this runs natively.
if(NOT emulator)
  set(temporary "${WORK_DIR}/tmp")
  file(MAKE_DIRECTORY "${temporary}")
  set(big "${WORK_DIR}/big.json")
  file(WRITE "${big}" "{\"kinds\": {\"k\": {\"full_name\": \"K_C /K.Default__K_C\"}}, \"steps\": [{\"do\": \"spawn\", \"kind\": \"k\", \"count\": 100000}]}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "TMPDIR=${temporary}" "${SIMULATOR}" "${big}"
    COMMAND ${CMAKE_COMMAND} -E echo
    RESULTS_VARIABLE statuses OUTPUT_QUIET ERROR_VARIABLE err)
  list(GET statuses 0 status)
  expect("closed pipe: exit status ${status}, expected 1 (${err})" status EQUAL 1)
  file(GLOB left "${temporary}/*")
  list(LENGTH left left_count)
  expect("closed pipe: left behind ${left}" left_count EQUAL 0)

  # A run that goes through removes its temporary server dir too (every run
  # left one), and names none; --keep-server-dir keeps it and names it once
  # (--report named it twice).
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "TMPDIR=${temporary}" "${SIMULATOR}" --report "${scenario}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  file(GLOB left "${temporary}/*")
  list(LENGTH left left_count)
  expect("run: exit status ${status} (${err})" status EQUAL 0)
  expect("run: left behind ${left}" left_count EQUAL 0)
  expect("run: names a server dir it removed: ${out}${err}" NOT "${out}${err}" MATCHES "server dir")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "TMPDIR=${temporary}" "${SIMULATOR}" --report
            --keep-server-dir "${scenario}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  file(GLOB left "${temporary}/*")
  string(REGEX MATCHALL "server dir \\(temporary, kept\\): [^\n]+" named "${out}${err}")
  expect("--keep-server-dir: exit status ${status} (${err})" status EQUAL 0)
  expect("--keep-server-dir: kept ${left}, named ${named}" named STREQUAL "server dir (temporary, kept): ${left}")
endif()

finish_checks()
