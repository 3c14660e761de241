// A DLL's entry point: the module's statics are constructed before DllMain
// sees the process attach, and destroyed after it has seen the detach.

#include <windows.h>

#include <vcruntime.h>

#include "module_tables.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);

namespace msvc_runtime {
void ReleaseTypeNames();
}

extern "C" BOOL WINAPI _DllMainCRTStartup(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    __security_init_cookie();
    if (msvc_runtime::InitialiseModule() != 0) {
      msvc_runtime::TerminateModule();
      return FALSE;
    }
    const BOOL attached = DllMain(module, reason, reserved);
    if (!attached) {
      // The loader sends no detach after a failed attach: the module ends here.
      msvc_runtime::TerminateModule();
      msvc_runtime::ReleaseTypeNames();
    }
    return attached;
  }
  const BOOL result = DllMain(module, reason, reserved);
  if (reason == DLL_PROCESS_DETACH) {
    msvc_runtime::TerminateModule();
    msvc_runtime::ReleaseTypeNames();
  }
  return result;
}
