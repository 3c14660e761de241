# The release: a version resource in each Windows module an administrator
# installs, and `--target package`, a ZIP made by CPack in the plug-in
# folder's layout:
#
#   dravelquin-<version>-win64.zip
#     dravelquin/dravelquin.dll         the plug-in
#     dravelquin/config.json            an example config that passes `check`
#     dravelquin/README.txt             install, configure, debugspawn, the tools
#     dravelquin/dravelquin-config.exe  the config checker
#
# Never the testbed's stand-in version.dll or msvcp140.dll: extracted into a
# server, they would replace the real host and runtime.

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

if(WIN32)
  configure_file(${dravelquin_packaging_dir}/README.txt
                 ${PROJECT_BINARY_DIR}/packaging/README.txt @ONLY)
  enable_language(RC)
  dravelquin_add_version_resource(dravelquin "dravelquin plug-in: caps the wild creature population" 2)
  # The modules alone: no import library, no debug database.
  install(PROGRAMS $<TARGET_FILE:dravelquin> DESTINATION dravelquin)
  if(TARGET dravelquin-config)
    dravelquin_add_version_resource(dravelquin-config "dravelquin config checker" 1)
    install(PROGRAMS $<TARGET_FILE:dravelquin-config> DESTINATION dravelquin)
  endif()
  install(FILES ${dravelquin_packaging_dir}/config.json ${PROJECT_BINARY_DIR}/packaging/README.txt
          DESTINATION dravelquin)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME dravelquin)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(DRAVELQUIN_PACKAGE_FILE_NAME dravelquin-${PROJECT_VERSION}-win64)
  set(CPACK_PACKAGE_FILE_NAME ${DRAVELQUIN_PACKAGE_FILE_NAME})
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  include(CPack)
endif()
