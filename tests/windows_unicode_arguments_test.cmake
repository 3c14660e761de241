# Windows only, under Wine: both tools take file names and values that are
# not ASCII from their command line. Wine hands a program its Unix
# arguments as UTF-16 only under a UTF-8 locale, so ctest runs this with
# LC_ALL=C.UTF-8.
#
# Usage: cmake -DCONFIG_TOOL=dravelquin-config.exe -DSIMULATOR=dravelquin-sim.exe
#              -DEMULATOR=<command, words joined by "|"> -DSCENARIO=<scenario.json>
#              -DWORK_DIR=<scratch folder> -P windows_unicode_arguments_test.cmake

string(REPLACE "|" ";" emulator "${EMULATOR}")
file(REMOVE_RECURSE "${WORK_DIR}")
set(folder "${WORK_DIR}/папка été")
file(MAKE_DIRECTORY "${folder}")

set(failures "")
# Adds `what` to the failures unless `variable` matches `pattern`.
function(expect_match what variable pattern)
  if(NOT "${${variable}}" MATCHES "${pattern}")
    set(failures "${failures}${what}: ${${variable}}\n" PARENT_SCOPE)
  endif()
endfunction()

macro(run program)
  execute_process(COMMAND ${emulator} ${program} ${ARGN}
    WORKING_DIRECTORY "${folder}"
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
endmacro()

file(WRITE "${folder}/дамп été.txt"
  "blueprint'/Game/Creatures/Raptor/Raptor_BP.Raptor_BP'|Рэптор|9\n"
  "blueprint'/Game/Creatures/Dodo/Dodo_BP.Dodo_BP'|Dodo|40\n")
file(WRITE "${folder}/конфиг été.json"
  "{\"General\": {\"CheckInterval\": 3600}, \"Dinos\": "
  "{\"blueprint'/Game/Creatures/Dodo/Dodo_BP.Dodo_BP'\": {\"Count\": 50}}}\n")

# --only matches the display name written in Cyrillic.
run(${CONFIG_TOOL} from-dump "дамп été.txt" --only "Рэптор")
expect_match("from-dump: exit status, expected 0 (${err})" status "^0$")
expect_match("from-dump --only Рэптор: the raptor is not written" out
             "Raptor_BP.Raptor_BP'\": {[\r\n ]+\"Count\": 9")
if(out MATCHES "Dodo")
  string(APPEND failures "from-dump --only Рэптор: the dodo is written too: ${out}\n")
endif()

# The config and the dump are opened by their names, which the findings repeat.
run(${CONFIG_TOOL} check "конфиг été.json" --dump "дамп été.txt")
expect_match("check: exit status, expected 0 (${out}${err})" status "^0$")
expect_match("check: the dump is not read" out "40 wild in the dump \\(дамп été.txt:2\\)")
expect_match("check: the summary does not name the file" out
             "конфиг été.json: 1 blueprint capped")

# The simulator opens its scenario by its name.
configure_file("${SCENARIO}" "${folder}/сценарий été.json" COPYONLY)
run(${SIMULATOR} "сценарий été.json")
expect_match("dravelquin-sim: exit status, expected 0 (${err})" status "^0$")

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
