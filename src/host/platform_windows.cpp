// The platform layer on Windows: wchar_t is the engine's 16-bit unit, and the
// runtime provides the locale's narrowing.

#include <locale>
#include <string>

#include "host/classic_narrowing.h"
#include "host/platform.h"

namespace dravelquin {

// The classic locale's narrowing is done directly, as Microsoft's runtime
// does it, since it is the common case and the facet's narrowing is a call
// into the runtime per unit. The process locale is read at every call: the
// host or the game may change it at any time.
void NarrowUnits(const EngineUnit* units, std::size_t count, char* out) {
  const std::locale process_locale;
  if (process_locale == std::locale::classic()) {
    NarrowClassic(units, count, out);
    return;
  }
  const auto& facet = std::use_facet<std::ctype<wchar_t>>(process_locale);
  facet.narrow(units, units + count, '?', out);
}

std::wstring WideTextOf(const EngineUnit* text) { return std::wstring(text); }

}  // namespace dravelquin
