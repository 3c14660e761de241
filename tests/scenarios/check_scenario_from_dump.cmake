# A starting scenario written from a census dump (from-dump.dump.txt: a
# byte-order mark, CR LF, "|" in a name, an empty name, two paths of one asset
# name, and a line of each kind that cannot be placed), then run:
#   from-dump.scenario.json   the scenario written, byte for byte
#   from-dump.notes.txt       standard error: the lines it could not place
#   from-dump.dump-again.txt  the dump of the run: every placed line given back
# and the run's first census counts each configured path as the dump does.
# Usage: cmake -DSIMULATOR=... -DSCENARIO_DIR=... -DWORK_DIR=...
#        [-DEMULATOR=...] -P check_scenario_from_dump.cmake

include(${CMAKE_CURRENT_LIST_DIR}/simulator_check.cmake)
require_definitions(check_scenario_from_dump.cmake SIMULATOR SCENARIO_DIR WORK_DIR)
set(check_prefix "from-dump: ")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(written "${WORK_DIR}/scenario.json")

# Runs the simulator in the scenario folder, so that the files are named in
# what it writes as the command line names them.
macro(simulate_in_scenario_dir)
  execute_process(COMMAND ${emulator} "${SIMULATOR}" ${ARGN}
    WORKING_DIRECTORY "${SCENARIO_DIR}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r\n" "\n" err "${err}")
endmacro()

function(expect_same_file expected actual)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files --ignore-eol "${expected}" "${actual}"
                  RESULT_VARIABLE different)
  expect("${actual} differs from ${expected}" NOT different)
  set(failures ${failures} PARENT_SCOPE)
endfunction()

simulate_in_scenario_dir(--scenario-from-dump from-dump.dump.txt --config from-dump.config.json
                         --hours 1 --output "${written}")
expect("writing: exit status ${status} (${err})" status EQUAL 0)
string(LENGTH "${out}" out_length)
expect("writing: standard output is not empty: ${out}" out_length EQUAL 0)
file(READ "${SCENARIO_DIR}/from-dump.notes.txt" notes)
expect("writing: the notes are\n${err}" err STREQUAL notes)
expect_same_file("${SCENARIO_DIR}/from-dump.scenario.json" "${written}")

# The run: after the census at init_game, the plug-in's status and its dump.
file(READ "${written}" scenario)
string(REPLACE "{\"do\": \"init_game\"}"
       "{\"do\": \"init_game\"}, {\"do\": \"command\", \"text\": \"dravelquin.status\"}, {\"do\": \"command\"}"
       scenario "${scenario}")
file(WRITE "${WORK_DIR}/round-trip.json" "${scenario}")
set(plugin_dir "${WORK_DIR}/server/ArkApi/Plugins/dravelquin")
simulate_in_scenario_dir(--server-dir "${WORK_DIR}/server" "${WORK_DIR}/round-trip.json")
expect("run: exit status ${status} (${err})" status EQUAL 0)
expect_same_file("${SCENARIO_DIR}/from-dump.dump-again.txt" "${plugin_dir}/dinoDump.txt")
file(READ "${plugin_dir}/status.json" status_json)
foreach(counted IN ITEMS "A/Rex_BP.Rex_BP'\", \"cap\": 1000, \"counted\": 4,"
                         "B/Rex_BP.Rex_BP'\", \"cap\": 1000, \"counted\": 5,"
                         "Dodo_Character_BP'\", \"cap\": 1000, \"counted\": 8,")
  string(FIND "${status_json}" "${counted}" found)
  expect("first census: no ${counted} in\n${status_json}" NOT found EQUAL -1)
endforeach()

finish_checks()
