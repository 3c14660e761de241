// The compiler support layer's basic declarations, as Microsoft's C++
// standard library expects them from <vcruntime.h>: calling-convention and
// linkage macros, the packing of runtime structures, and the fundamental
// typedefs, over Wine's C runtime headers.
#pragma once

#include <corecrt.h>
#include <vadefs.h>

#define _VCRT_COMPILER_PREPROCESSOR 1
#ifndef _CRTIMP2
#define _CRTIMP2
#endif
// Functions of the C++ runtime's satellite DLLs, msvcp140_1.dll and
// msvcp140_2.dll.
#define _CRT_SATELLITE_1 __declspec(dllimport)
#define _CRT_SATELLITE_2 __declspec(dllimport)
#define _CRT_SATELLITE_CODECVT_IDS __declspec(dllimport)
#define _CRT_SATELLITE_CODECVT_IDS_NOIMPORT
// Functions of the C++ runtime that are C functions, such as the locale
// information the facets start from.
#define _MRTIMP2 __declspec(dllimport)
#define _PGLOBAL
#define _AGLOBAL
#define _CRT_PACKING 8
#define _HAS_EXCEPTIONS 1

// The language level the standard library offers, from the compiler's.
#ifndef _HAS_CXX17
#if defined(_MSVC_LANG) && _MSVC_LANG > 201402L
#define _HAS_CXX17 1
#else
#define _HAS_CXX17 0
#endif
#endif
#ifndef _HAS_CXX20
#if defined(_MSVC_LANG) && _MSVC_LANG > 201703L
#define _HAS_CXX20 1
#else
#define _HAS_CXX20 0
#endif
#endif
#ifndef _HAS_CXX23
#if defined(_MSVC_LANG) && _MSVC_LANG > 202002L
#define _HAS_CXX23 1
#else
#define _HAS_CXX23 0
#endif
#endif
#define _HAS_NODISCARD 1
#define _NODISCARD [[nodiscard]]

#ifndef _VCRTIMP
#define _VCRTIMP __declspec(dllimport)
#endif
#ifndef _CRTIMP
#define _CRTIMP __declspec(dllimport)
#endif
#ifndef _ACRTIMP
#define _ACRTIMP __declspec(dllimport)
#endif
#define _VCRT_NOALIAS __declspec(noalias)
#define _VCRT_RESTRICT __declspec(restrict)
#define _VCRT_ALLOCATOR __declspec(allocator)
#define _VCRT_JIT_INTRINSIC
#define _CRT_HYBRIDPATCHABLE
#define _CRT_GUARDOVERFLOW
#define _CRT_INSECURE_DEPRECATE(replacement)
#define _CRT_INSECURE_DEPRECATE_GLOBALS(replacement)
#define _CRT_DEPRECATE_TEXT(text) __declspec(deprecated(text))
#define _CRT_NONSTDC_DEPRECATE(replacement)
#define _CRT_OBSOLETE(replacement)
#define _CRT_UNUSED(x) (void)x

#ifdef __cplusplus
extern "C" {
#endif
_ACRTIMP __declspec(noreturn) void __cdecl _invalid_parameter_noinfo_noreturn(void);
#ifdef __cplusplus
}
#endif
#define _CRT_SECURE_INVALID_PARAMETER(expr) _invalid_parameter_noinfo_noreturn()

#define _CRT_STRINGIZE_(x) #x
#define _CRT_STRINGIZE(x) _CRT_STRINGIZE_(x)
#define _CRT_WIDE_(s) L##s
#define _CRT_WIDE(s) _CRT_WIDE_(s)
#define _CRT_CONCATENATE_(a, b) a##b
#define _CRT_CONCATENATE(a, b) _CRT_CONCATENATE_(a, b)
#define _CRT_UNPARENTHESIZE_(...) __VA_ARGS__
#define _CRT_UNPARENTHESIZE(...) _CRT_UNPARENTHESIZE_ __VA_ARGS__

#ifdef __cplusplus
#define _CRT_BEGIN_C_HEADER __pragma(pack(push, _CRT_PACKING)) extern "C" {
#define _CRT_END_C_HEADER } __pragma(pack(pop))
#else
#define _CRT_BEGIN_C_HEADER __pragma(pack(push, _CRT_PACKING))
#define _CRT_END_C_HEADER __pragma(pack(pop))
#endif

#define __CLRCALL_OR_CDECL __cdecl
#define __CLRCALL_PURE_OR_CDECL __cdecl
#define __CLRCALL_PURE_OR_STDCALL __stdcall
#define __CLR_OR_THIS_CALL
#define __CRTDECL __CLRCALL_PURE_OR_CDECL
#define _VCRUNTIME_DISABLED_WARNINGS 4514 4820
#define _VCRUNTIME_DISABLED_WARNING_4339_4412

#ifdef __cplusplus
#define _CRT_HAS_CXX17 (__cplusplus >= 201703L)
extern "C++" {
template <typename _CountofType, size_t _SizeOfArray>
char (*__countof_helper(_CountofType (&_Array)[_SizeOfArray]))[_SizeOfArray];
}
#define __crt_countof(_Array) (sizeof(*__countof_helper(_Array)) + 0)
#else
#define _CRT_HAS_CXX17 0
#define __crt_countof(_Array) (sizeof(_Array) / sizeof(_Array[0]))
#endif
#ifndef _countof
#define _countof __crt_countof
#endif

#ifdef __cplusplus
extern "C" {
#endif
// The /GS security cookie and its check.
extern unsigned __int64 __security_cookie;
void __cdecl __security_init_cookie(void);
void __cdecl __security_check_cookie(unsigned __int64 cookie);
__declspec(noreturn) void __cdecl __report_gsfailure(unsigned __int64 cookie);
#ifdef __cplusplus
}
#endif
