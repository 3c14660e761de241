# The release: a version resource in each Windows module an administrator
# installs, and `--target package`, a ZIP made by CPack in the plug-in
# folder's layout:
#
#   dravelquin-<version>-win64.zip
#     dravelquin/dravelquin.dll              the plug-in
#     dravelquin/config.example.json         an example config that passes `check`
#     dravelquin/README.txt                  install, upgrade, configure, the tools
#     dravelquin/LICENSE.txt                 the project's licence
#     dravelquin/THIRD-PARTY-NOTICES.txt     what the modules compile in, and its licences
#     dravelquin/dravelquin-config.exe       the config checker
#
# Never a config.json: extracting a new version over an installed one must
# leave the administrator's config as it is. Never the testbed's stand-in
# version.dll or msvcp140.dll: extracted into a server, they would replace
# the real host and runtime. The text files get CR LF line ends, as Windows
# editors expect.

set(dravelquin_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)

# Embeds a version resource with the project's version in a Windows module.
# TYPE is 1 for a program, 2 for a DLL.
function(dravelquin_add_version_resource target description type)
  if(NOT WIN32)
    return()
  endif()
  set(DRAVELQUIN_RESOURCE_DESCRIPTION "${description}")
  set(DRAVELQUIN_RESOURCE_TYPE ${type})
  set(DRAVELQUIN_RESOURCE_NAME ${target})
  get_target_property(prefix ${target} PREFIX)
  if(NOT prefix)
    set(prefix "")
  endif()
  if(type EQUAL 2)
    set(DRAVELQUIN_RESOURCE_FILE "${prefix}${target}.dll")
  else()
    set(DRAVELQUIN_RESOURCE_FILE "${target}.exe")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${dravelquin_packaging_dir}/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# Writes the text file `source` to `destination` with CR LF line ends;
# with CONFIGURE, @VARIABLE@ references are replaced first. Configuring again
# follows every change of the source.
function(dravelquin_windows_text source destination)
  # file(READ) gives the lines with LF ends, whichever ends the source has.
  file(READ ${source} text)
  if(ARGN STREQUAL "CONFIGURE")
    string(CONFIGURE "${text}" text @ONLY)
  endif()
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${destination} "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

if(WIN32)
  set(dravelquin_package_text_dir ${PROJECT_BINARY_DIR}/packaging)
  dravelquin_windows_text(${dravelquin_packaging_dir}/README.txt
                          ${dravelquin_package_text_dir}/README.txt CONFIGURE)
  dravelquin_windows_text(${dravelquin_packaging_dir}/config.example.json
                          ${dravelquin_package_text_dir}/config.example.json)
  dravelquin_windows_text(${PROJECT_SOURCE_DIR}/LICENSE
                          ${dravelquin_package_text_dir}/LICENSE.txt)
  dravelquin_windows_text(${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES.txt
                          ${dravelquin_package_text_dir}/THIRD-PARTY-NOTICES.txt)
  enable_language(RC)
  dravelquin_add_version_resource(dravelquin "dravelquin plug-in: caps the wild creature population" 2)
  # The modules alone: no import library, no debug database.
  install(PROGRAMS $<TARGET_FILE:dravelquin> DESTINATION dravelquin)
  if(TARGET dravelquin-config)
    dravelquin_add_version_resource(dravelquin-config "dravelquin config checker" 1)
    install(PROGRAMS $<TARGET_FILE:dravelquin-config> DESTINATION dravelquin)
  endif()
  install(FILES ${dravelquin_package_text_dir}/README.txt
                ${dravelquin_package_text_dir}/config.example.json
                ${dravelquin_package_text_dir}/LICENSE.txt
                ${dravelquin_package_text_dir}/THIRD-PARTY-NOTICES.txt
          DESTINATION dravelquin)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME dravelquin)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(DRAVELQUIN_PACKAGE_FILE_NAME dravelquin-${PROJECT_VERSION}-win64)
  set(CPACK_PACKAGE_FILE_NAME ${DRAVELQUIN_PACKAGE_FILE_NAME})
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  include(CPack)
endif()
