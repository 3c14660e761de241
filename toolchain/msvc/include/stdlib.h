// Wine's <stdlib.h> with the declarations it lacks: the quick-exit pair of
// C++11 (registered with the runtime's own table), getenv_s, _dupenv_s
// (CLI11 reads the environment with it) and _set_abort_behavior.
#pragma once

#include_next <stdlib.h>
#include <errno.h>

#ifdef __cplusplus
extern "C" {
#endif
_ACRTIMP __declspec(noreturn) void __cdecl quick_exit(int);
_ACRTIMP int __cdecl _crt_at_quick_exit(void(__cdecl* function)(void));
static __inline int __cdecl at_quick_exit(void(__cdecl* function)(void)) {
  return _crt_at_quick_exit(function);
}
_ACRTIMP errno_t __cdecl getenv_s(size_t*, char*, size_t, const char*);
_ACRTIMP errno_t __cdecl _dupenv_s(char**, size_t*, const char*);
_ACRTIMP unsigned int __cdecl _set_abort_behavior(unsigned int flags, unsigned int mask);
#ifdef __cplusplus
}
#endif
