# Windows only, run on the build machine: the plug-in DLL's export and import
# tables as llvm-readobj shows them. A server's host loads a DLL that exports
# nothing and imports the host's API under Microsoft's decorated C++ names,
# and the runtime only from the DLLs every server has: msvcp140.dll,
# vcruntime140.dll, the C runtime (ucrtbase.dll) and the system's kernel32.dll.
#
# Usage: cmake -DREADOBJ=llvm-readobj-14 -DDLL=dravelquin.dll -P windows_dll_tables_test.cmake

set(expected_dlls kernel32.dll msvcp140.dll ucrtbase.dll vcruntime140.dll version.dll)

# The host API, as a host built with Microsoft's compiler exports it.
set(expected_host_functions
  "?GetAddress@ArkApi@@YAPEAXAEBV?$basic_string@DU?$char_traits@D@std@@V?$allocator@D@2@@std@@@Z"
  "?GetAddress@ArkApi@@YA_KPEBXAEBV?$basic_string@DU?$char_traits@D@std@@V?$allocator@D@2@@std@@@Z"
  "?GetApiUtils@ArkApi@@YAAEAVIApiUtils@1@XZ"
  "?GetCommands@ArkApi@@YAAEAVICommands@1@XZ"
  "?GetCurrentDir@Tools@ArkApi@@YA?AV?$basic_string@DU?$char_traits@D@std@@V?$allocator@D@2@@std@@XZ"
  "?GetHooks@ArkApi@@YAAEAVIHooks@1@XZ"
  "?GetLogSinks@ArkApi@@YAAEAV?$vector@V?$shared_ptr@Vsink@sinks@spdlog@@@std@@V?$allocator@V?$shared_ptr@Vsink@sinks@spdlog@@@std@@@2@@std@@XZ"
  "?Utf8Encode@Tools@ArkApi@@YA?AV?$basic_string@DU?$char_traits@D@std@@V?$allocator@D@2@@std@@AEBV?$basic_string@_WU?$char_traits@_W@std@@V?$allocator@_W@2@@4@@Z"
)

execute_process(COMMAND ${READOBJ} --coff-imports --coff-exports ${DLL}
  OUTPUT_VARIABLE tables ERROR_VARIABLE readobj_error RESULT_VARIABLE readobj_result)
if(NOT readobj_result EQUAL 0)
  message(FATAL_ERROR "${READOBJ} ${DLL} failed: ${readobj_error}")
endif()
# Read line by line, with CMake's list separator made harmless first.
string(REPLACE ";" "," tables "${tables}")
string(REPLACE "\n" ";" lines "${tables}")

set(failures "")
set(dlls "")
set(host_functions "")
set(exports "")
set(section "")
foreach(line IN LISTS lines)
  if(line MATCHES "^Import {")
    set(section import)
  elseif(line MATCHES "^Export {")
    set(section export)
  elseif(line MATCHES "^}")
    set(section "")
  elseif(section STREQUAL "import" AND line MATCHES "^  Name: (.+)$")
    set(current_dll "${CMAKE_MATCH_1}")
    list(APPEND dlls "${current_dll}")
  elseif(section STREQUAL "import" AND line MATCHES "^  Symbol: (.+) \\([0-9]+\\)$"
         AND current_dll STREQUAL "version.dll")
    list(APPEND host_functions "${CMAKE_MATCH_1}")
  elseif(section STREQUAL "export" AND line MATCHES "^  Name: (.*)$")
    list(APPEND exports "${CMAKE_MATCH_1}")
  endif()
endforeach()

list(SORT dlls CASE INSENSITIVE)
if(NOT dlls STREQUAL expected_dlls)
  list(APPEND failures "imports from [${dlls}], expected [${expected_dlls}]")
endif()
list(SORT host_functions)
list(SORT expected_host_functions)
if(NOT host_functions STREQUAL expected_host_functions)
  list(JOIN host_functions "\n    " got)
  list(APPEND failures "from version.dll:\n    ${got}")
endif()
if(exports)
  list(APPEND failures "exports [${exports}], expected none")
endif()

if(failures)
  list(JOIN failures "\n  " report)
  message(FATAL_ERROR "${DLL}:\n  ${report}")
endif()
list(LENGTH host_functions host_count)
message(STATUS "${DLL}: no exports; imports ${dlls}, ${host_count} functions of the host")
