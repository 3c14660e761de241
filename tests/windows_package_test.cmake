# Windows only, run on the build machine: the release ZIP holds exactly the
# plug-in folder an administrator extracts into ArkApi/Plugins. Never a
# config.json, which extracting an upgrade would write over the
# administrator's own; never a stand-in of the testbed (version.dll,
# msvcp140.dll), which would replace the server's own host and runtime. Its
# text files are the repository's, with CR LF line ends.
#
# Usage: cmake -DZIP=dravelquin-<version>-win64.zip -DSOURCE_DIR=<repository>
#              -DVERSION=<project version> -DWORK_DIR=<scratch folder>
#              -P windows_package_test.cmake

set(expected
  dravelquin/
  dravelquin/README.txt
  dravelquin/LICENSE.txt
  dravelquin/THIRD-PARTY-NOTICES.txt
  dravelquin/config.example.json
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

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP}
  WORKING_DIRECTORY ${WORK_DIR} ERROR_VARIABLE tar_error RESULT_VARIABLE tar_result)
if(NOT tar_result EQUAL 0)
  message(FATAL_ERROR "Extracting ${ZIP} failed: ${tar_error}")
endif()

# Each text file of the archive, byte for byte, against its source in the
# repository with CR LF line ends (and in README.txt the version filled in).
set(failures "")
foreach(pair README.txt=packaging/README.txt
             config.example.json=packaging/config.example.json
             LICENSE.txt=LICENSE
             THIRD-PARTY-NOTICES.txt=THIRD-PARTY-NOTICES.txt)
  string(REPLACE "=" ";" pair ${pair})
  list(GET pair 0 packaged)
  list(GET pair 1 source)
  file(READ ${SOURCE_DIR}/${source} text)
  string(REPLACE "@PROJECT_VERSION@" "${VERSION}" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  set(expected_file ${WORK_DIR}/expected-${packaged})
  file(WRITE ${expected_file} "${text}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                          ${expected_file} ${WORK_DIR}/dravelquin/${packaged}
                  RESULT_VARIABLE differs OUTPUT_QUIET ERROR_QUIET)
  if(differs)
    string(APPEND failures "\n  ${packaged}: not ${source} with CR LF line ends")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${ZIP}:${failures}")
endif()
message(STATUS "${ZIP}: ${entries}")
