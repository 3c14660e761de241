# Sweeps CheckInterval over sweep.json and checks what it claims:
#   - the tables and recommendations match sweep.table.txt byte for byte (the
#     runs are deterministic by their seeds);
#   - the interval recommended for the whole config with ExactCaps false,
#     run alone as a plain simulation of the same config with that interval,
#     keeps every capped kind within the tolerance for at least the stated
#     share of the time; the one recommended with ExactCaps true, run alone
#     so, never lets a kind above its cap (the scenario's first census comes
#     before the stretch);
#     The scenario runs in quarter hours, so each run's trace line gives the
#     lowest and highest count of a quarter hour: the quarters wholly within
#     the band are a lower bound of the time within it;
#   - that interval swept alone, with --only for one kind, gives the same
#     rows for it as in the full sweep, so a run does not depend on the runs
#     before it, and no table for the other kind;
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

# The table rows of the interval `interval` in the table of `kind` in
# `text`, their columns separated by one space (a table's widths depend on
# its other rows).
function(rows_of text kind interval result)
  string(REGEX MATCH "\n${kind} \\(cap[^\n]*\n[^\n]*((\n *[0-9]+  [^\n]*)+)" table "${text}")
  string(REGEX MATCHALL "\n *${interval}  [^\n]*" rows "${CMAKE_MATCH_1}")
  string(REGEX REPLACE " +" " " rows "${rows}")
  set(${result} "${rows}" PARENT_SCOPE)
endfunction()

# The population's highest count per quarter hour of `kind` in the trace
# `trace`, as a list.
function(quarter_highs trace kind result)
  string(REPLACE "\n" ";" lines "${trace}")
  set(highs "")
  foreach(line IN LISTS lines)
    string(JSON verb ERROR_VARIABLE not_json GET "${line}" do)
    if(NOT not_json AND verb STREQUAL "run")
      string(JSON highest GET "${line}" kinds ${kind} max)
      list(APPEND highs ${highest})
    endif()
  endforeach()
  set(${result} "${highs}" PARENT_SCOPE)
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
string(REGEX MATCH "config, ExactCaps false: CheckInterval ([0-9]+) is the longest" found "${sweep}")
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

  # The same interval swept alone for one kind: the same rows.
  simulate(--sweep CheckInterval=${recommended} --tolerance ${tolerance} --only DODO "${scenario}")
  expect("swept alone: exit status ${status} (${err})" status EQUAL 0)
  rows_of("${sweep}" dodo ${recommended} in_sweep)
  rows_of("${out}" dodo ${recommended} alone)
  expect("swept alone: rows of ${recommended} differ:\n${alone}\nin the full sweep:\n${in_sweep}"
         alone STREQUAL in_sweep)
  expect("swept alone: --only DODO left a table of raptor:\n${out}" NOT out MATCHES "\nraptor \\(")
endif()

# The interval recommended with ExactCaps true, run alone with it: no
# quarter hour above the cap.
string(REGEX MATCH "config, ExactCaps true: CheckInterval ([0-9]+) is the longest" found "${sweep}")
set(recommended "${CMAKE_MATCH_1}")
expect("sweep: no interval recommended for the config with ExactCaps true" found)
if(found)
  file(READ "${scenario}" scenario_text)
  string(JSON config GET "${scenario_text}" config)
  string(JSON config SET "${config}" General CheckInterval ${recommended})
  string(JSON config SET "${config}" General ExactCaps true)
  file(WRITE "${WORK_DIR}/exact.json" "${config}")
  simulate(--server-dir "${WORK_DIR}/exact" --config "${WORK_DIR}/exact.json" "${scenario}")
  expect("exact: exit status ${status} (${err})" status EQUAL 0)
  string(JSON dinos GET "${config}" Dinos)
  foreach(kind raptor dodo)
    string(JSON path GET "${scenario_text}" kinds ${kind} blueprint_path)
    string(JSON cap GET "${dinos}" "${path}" Count)
    quarter_highs("${out}" ${kind} highs)
    list(LENGTH highs quarters_seen)
    expect("exact: ${quarters_seen} quarter hours, expected ${quarters}" quarters_seen EQUAL quarters)
    foreach(highest IN LISTS highs)
      expect("exact: ${kind} rose to ${highest}, above its cap ${cap}" highest LESS_EQUAL cap)
    endforeach()
  endforeach()
endif()

finish_checks()
