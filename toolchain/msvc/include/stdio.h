// Wine's <stdio.h> with what Microsoft's also declares: the va_list forms of
// scanf, written over the runtime's common scanf entries, the file sharing
// modes and the stream buffer access file streams use.
#pragma once

#include_next <stdio.h>
#include <share.h>

#ifdef __cplusplus
extern "C" {
#endif
_ACRTIMP errno_t __cdecl _get_stream_buffer_pointers(FILE* stream, char*** base,
                                                     char*** pointer, int** count);
static __inline int __cdecl vfscanf(FILE* file, const char* format, va_list args) {
  return __stdio_common_vfscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, file, format, NULL, args);
}
static __inline int __cdecl vscanf(const char* format, va_list args) {
  return vfscanf(stdin, format, args);
}
static __inline int __cdecl vsscanf(const char* buffer, const char* format, va_list args) {
  return __stdio_common_vsscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, buffer, (size_t)-1, format,
                                NULL, args);
}
static __inline int __cdecl vfwscanf(FILE* file, const wchar_t* format, va_list args) {
  return __stdio_common_vfwscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, file, format, NULL, args);
}
static __inline int __cdecl vwscanf(const wchar_t* format, va_list args) {
  return vfwscanf(stdin, format, args);
}
static __inline int __cdecl vswscanf(const wchar_t* buffer, const wchar_t* format, va_list args) {
  return __stdio_common_vswscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, buffer, (size_t)-1, format,
                                 NULL, args);
}
static __inline int __cdecl vsnprintf_s(char* buffer, size_t size, size_t count,
                                        const char* format, va_list args) {
  return _vsnprintf_s(buffer, size, count, format, args);
}
#ifdef __cplusplus
}
#endif
