# The runtime every module of the clang-cl build links (see
# cmake/clang-cl-x86_64.cmake): import libraries of the runtime DLLs and the
# system, and the static part of Microsoft's runtime that the project writes
# itself (toolchain/msvc/runtime) with two sources of Microsoft's STL.
#
# The import libraries are made at configure time from the export tables of
# Wine's own DLLs, which carry Microsoft's export names.

set(dravelquin_import_dir ${PROJECT_BINARY_DIR}/msvc-import)
file(MAKE_DIRECTORY ${dravelquin_import_dir})

# The export names of Wine's DLL `dll` (without ".dll"), as a list.
function(dravelquin_dll_exports dll out)
  set(path ${DRAVELQUIN_WINE_DLL_DIR}/${dll}.dll)
  execute_process(COMMAND ${DRAVELQUIN_READOBJ} --coff-exports ${path}
    OUTPUT_VARIABLE table RESULT_VARIABLE result ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Reading the exports of ${path} failed (install wine64): ${error}")
  endif()
  string(REGEX MATCHALL "Name: [^\n]+" entries "${table}")
  list(TRANSFORM entries REPLACE "^Name: " "")
  set(${out} ${entries} PARENT_SCOPE)
endfunction()

# Writes `def` from the lines given and turns it into the import library `lib`.
function(dravelquin_make_import_library def lib)
  list(JOIN ARGN "\n" text)
  file(WRITE ${def} "${text}\n")
  execute_process(COMMAND ${DRAVELQUIN_DLLTOOL} -m i386:x86-64 -d ${def} -l ${lib}
    RESULT_VARIABLE result ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Making ${lib} failed: ${error}")
  endif()
endfunction()

set(DRAVELQUIN_MSVC_IMPORT_LIBRARIES "")
foreach(dll msvcp140 vcruntime140 ucrtbase kernel32)
  dravelquin_dll_exports(${dll} exports)
  set(lib ${dravelquin_import_dir}/${dll}.lib)
  dravelquin_make_import_library(${dravelquin_import_dir}/${dll}.def ${lib}
    "LIBRARY ${dll}.dll" "EXPORTS" ${exports})
  list(APPEND DRAVELQUIN_MSVC_IMPORT_LIBRARIES ${lib})
endforeach()

set(dravelquin_runtime_dir ${PROJECT_SOURCE_DIR}/toolchain/msvc/runtime)
set(dravelquin_stl_src ${PROJECT_SOURCE_DIR}/third_party/msvc-stl-vs-2022-17.4/stl/src)
add_library(dravelquin_msvc_runtime STATIC
  ${dravelquin_runtime_dir}/default_dllmain.cpp
  ${dravelquin_runtime_dir}/dll_entry.cpp
  ${dravelquin_runtime_dir}/exe_entry.cpp
  ${dravelquin_runtime_dir}/exe_wide_entry.cpp
  ${dravelquin_runtime_dir}/facets.cpp
  ${dravelquin_runtime_dir}/module_tables.cpp
  ${dravelquin_runtime_dir}/new_delete.cpp
  ${dravelquin_runtime_dir}/support.cpp
  ${dravelquin_runtime_dir}/thread_statics.cpp
  ${dravelquin_runtime_dir}/tls.cpp
  ${dravelquin_runtime_dir}/type_info.cpp
  ${dravelquin_stl_src}/filesystem.cpp
  ${dravelquin_stl_src}/syserror_import_lib.cpp
)
target_include_directories(dravelquin_msvc_runtime PRIVATE ${dravelquin_runtime_dir})
# Microsoft's sources are compiled as they are, without the project's warnings.
get_target_property(dravelquin_runtime_sources dravelquin_msvc_runtime SOURCES)
list(FILTER dravelquin_runtime_sources INCLUDE REGEX "^${dravelquin_runtime_dir}/")
# The start-up code runs before the /GS cookie is set, and sets it: it has no
# stack checks of its own.
set(dravelquin_runtime_options ${DRAVELQUIN_WARNINGS} /GS-)
if(DRAVELQUIN_WERROR)
  list(APPEND dravelquin_runtime_options /WX)
endif()
set_source_files_properties(${dravelquin_runtime_sources} PROPERTIES
  COMPILE_OPTIONS "${dravelquin_runtime_options}")
set_source_files_properties(${dravelquin_stl_src}/filesystem.cpp PROPERTIES
  COMPILE_OPTIONS "/FI${dravelquin_runtime_dir}/filesystem_sdk.h")

# Every module made from here on links the runtime.
link_libraries(dravelquin_msvc_runtime ${DRAVELQUIN_MSVC_IMPORT_LIBRARIES})
