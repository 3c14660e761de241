# The libraries for a Windows cross-build, from Debian's Linux packages:
# nlohmann JSON, spdlog and fmt used as headers only, and GoogleTest built
# from its source package with the cross compiler (its targets GTest::gtest,
# GTest::gtest_main, GTest::gmock and GTest::gmock_main).
#
# The headers are reached through a private folder of links to exactly those
# three libraries: putting /usr/include itself on the path would put the
# Linux C library's headers in front of mingw's.

set(DRAVELQUIN_DEBIAN_INCLUDE_DIR /usr/include CACHE PATH
    "Folder holding Debian's nlohmann, spdlog and fmt headers")
set(DRAVELQUIN_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest's source, as Debian's googletest package installs it")

set(dravelquin_header_links ${PROJECT_BINARY_DIR}/header-only-deps)
file(MAKE_DIRECTORY ${dravelquin_header_links})
foreach(library nlohmann spdlog fmt)
  if(NOT IS_DIRECTORY ${DRAVELQUIN_DEBIAN_INCLUDE_DIR}/${library})
    message(FATAL_ERROR "${DRAVELQUIN_DEBIAN_INCLUDE_DIR}/${library} is missing: "
                        "install nlohmann-json3-dev, libspdlog-dev and libfmt-dev")
  endif()
  file(CREATE_LINK ${DRAVELQUIN_DEBIAN_INCLUDE_DIR}/${library}
       ${dravelquin_header_links}/${library} SYMBOLIC)
endforeach()

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${dravelquin_header_links})

# Debian's spdlog reads fmt from outside (its tweakme.h says so too); without
# SPDLOG_COMPILED_LIB spdlog compiles from its headers, and FMT_HEADER_ONLY
# does the same for fmt.
add_library(spdlog::spdlog INTERFACE IMPORTED)
set_target_properties(spdlog::spdlog PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${dravelquin_header_links}
  INTERFACE_COMPILE_DEFINITIONS "SPDLOG_FMT_EXTERNAL;FMT_HEADER_ONLY")

if(DRAVELQUIN_TESTS)
  if(NOT EXISTS ${DRAVELQUIN_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "${DRAVELQUIN_GOOGLETEST_SOURCE_DIR} is missing: install googletest")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${DRAVELQUIN_GOOGLETEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest
                   EXCLUDE_FROM_ALL SYSTEM)
endif()
