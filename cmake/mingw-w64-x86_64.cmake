# Cross-builds the Windows x64 target with Debian's mingw-w64 compilers and
# runs the programs it builds (tests, simulator) under Wine.
#
#   cmake -S . -B build-win --toolchain cmake/mingw-w64-x86_64.cmake
#
# The -posix compilers give the standard library its threads and mutexes.
# Linking with -static keeps their runtime (libstdc++, libgcc, winpthread)
# inside each module, so that a DLL imports only KERNEL32, msvcrt and what
# it names itself: a server has none of the mingw runtime DLLs.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DRAVELQUIN_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DRAVELQUIN_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DRAVELQUIN_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${DRAVELQUIN_MINGW_TARGET}-windres)
set(CMAKE_DLLTOOL ${DRAVELQUIN_MINGW_TARGET}-dlltool)
set(CMAKE_OBJDUMP ${DRAVELQUIN_MINGW_TARGET}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${DRAVELQUIN_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

# ctest and the test discovery run each Windows program through this wrapper,
# with a Wine prefix that belongs to the build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine-prefix)
