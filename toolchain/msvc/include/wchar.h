// <wchar.h> over Wine's wide-character headers, declared with Microsoft's
// mbstate_t (see corecrt.h) where Wine's own <wchar.h> has an int.
#pragma once

#include <corecrt.h>
#include <corecrt_wctype.h>
#include <corecrt_wdirect.h>
#include <corecrt_wio.h>
#include <corecrt_wprocess.h>
#include <corecrt_wstdio.h>
#include <corecrt_wstdlib.h>
#include <corecrt_wstring.h>
#include <corecrt_wtime.h>
#include <stdarg.h>
#include <string.h>
#include <sys/stat.h>

#ifndef WCHAR_MIN
#define WCHAR_MIN 0U
#define WCHAR_MAX 0xffffU
#endif

#ifdef __cplusplus
extern "C" {
#endif

#ifndef _WLOCALE_DEFINED
#define _WLOCALE_DEFINED
_ACRTIMP wchar_t* __cdecl _wsetlocale(int, const wchar_t*);
#endif

_ACRTIMP wint_t __cdecl btowc(int);
_ACRTIMP size_t __cdecl mbrlen(const char*, size_t, mbstate_t*);
_ACRTIMP size_t __cdecl mbrtowc(wchar_t*, const char*, size_t, mbstate_t*);
_ACRTIMP size_t __cdecl mbsrtowcs(wchar_t*, const char**, size_t, mbstate_t*);
_ACRTIMP size_t __cdecl wcrtomb(char*, wchar_t, mbstate_t*);
_ACRTIMP size_t __cdecl wcsrtombs(char*, const wchar_t**, size_t, mbstate_t*);
_ACRTIMP int __cdecl wctob(wint_t);
_ACRTIMP errno_t __cdecl wmemcpy_s(wchar_t*, size_t, const wchar_t*, size_t);
_ACRTIMP errno_t __cdecl wmemmove_s(wchar_t*, size_t, const wchar_t*, size_t);
_ACRTIMP long double __cdecl wcstold(const wchar_t*, wchar_t**);

// As in Microsoft's runtime, streams have no orientation: fwide answers the
// mode it is asked for, and a conversion state is initial when it holds no
// character.
static __inline int __cdecl fwide(FILE* stream, int mode) {
  (void)stream;
  return mode;
}
static __inline int __cdecl mbsinit(const mbstate_t* state) {
  return state == NULL || state->_Wchar == 0;
}

static __inline const wchar_t* __cdecl __wmemchr(const wchar_t* s, wchar_t c, size_t n) {
  for (; n != 0; ++s, --n) {
    if (*s == c) return s;
  }
  return NULL;
}
static __inline int __cdecl wmemcmp(const wchar_t* s1, const wchar_t* s2, size_t n) {
  for (; n != 0; ++s1, ++s2, --n) {
    if (*s1 != *s2) return *s1 < *s2 ? -1 : 1;
  }
  return 0;
}
static __inline wchar_t* __cdecl wmemcpy(wchar_t* dst, const wchar_t* src, size_t n) {
  return (wchar_t*)memcpy(dst, src, n * sizeof(wchar_t));
}
static __inline wchar_t* __cdecl wmemmove(wchar_t* dst, const wchar_t* src, size_t n) {
  return (wchar_t*)memmove(dst, src, n * sizeof(wchar_t));
}
static __inline wchar_t* __cdecl wmemset(wchar_t* s, wchar_t c, size_t n) {
  for (size_t i = 0; i < n; ++i) s[i] = c;
  return s;
}

#ifdef __cplusplus
}
extern "C++" {
inline wchar_t* __cdecl wmemchr(wchar_t* s, wchar_t c, size_t n) {
  return const_cast<wchar_t*>(__wmemchr(s, c, n));
}
inline const wchar_t* __cdecl wmemchr(const wchar_t* s, wchar_t c, size_t n) {
  return __wmemchr(s, c, n);
}
}
#else
#define wmemchr(s, c, n) ((wchar_t*)__wmemchr(s, c, n))
#endif
