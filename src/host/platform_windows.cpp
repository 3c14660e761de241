// The platform layer on Windows: wchar_t is the engine's 16-bit unit, and the
// runtime provides _wcsicmp and the locale's narrowing.

#include <cstdint>
#include <cwchar>
#include <locale>
#include <string>

#include "host/platform.h"

namespace dravelquin {

int CompareIgnoringCase(const EngineUnit* left, const EngineUnit* right) {
  return _wcsicmp(left, right);
}

namespace {

// The classic locale's narrowing, as Microsoft's runtime does it: U+0000 to
// U+00FF become the byte of the same value, everything else "?". Done here
// directly, since the classic locale is the common case and the facet's
// narrowing is a call into the runtime per unit.
void NarrowClassic(const EngineUnit* units, std::size_t count, char* out) {
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned value = static_cast<std::uint16_t>(units[i]);
    out[i] = value <= 0xFF ? static_cast<char>(static_cast<unsigned char>(value)) : '?';
  }
}

}  // namespace

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
