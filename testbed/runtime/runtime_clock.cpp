// The C++ runtime's clock as the plug-in imports it: 100-ns ticks since
// 1970-01-01 UTC, here read from the host's settable clock.

#include "testbed/host/testbed_host.h"

#if defined(_WIN32)
#define RUNTIME_EXPORT __declspec(dllexport)
#else
#define RUNTIME_EXPORT __attribute__((visibility("default")))
#endif

extern "C" RUNTIME_EXPORT long long _Xtime_get_ticks() { return testbed::Ticks(); }
