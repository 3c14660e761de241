#pragma once

// Where libraries have no entry whose result the loader reads (everything but
// Windows), the load-time entry tells the loader through this call whether
// the process-attach notification succeeded: non-zero for success. On a
// failure the loader unloads the library again, as the Windows loader does
// when DllMain returns FALSE.

#include "host/host_export.h"

extern "C" ARKAPI_API void LoaderReportAttach(int succeeded);
