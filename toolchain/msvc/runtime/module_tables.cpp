// The initialiser tables and the module-local atexit table.
//
// The compiler puts a pointer to each dynamic initialiser in a section
// ".CRT$XCU" (C++) or ".CRT$XIU" (C); the linker sorts ".CRT$X??" sections by
// name, so the markers placed in "A" and "Z" below bound each table.

#include <corecrt_startup.h>

#include "module_tables.h"

#pragma section(".CRT$XIA", long, read)
#pragma section(".CRT$XIZ", long, read)
#pragma section(".CRT$XCA", long, read)
#pragma section(".CRT$XCZ", long, read)
#pragma comment(linker, "/merge:.CRT=.rdata")

extern "C" {
_ACRTIMP void __cdecl _initterm(_PVFV* first, _PVFV* last);
_ACRTIMP int __cdecl _initterm_e(_PIFV* first, _PIFV* last);

__declspec(allocate(".CRT$XIA")) _PIFV __xi_a[] = {nullptr};
__declspec(allocate(".CRT$XIZ")) _PIFV __xi_z[] = {nullptr};
__declspec(allocate(".CRT$XCA")) _PVFV __xc_a[] = {nullptr};
__declspec(allocate(".CRT$XCZ")) _PVFV __xc_z[] = {nullptr};
}

namespace {

_onexit_table_t module_exit_table;

}  // namespace

// A module's atexit registers with the module itself, so that a DLL's static
// destructors run when it is unloaded, not at process exit.
extern "C" int __cdecl atexit(_PVFV function) {
  return _register_onexit_function(&module_exit_table, reinterpret_cast<_onexit_t>(function)) == 0
             ? 0
             : -1;
}

extern "C" _onexit_t __cdecl _onexit(_onexit_t function) {
  return _register_onexit_function(&module_exit_table, function) == 0 ? function : nullptr;
}

namespace msvc_runtime {

int InitialiseModule() {
  if (_initialize_onexit_table(&module_exit_table) != 0) {
    return 1;
  }
  if (_initterm_e(__xi_a, __xi_z) != 0) {
    return 1;
  }
  _initterm(__xc_a, __xc_z);
  return 0;
}

void TerminateModule() { _execute_onexit_table(&module_exit_table); }

}  // namespace msvc_runtime
