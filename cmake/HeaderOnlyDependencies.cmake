# The libraries for a Windows cross-build, from Debian's Linux packages:
# nlohmann JSON, CLI11 and utfcpp used as headers only, and GoogleTest built from its source
# package with the cross compiler (its targets GTest::gtest,
# GTest::gtest_main, GTest::gmock and GTest::gmock_main). spdlog comes from
# cmake/Spdlog.cmake, as in every build.
#
# The headers are reached through a private folder with a link to exactly
# that library: putting /usr/include itself on the path would put the Linux C
# library's headers in front of the target's.

set(DRAVELQUIN_DEBIAN_INCLUDE_DIR /usr/include CACHE PATH
    "Folder holding Debian's nlohmann, CLI and utf8cpp headers")
set(DRAVELQUIN_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest's source, as Debian's googletest package installs it")

# Made anew at each configuration, so that no link of an earlier one stays.
set(dravelquin_header_links ${PROJECT_BINARY_DIR}/header-only-deps)
file(REMOVE_RECURSE ${dravelquin_header_links})
file(MAKE_DIRECTORY ${dravelquin_header_links})
if(NOT IS_DIRECTORY ${DRAVELQUIN_DEBIAN_INCLUDE_DIR}/nlohmann)
  message(FATAL_ERROR "${DRAVELQUIN_DEBIAN_INCLUDE_DIR}/nlohmann is missing: "
                      "install nlohmann-json3-dev")
endif()
file(CREATE_LINK ${DRAVELQUIN_DEBIAN_INCLUDE_DIR}/nlohmann
     ${dravelquin_header_links}/nlohmann SYMBOLIC)

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${dravelquin_header_links})

# The tools' command lines (CLI11, <CLI/CLI.hpp>) and UTF-8 text (utfcpp,
# <utf8.h>), under the names their Debian packages' CMake files give them.
foreach(dravelquin_header_dir CLI utf8cpp)
  if(NOT IS_DIRECTORY ${DRAVELQUIN_DEBIAN_INCLUDE_DIR}/${dravelquin_header_dir})
    message(FATAL_ERROR "${DRAVELQUIN_DEBIAN_INCLUDE_DIR}/${dravelquin_header_dir} is missing: "
                        "install libcli11-dev and libutfcpp-dev")
  endif()
  file(CREATE_LINK ${DRAVELQUIN_DEBIAN_INCLUDE_DIR}/${dravelquin_header_dir}
       ${dravelquin_header_links}/${dravelquin_header_dir} SYMBOLIC)
endforeach()
add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${dravelquin_header_links})
add_library(utf8cpp INTERFACE IMPORTED)
set_target_properties(utf8cpp PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${dravelquin_header_links}/utf8cpp)

if(DRAVELQUIN_TESTS)
  if(NOT EXISTS ${DRAVELQUIN_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "${DRAVELQUIN_GOOGLETEST_SOURCE_DIR} is missing: install googletest")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # With Microsoft's ABI, GoogleTest links the same runtime DLLs as the rest.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  # Windows threads, never a pthread library that a compile-only check "found".
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(${DRAVELQUIN_GOOGLETEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest
                   EXCLUDE_FROM_ALL SYSTEM)
endif()
