# spdlog for the plug-in and the stand-in host, as the target spdlog::spdlog:
# header-only, of the 0.x line the host's log sinks belong to, with the fmt it
# carries. The plug-in's logger calls into sinks the host made, so both must
# agree on spdlog's classes: by default the copy in third_party/, or else the
# one in a server owner's own host SDK.
#
# Its headers are system headers, so that our warnings stay on our own code.

set(DRAVELQUIN_HOST_SDK_INCLUDE_DIR "" CACHE PATH
    "Include folder of your host's SDK, holding the spdlog/ your host ships; empty: the bundled spdlog 0.17.0")

if(DRAVELQUIN_HOST_SDK_INCLUDE_DIR)
  set(dravelquin_sdk_spdlog ${DRAVELQUIN_HOST_SDK_INCLUDE_DIR}/spdlog)
  if(NOT EXISTS ${dravelquin_sdk_spdlog}/spdlog.h)
    message(FATAL_ERROR "DRAVELQUIN_HOST_SDK_INCLUDE_DIR is ${DRAVELQUIN_HOST_SDK_INCLUDE_DIR}, "
                        "which has no spdlog/spdlog.h: set it to the folder that holds your "
                        "host's spdlog/ folder, or leave it empty for the bundled spdlog 0.17.0")
  endif()
  # spdlog 1.0 brought version.h, and with it sinks that format each message
  # themselves: a 1.x logger replaces the formatter of every sink it is given,
  # which a 0.x host's sinks do not have.
  if(EXISTS ${dravelquin_sdk_spdlog}/version.h)
    message(FATAL_ERROR "${dravelquin_sdk_spdlog} is spdlog 1.x or later (it has version.h): "
                        "the plug-in's logger is built for hosts whose sinks are spdlog 0.x")
  endif()
  # Only spdlog is taken from the SDK, through a folder that links to it
  # alone: the SDK's other headers must not stand in front of the libraries
  # the build finds elsewhere.
  set(dravelquin_spdlog_include_dir ${PROJECT_BINARY_DIR}/host-sdk-spdlog)
  file(REMOVE_RECURSE ${dravelquin_spdlog_include_dir})
  file(MAKE_DIRECTORY ${dravelquin_spdlog_include_dir})
  file(CREATE_LINK ${dravelquin_sdk_spdlog} ${dravelquin_spdlog_include_dir}/spdlog
       RESULT dravelquin_link_result SYMBOLIC)
  if(NOT dravelquin_link_result EQUAL 0)
    # Where links cannot be made (Windows without the right to), a copy made
    # at each configuration.
    file(COPY ${dravelquin_sdk_spdlog} DESTINATION ${dravelquin_spdlog_include_dir})
  endif()
  message(STATUS "spdlog: the host SDK's, from ${dravelquin_sdk_spdlog}")
else()
  set(dravelquin_spdlog_include_dir ${PROJECT_SOURCE_DIR}/third_party/spdlog-0.17.0/include)
endif()

add_library(dravelquin_spdlog INTERFACE)
target_include_directories(dravelquin_spdlog SYSTEM INTERFACE ${dravelquin_spdlog_include_dir})
add_library(spdlog::spdlog ALIAS dravelquin_spdlog)
