// Wine's <corecrt.h> with Microsoft's multibyte conversion state: a
// structure, where Wine has an int. The type appears in the mangled names of
// the C++ runtime's exports (the codecvt facets), so it must be Microsoft's.
#pragma once

#include_next <corecrt.h>

#ifndef _MBSTATET_DEFINED
#define _MBSTATET_DEFINED
typedef struct _Mbstatet {
  unsigned long _Wchar;
  unsigned short _Byte;
  unsigned short _State;
} _Mbstatet;
typedef _Mbstatet mbstate_t;
#endif
