# What the simulator's check scripts share: their required definitions, the
# failure count, and running the simulator. Included by check_*.cmake.
# EMULATOR is the command, its words joined by "|", that runs the simulator
# (Wine for a Windows cross-build).

# Stops with a message naming `script` unless each variable is defined.
function(require_definitions script)
  foreach(required ${ARGN})
    if(NOT DEFINED ${required})
      message(FATAL_ERROR "${script} needs -D${required}=...")
    endif()
  endforeach()
endfunction()

set(failures 0)
string(REPLACE "|" ";" emulator "${EMULATOR}")

# Counts a failure and reports `condition_text` (after `check_prefix`, when
# set) unless the condition in the further arguments holds.
function(expect condition_text)
  if(NOT (${ARGN}))
    message(SEND_ERROR "${check_prefix}${condition_text}")
    math(EXPR count "${failures} + 1")
    set(failures ${count} PARENT_SCOPE)
  endif()
endfunction()

# Runs the simulator with the arguments; sets `status`, `out` and `err`, with
# CR LF line ends read as LF.
macro(simulate)
  execute_process(COMMAND ${emulator} "${SIMULATOR}" ${ARGN}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r\n" "\n" err "${err}")
  string(REPLACE "\r\n" "\n" out "${out}")
endmacro()

# Stops with the number of failures, if any.
macro(finish_checks)
  if(failures GREATER 0)
    message(FATAL_ERROR "${check_prefix}${failures} failure(s)")
  endif()
endmacro()
