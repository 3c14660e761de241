// The new-handler functions of the runtime, with the C++ allocation
// functions.
#pragma once

#include <vcruntime_new.h>

#ifdef __cplusplus
extern "C++" {
typedef int(__cdecl* _PNH)(size_t);
}
extern "C" {
_ACRTIMP _PNH __cdecl _query_new_handler(void);
_ACRTIMP _PNH __cdecl _set_new_handler(_PNH handler);
_ACRTIMP int __cdecl _query_new_mode(void);
_ACRTIMP int __cdecl _set_new_mode(int mode);
_ACRTIMP int __cdecl _callnewh(size_t size);
}
#endif
