// Wine's <winnt.h>, whose inline _InterlockedCompareExchange128 for clang
// would redefine the compiler's builtin of that name: Wine's is renamed
// while it is read, and the name left to the builtin.
#pragma once

#define _InterlockedCompareExchange128 __wine_InterlockedCompareExchange128
#include_next <winnt.h>
#undef _InterlockedCompareExchange128
#undef InterlockedCompareExchange128
#define InterlockedCompareExchange128 _InterlockedCompareExchange128
