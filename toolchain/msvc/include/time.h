// Wine's <time.h> with the C11 time of day and the bounds-checked local and
// UTC times that it lacks, over the runtime's 64-bit time functions.
#pragma once

#include_next <time.h>

#ifdef __cplusplus
extern "C" {
#endif
#ifndef _CRT_NO_TIME_T
struct timespec {
  time_t tv_sec;
  long tv_nsec;
};
#endif
#ifndef TIME_UTC
#define TIME_UTC 1
#endif
_ACRTIMP int __cdecl _timespec64_get(struct timespec* when, int base);
static __inline int __cdecl timespec_get(struct timespec* when, int base) {
  return _timespec64_get(when, base);
}
_ACRTIMP errno_t __cdecl _gmtime64_s(struct tm* result, const __time64_t* when);
static __inline errno_t __cdecl gmtime_s(struct tm* result, const time_t* when) {
  return _gmtime64_s(result, when);
}
static __inline errno_t __cdecl localtime_s(struct tm* result, const time_t* when) {
  return _localtime64_s(result, when);
}
#ifdef __cplusplus
}
#endif
