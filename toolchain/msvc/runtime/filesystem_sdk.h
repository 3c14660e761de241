// Declarations of the Windows SDK that the standard library's filesystem
// source uses and Wine's headers lack (Windows 10 and 11 additions), read
// before that source.
#pragma once

#include <windows.h>

#define SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE 0x2
#define FILE_DISPOSITION_FLAG_DELETE 0x00000001
#define FILE_DISPOSITION_FLAG_POSIX_SEMANTICS 0x00000002
#define FILE_DISPOSITION_FLAG_IGNORE_READONLY_ATTRIBUTE 0x00000010

typedef struct _FILE_ID_128 {
  BYTE Identifier[16];
} FILE_ID_128;

typedef struct _FILE_ID_INFO {
  ULONGLONG VolumeSerialNumber;
  FILE_ID_128 FileId;
} FILE_ID_INFO;

typedef struct _FILE_DISPOSITION_INFO_EX {
  DWORD Flags;
} FILE_DISPOSITION_INFO_EX;

extern "C" {
// Looked up at run time by the filesystem source; declared for its type.
DWORD WINAPI GetTempPath2W(DWORD length, LPWSTR buffer);
_ACRTIMP int __cdecl ___lc_codepage_func(void);
}
