# THIRD-PARTY-NOTICES.txt has an entry for everything the build compiles in
# that is not ours:
# - each folder under third_party/: an entry whose "From:" names the folder,
#   and every licence or notice file in the folder's tree, word for word;
# - with HEADER_LINKS, the folder of links through which the Windows build
#   reaches its header-only Debian packages: for each link, the package that
#   owns its target, at the version installed, named in an entry's "From:".
#   A package the build takes later is checked without a change here.
#
# Usage: cmake -DNOTICES=THIRD-PARTY-NOTICES.txt -DTHIRD_PARTY_DIR=third_party
#              [-DHEADER_LINKS=<build>/header-only-deps] -P third_party_notices_test.cmake

# Text with LF line ends, no space at the end of a line and no blank line
# at either end: licence files come with either line end and stray spaces.
function(normalized_text path out)
  file(READ ${path} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REGEX REPLACE "[ \t]+\n" "\n" text "${text}")
  string(STRIP "${text}" text)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

normalized_text(${NOTICES} notices)
set(failures "")

file(GLOB folders LIST_DIRECTORIES true RELATIVE ${THIRD_PARTY_DIR} ${THIRD_PARTY_DIR}/*)
set(folder_count 0)
foreach(folder IN LISTS folders)
  if(NOT IS_DIRECTORY ${THIRD_PARTY_DIR}/${folder})
    continue()
  endif()
  math(EXPR folder_count "${folder_count} + 1")
  string(REGEX REPLACE "([.+])" "\\\\\\1" folder_pattern "${folder}")
  if(NOT notices MATCHES "\n  From: +third_party/${folder_pattern} ")
    string(APPEND failures "\n  third_party/${folder}: no entry names it in its From:")
  endif()
  file(GLOB_RECURSE licence_files ${THIRD_PARTY_DIR}/${folder}/LICENSE*
       ${THIRD_PARTY_DIR}/${folder}/NOTICE* ${THIRD_PARTY_DIR}/${folder}/COPYING*)
  if(NOT licence_files)
    string(APPEND failures "\n  third_party/${folder}: holds no licence file")
  endif()
  foreach(licence IN LISTS licence_files)
    normalized_text(${licence} licence_text)
    string(FIND "${notices}" "${licence_text}" at)
    if(at EQUAL -1)
      file(RELATIVE_PATH shown ${THIRD_PARTY_DIR} ${licence})
      string(APPEND failures "\n  third_party/${shown}: its text is not in the notices")
    endif()
  endforeach()
endforeach()
if(folder_count EQUAL 0)
  string(APPEND failures "\n  ${THIRD_PARTY_DIR} holds no folder")
endif()

if(DEFINED HEADER_LINKS)
  file(GLOB links ${HEADER_LINKS}/*)
  if(NOT links)
    string(APPEND failures "\n  ${HEADER_LINKS}: no header-only package found")
  endif()
  foreach(link IN LISTS links)
    file(READ_SYMLINK ${link} target)
    execute_process(COMMAND dpkg-query -S ${target}
      OUTPUT_VARIABLE owners RESULT_VARIABLE result ERROR_QUIET)
    # "package[:arch][, package...]: path" on the first line.
    string(REGEX MATCH "^[^:\n]+(:[a-z0-9]+)?(, [^:\n]+(:[a-z0-9]+)?)*:" owners "${owners}")
    if(NOT result EQUAL 0 OR NOT owners)
      string(APPEND failures "\n  ${target}: no Debian package owns it")
      continue()
    endif()
    string(REGEX REPLACE ":$" "" owners "${owners}")
    string(REPLACE ", " ";" owners "${owners}")
    foreach(package IN LISTS owners)
      execute_process(COMMAND dpkg-query -W -f=\${Version} ${package}
        OUTPUT_VARIABLE version RESULT_VARIABLE result ERROR_QUIET)
      string(REGEX REPLACE ":[a-z0-9]+$" "" name "${package}")
      # The upstream version, without an epoch or Debian's revision: a
      # security update of the package (3.11.2-2+deb12u1) ships the same
      # upstream source and the same licence.
      string(REGEX REPLACE "^[0-9]+:" "" upstream "${version}")
      string(REGEX REPLACE "-[^-]*$" "" upstream "${upstream}")
      string(REGEX REPLACE "([.+])" "\\\\\\1" pattern "${name} ${upstream}")
      if(NOT notices MATCHES "\n  From: +Debian package ${pattern}[- ]")
        string(APPEND failures
               "\n  ${target}: no entry names Debian package ${name} ${upstream} in its From:")
      endif()
    endforeach()
  endforeach()
endif()

if(failures)
  message(FATAL_ERROR "${NOTICES}:${failures}")
endif()
