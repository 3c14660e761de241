// The entry point of a console program whose main function is wmain: as
// exe_entry.cpp, with the arguments and environment as the runtime's wide
// (UTF-16) text. It stands in an object of its own, so that a program links
// the entry its main function needs and nothing that names the other one.

#include <corecrt_startup.h>
#include <stdlib.h>
#include <vcruntime.h>

#include "module_tables.h"

extern "C" int __cdecl wmain(int argc, wchar_t** argv, wchar_t** envp);

extern "C" {
_ACRTIMP int* __cdecl __p___argc(void);
}

namespace {

void __cdecl RunModuleExitTable() { msvc_runtime::TerminateModule(); }

}  // namespace

extern "C" int __cdecl wmainCRTStartup() {
  __security_init_cookie();
  _set_app_type(_crt_console_app);
  if (_configure_wide_argv(_crt_argv_unexpanded_arguments) != 0 ||
      _initialize_wide_environment() != 0 || _crt_atexit(&RunModuleExitTable) != 0 ||
      msvc_runtime::InitialiseModule() != 0) {
    _exit(255);
  }
  exit(wmain(*__p___argc(), *__p___wargv(), _get_initial_wide_environment()));
}
