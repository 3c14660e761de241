# Sweeps CheckInterval over sweep.json and checks what it claims:
#   - the tables and recommendations match sweep.table.txt byte for byte (the
#     runs are deterministic by their seeds);
#   - the interval recommended for the whole config, run alone as a plain
#     simulation of the same config with that interval, keeps every capped
#     kind within the tolerance for at least the stated share of the time.
#     The scenario runs in quarter hours, so each run's trace line gives the
#     lowest and highest count of a quarter hour: the quarters wholly within
#     the band are a lower bound of the time within it;
#   - that interval swept alone gives the same rows as in the full sweep, so
#     a run does not depend on the runs before it;
#   - no temporary server dir is left behind, and the chart is written.
# Usage: cmake -DSIMULATOR=... -DSCENARIO_DIR=... -DWORK_DIR=...
#        [-DEMULATOR=...] -P check_sweep.cmake
# EMULATOR is the command, its words joined by "|", that runs the simulator.

include(${CMAKE_CURRENT_LIST_DIR}/simulator_check.cmake)
require_definitions(check_sweep.cmake SIMULATOR SCENARIO_DIR WORK_DIR)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(scenario "${SCENARIO_DIR}/sweep.json")
set(tolerance 15)
set(wanted_share 90)
set(quarters 48)

# The table rows of the interval `interval` in `text`, their columns
# separated by one space (a table's widths depend on its other rows).
function(rows_of text interval result)
  string(REGEX MATCHALL "\n *${interval}  [^\n]*" rows "${text}")
  string(REGEX REPLACE " +" " " rows "${rows}")
  set(${result} "${rows}" PARENT_SCOPE)
endfunction()

# Temporary server dirs are the system's own under Wine, so the check that
# none is left runs natively.
set(temporary "${WORK_DIR}/tmp")
file(MAKE_DIRECTORY "${temporary}")
set(environment "")
if(NOT emulator)
  set(environment ${CMAKE_COMMAND} -E env "TMPDIR=${temporary}")
endif()

# The full sweep against its expected tables.
set(chart "${WORK_DIR}/swing.svg")
execute_process(
  COMMAND ${environment} ${emulator} "${SIMULATOR}" --sweep CheckInterval=3600,900,1800
          --tolerance ${tolerance} --chart "${chart}" sweep.json
  WORKING_DIRECTORY "${SCENARIO_DIR}"
  RESULT_VARIABLE status OUTPUT_VARIABLE sweep ERROR_VARIABLE err)
string(REPLACE "\r\n" "\n" sweep "${sweep}")
expect("sweep: exit status ${status} (${err})" status EQUAL 0)
file(READ "${SCENARIO_DIR}/sweep.table.txt" expected)
expect("sweep: the tables differ from sweep.table.txt:\n${sweep}" sweep STREQUAL expected)
expect("sweep: no chart written" EXISTS "${chart}")
file(GLOB left "${temporary}/*")
list(LENGTH left left_count)
expect("sweep: left behind ${left}" left_count EQUAL 0)

# The recommended interval, run alone.
string(REGEX MATCH "config: CheckInterval ([0-9]+) is the longest" found "${sweep}")
set(recommended "${CMAKE_MATCH_1}")
expect("sweep: no interval recommended for the config" found)
if(found)
  file(READ "${scenario}" scenario_text)
  string(JSON config GET "${scenario_text}" config)
  string(JSON config SET "${config}" General CheckInterval ${recommended})
  file(WRITE "${WORK_DIR}/recommended.json" "${config}")
  simulate(--server-dir "${WORK_DIR}/alone" --config "${WORK_DIR}/recommended.json" "${scenario}")
  expect("alone: exit status ${status} (${err})" status EQUAL 0)
  string(REPLACE "\n" ";" lines "${out}")
  string(JSON dinos GET "${config}" Dinos)
  foreach(kind raptor dodo)
    string(JSON path GET "${scenario_text}" kinds ${kind} blueprint_path)
    string(JSON cap GET "${dinos}" "${path}" Count)
    math(EXPR margin "${cap} * ${tolerance} / 100")
    math(EXPR low "${cap} - ${margin}")
    math(EXPR high "${cap} + ${margin}")
    set(runs 0)
    set(within 0)
    foreach(line IN LISTS lines)
      string(JSON verb ERROR_VARIABLE not_json GET "${line}" do)
      if(NOT not_json AND verb STREQUAL "run")
        math(EXPR runs "${runs} + 1")
        string(JSON lowest GET "${line}" kinds ${kind} min)
        string(JSON highest GET "${line}" kinds ${kind} max)
        if(lowest GREATER_EQUAL low AND highest LESS_EQUAL high)
          math(EXPR within "${within} + 1")
        endif()
      endif()
    endforeach()
    expect("alone: ${runs} quarter hours, expected ${quarters}" runs EQUAL quarters)
    math(EXPR within_percent "100 * ${within} / ${quarters}")
    expect("alone: ${kind} was within ${low} to ${high} in ${within} of ${quarters} quarter hours, below the ${wanted_share}% the sweep claims"
           within_percent GREATER_EQUAL wanted_share)
  endforeach()

  # The same interval swept alone: the same rows.
  simulate(--sweep CheckInterval=${recommended} --tolerance ${tolerance} "${scenario}")
  expect("swept alone: exit status ${status} (${err})" status EQUAL 0)
  rows_of("${sweep}" ${recommended} in_sweep)
  rows_of("${out}" ${recommended} alone)
  expect("swept alone: rows of ${recommended} differ:\n${alone}\nin the full sweep:\n${in_sweep}"
         alone STREQUAL in_sweep)
endif()

finish_checks()
