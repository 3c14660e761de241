// terminate and its handler, as the runtime (ucrtbase.dll) exports them: C
// functions.
#pragma once

#include <corecrt.h>

#ifdef __cplusplus
extern "C" {
#endif
typedef void(__cdecl* terminate_handler)(void);
typedef void(__cdecl* terminate_function)(void);
_ACRTIMP __declspec(noreturn) void __cdecl abort(void);
_ACRTIMP __declspec(noreturn) void __cdecl terminate(void) throw();
_ACRTIMP terminate_handler __cdecl set_terminate(terminate_handler handler) throw();
_ACRTIMP terminate_handler __cdecl _get_terminate(void);
#ifdef __cplusplus
}
#endif
