# Windows only, run on the build machine: the plug-in DLL's tables as objdump
# shows them. The DLL exports nothing; it imports from exactly the system's
# KERNEL32 and msvcrt, the host's version.dll, and msvcp140.dll for the
# runtime's clock alone, so that it loads on a server that has no mingw
# runtime DLLs.
#
# Usage: cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DDLL=dravelquin.dll -P windows_dll_tables_test.cmake

set(expected_imports KERNEL32.dll msvcrt.dll msvcp140.dll version.dll)
set(expected_runtime_functions _Xtime_get_ticks)

execute_process(COMMAND ${OBJDUMP} -p ${DLL}
  OUTPUT_VARIABLE tables ERROR_VARIABLE objdump_error RESULT_VARIABLE objdump_result)
if(NOT objdump_result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed: ${objdump_error}")
endif()
string(REPLACE ";" "," tables "${tables}")
string(REPLACE "\n" ";" lines "${tables}")

set(failures "")
set(imports "")
set(runtime_functions "")
set(current_import "")
# The export directory's entry counts are eight hex digits after white space
# (its table addresses below them are sixteen).
set(hex8 "[0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f]")
foreach(line IN LISTS lines)
  if(line MATCHES "^\t(Export Address Table|\\[Name Pointer/Ordinal\\] Table)[ \t]+(${hex8})$")
    set(table "${CMAKE_MATCH_1}")
    set(entries "${CMAKE_MATCH_2}")
    if(NOT entries STREQUAL "00000000")
      list(APPEND failures "exports: ${table} holds 0x${entries} entries")
    endif()
  elseif(line MATCHES "^\tDLL Name: (.+)$")
    set(current_import "${CMAKE_MATCH_1}")
    list(APPEND imports "${current_import}")
  elseif(line MATCHES "^\t[0-9a-f]+\t +[0-9]+  ([^ ]+)$" AND current_import STREQUAL "msvcp140.dll")
    list(APPEND runtime_functions "${CMAKE_MATCH_1}")
  elseif(line STREQUAL "")
    set(current_import "")
  endif()
endforeach()

list(SORT imports CASE INSENSITIVE)
list(SORT expected_imports CASE INSENSITIVE)
if(NOT imports STREQUAL expected_imports)
  list(APPEND failures "imports: [${imports}], expected [${expected_imports}]")
endif()
if(NOT runtime_functions STREQUAL expected_runtime_functions)
  list(APPEND failures
       "from msvcp140.dll: [${runtime_functions}], expected [${expected_runtime_functions}]")
endif()

if(failures)
  list(JOIN failures "\n  " report)
  message(FATAL_ERROR "${DLL}:\n  ${report}")
endif()
message(STATUS "${DLL}: no exports; imports ${imports}")
