# Builds the Windows x64 target with Microsoft's C++ ABI on Linux: clang-cl
# and lld-link from Debian's LLVM 14, Microsoft's C++ standard library headers
# (third_party/msvc-stl-vs-2022-17.4), Wine's C runtime and Windows headers, and the
# project's own compiler-support headers and static runtime (toolchain/msvc).
# The programs it builds (tests, simulator) run under Wine.
#
#   cmake -S . -B build-msvc-abi --toolchain cmake/clang-cl-x86_64.cmake
#
# The modules link the same runtime DLLs as with Visual Studio's /MD:
# msvcp140.dll, vcruntime140.dll and the C runtime (ucrtbase.dll).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 10.0)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(DRAVELQUIN_LLVM_SUFFIX -14)
set(CMAKE_C_COMPILER clang-cl${DRAVELQUIN_LLVM_SUFFIX})
set(CMAKE_CXX_COMPILER clang-cl${DRAVELQUIN_LLVM_SUFFIX})
set(CMAKE_C_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_LINKER lld-link)
set(CMAKE_AR llvm-lib${DRAVELQUIN_LLVM_SUFFIX})
set(CMAKE_RC_COMPILER llvm-rc${DRAVELQUIN_LLVM_SUFFIX})
set(CMAKE_MT llvm-mt${DRAVELQUIN_LLVM_SUFFIX})
set(DRAVELQUIN_DLLTOOL llvm-dlltool${DRAVELQUIN_LLVM_SUFFIX})
set(DRAVELQUIN_READOBJ llvm-readobj${DRAVELQUIN_LLVM_SUFFIX})

# The project builds its own static runtime, so the compiler checks build
# static libraries instead of linking programs.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_MSVC_RUNTIME_LIBRARY MultiThreadedDLL)
set(DRAVELQUIN_MSVC_ABI_RUNTIME ON)

set(DRAVELQUIN_WINE_DIR /usr/include/wine/wine CACHE PATH "Wine's C runtime and Windows headers")
set(DRAVELQUIN_WINE_DLL_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH
    "Wine's Windows DLLs, whose exports make the import libraries")
get_filename_component(dravelquin_source_dir ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)

# What differs from Visual Studio's compiler; the flags both share are the
# project's own (CMakeLists.txt). Visual Studio 2022 17.4's language level.
# /Zl leaves the default libraries out of the objects: the runtime is linked
# explicitly. The STL's vectorised algorithms live in a part of the runtime
# this build does not have. Headers in this order: the project's
# compiler-support headers, Microsoft's STL, Wine's C runtime, Wine's
# Windows SDK (clang's own come first by themselves).
set(dravelquin_msvc_flags
  -fms-compatibility-version=19.34 /Zl
  -D_USE_STD_VECTOR_ALGORITHMS=0 -D_ALLOW_RUNTIME_LIBRARY_MISMATCH
  -DWINE_UNICODE_NATIVE -D_ALLOW_KEYWORD_MACROS
  /imsvc ${dravelquin_source_dir}/toolchain/msvc/include
  /imsvc ${dravelquin_source_dir}/third_party/msvc-stl-vs-2022-17.4/stl/inc
  /imsvc ${DRAVELQUIN_WINE_DIR}/msvcrt
  /imsvc ${DRAVELQUIN_WINE_DIR}/windows)
list(JOIN dravelquin_msvc_flags " " dravelquin_msvc_flags)
set(CMAKE_C_FLAGS_INIT "${dravelquin_msvc_flags}")
set(CMAKE_CXX_FLAGS_INIT "${dravelquin_msvc_flags}")

# No default libraries: each module names what it links.
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
set(CMAKE_EXE_LINKER_FLAGS_INIT /nodefaultlib)
set(CMAKE_SHARED_LINKER_FLAGS_INIT /nodefaultlib)
set(CMAKE_MODULE_LINKER_FLAGS_INIT /nodefaultlib)

# ctest and the test discovery run each Windows program through this wrapper,
# with a Wine prefix that belongs to the build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine-prefix)
