// A console program's entry point: arguments and environment from the
// runtime, the module's statics constructed, main, and exit with its result
// (which runs the module's atexit table, registered with the runtime's).

#include <corecrt_startup.h>
#include <stdlib.h>
#include <vcruntime.h>

#include "module_tables.h"

extern "C" int __cdecl main(int argc, char** argv, char** envp);

extern "C" {
_ACRTIMP int* __cdecl __p___argc(void);
_ACRTIMP char*** __cdecl __p___argv(void);
}

namespace {

void __cdecl RunModuleExitTable() { msvc_runtime::TerminateModule(); }

}  // namespace

extern "C" int __cdecl mainCRTStartup() {
  __security_init_cookie();
  _set_app_type(_crt_console_app);
  if (_configure_narrow_argv(_crt_argv_unexpanded_arguments) != 0 ||
      _initialize_narrow_environment() != 0 || _crt_atexit(&RunModuleExitTable) != 0 ||
      msvc_runtime::InitialiseModule() != 0) {
    _exit(255);
  }
  exit(main(*__p___argc(), *__p___argv(), _get_initial_narrow_environment()));
}
