# Windows only, run on the build machine: the release ZIP holds exactly the
# plug-in folder an administrator extracts into ArkApi/Plugins, and never a
# stand-in of the testbed (version.dll, msvcp140.dll), which would replace
# the server's own host and runtime.
#
# Usage: cmake -DZIP=dravelquin-<version>-win64.zip -P windows_package_test.cmake

set(expected
  dravelquin/
  dravelquin/README.txt
  dravelquin/config.json
  dravelquin/dravelquin-config.exe
  dravelquin/dravelquin.dll)

if(NOT EXISTS ${ZIP})
  message(FATAL_ERROR "${ZIP} is missing: build the target package first")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ZIP}
  OUTPUT_VARIABLE listing ERROR_VARIABLE tar_error RESULT_VARIABLE tar_result)
if(NOT tar_result EQUAL 0)
  message(FATAL_ERROR "Listing ${ZIP} failed: ${tar_error}")
endif()
string(STRIP "${listing}" listing)
string(REPLACE "\n" ";" entries "${listing}")
list(SORT entries)
list(SORT expected)
if(NOT entries STREQUAL expected)
  list(JOIN entries "\n  " got)
  message(FATAL_ERROR "${ZIP} holds:\n  ${got}")
endif()
message(STATUS "${ZIP}: ${entries}")
