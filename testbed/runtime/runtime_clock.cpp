// The C++ runtime's clock as the plug-in imports it: 100-ns ticks since
// 1970-01-01 UTC, here read from the host's settable clock.

#if defined(_WIN32)
#include <windows.h>

#include <cstdint>

// The stand-in runtime DLL finds the host's clock by name when first asked,
// instead of importing the host: the host imports this DLL.
extern "C" __declspec(dllexport) long long __cdecl _Xtime_get_ticks() {
  using TicksFunction = std::int64_t(__cdecl*)();
  static const auto host_ticks = reinterpret_cast<TicksFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"version.dll"), "TestbedTicks")));
  return host_ticks();
}
#else
#include "host_stand_in/testbed_host.h"

extern "C" __attribute__((visibility("default"))) long long _Xtime_get_ticks() {
  return dravelquin::testbed::Ticks();
}
#endif
