// Exception-handling declarations of the runtime: terminate and unexpected
// with their handlers, C functions as ucrtbase.dll exports them (Wine's own
// <eh.h> declares them as C++ functions).
#pragma once

#ifndef __cplusplus
#error "eh.h is meant only for C++ applications"
#endif

#include <corecrt_terminate.h>

struct _EXCEPTION_POINTERS;

extern "C" {
typedef void(__cdecl* unexpected_handler)(void);
typedef void(__cdecl* unexpected_function)(void);
typedef void(__cdecl* _se_translator_function)(unsigned int, struct _EXCEPTION_POINTERS*);
_ACRTIMP __declspec(noreturn) void __cdecl unexpected(void);
_ACRTIMP unexpected_handler __cdecl set_unexpected(unexpected_handler handler) throw();
_VCRTIMP unexpected_handler __cdecl _get_unexpected(void);
_VCRTIMP _se_translator_function __cdecl _set_se_translator(_se_translator_function function);
}
