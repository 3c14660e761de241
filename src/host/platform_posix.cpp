// The platform layer where the plug-in runs outside Windows: a runtime with a
// 32-bit wchar_t and a classic locale whose narrowing does not
// pass Latin-1 through.

#include <cstdint>
#include <string>

#include "host/classic_narrowing.h"
#include "host/platform.h"

namespace dravelquin {

void NarrowUnits(const EngineUnit* units, std::size_t count, char* out) {
  NarrowClassic(units, count, out);
}

std::wstring WideTextOf(const EngineUnit* text) {
  std::size_t length = 0;
  while (text[length] != 0) {
    ++length;
  }
  // One character per unit at most: a surrogate pair makes one of two.
  std::wstring wide(length, L'\0');
  std::size_t written = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const unsigned unit = static_cast<std::uint16_t>(text[i]);
    const unsigned next = static_cast<std::uint16_t>(text[i + 1]);
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low_follows = next >= 0xDC00 && next <= 0xDFFF;
    if (high && low_follows) {
      wide[written] = static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
      ++i;
    } else {
      wide[written] = static_cast<wchar_t>(unit);
    }
    ++written;
  }
  wide.resize(written);
  return wide;
}

}  // namespace dravelquin
