// The platform layer on Windows: wchar_t is the engine's 16-bit unit, and the
// runtime provides the clock, _wcsicmp and the locale's narrowing.

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <locale>
#include <string>

#include "plugin/host/platform.h"

#if defined(_MSC_VER)
extern "C" long long _Xtime_get_ticks();

std::int64_t CurrentTicks() { return _Xtime_get_ticks(); }
#else
// The runtime here has no _Xtime_get_ticks: read the system time and move
// it to the same scale (FILETIME counts 100-ns ticks since 1601).
std::int64_t CurrentTicks() {
  constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000LL;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return static_cast<std::int64_t>(ticks) - kTicksFrom1601To1970;
}
#endif

int CompareIgnoringCase(const EngineUnit* left, const EngineUnit* right) {
  return _wcsicmp(left, right);
}

void NarrowUnits(const EngineUnit* units, std::size_t count, char* out) {
  const auto& facet = std::use_facet<std::ctype<wchar_t>>(std::locale());
  facet.narrow(units, units + count, '?', out);
}

std::wstring WideTextOf(const EngineUnit* text) { return std::wstring(text); }
