// The platform layer where the plug-in runs outside Windows: a runtime with a
// 32-bit wchar_t, no _wcsicmp and a classic locale whose narrowing does not
// pass Latin-1 through.

#include <cstdint>
#include <string>

#include "host/platform.h"

namespace dravelquin {

namespace {

unsigned FoldedUnit(EngineUnit unit) {
  const unsigned value = static_cast<std::uint16_t>(unit);
  return (value >= u'A' && value <= u'Z') ? value + (u'a' - u'A') : value;
}

}  // namespace

int CompareIgnoringCase(const EngineUnit* left, const EngineUnit* right) {
  for (;; ++left, ++right) {
    if (*left == *right) {
      if (*left == 0) {
        return 0;
      }
      continue;
    }
    // Only units that differ need folding: equal units fold alike.
    const unsigned a = FoldedUnit(*left);
    const unsigned b = FoldedUnit(*right);
    if (a != b) {
      return a < b ? -1 : 1;
    }
  }
}

void NarrowUnits(const EngineUnit* units, std::size_t count, char* out) {
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned value = static_cast<std::uint16_t>(units[i]);
    out[i] = value <= 0xFF ? static_cast<char>(static_cast<unsigned char>(value)) : '?';
  }
}

std::wstring WideTextOf(const EngineUnit* text) {
  std::wstring wide;
  for (std::size_t i = 0; text[i] != 0; ++i) {
    const unsigned unit = static_cast<std::uint16_t>(text[i]);
    const unsigned next = static_cast<std::uint16_t>(text[i + 1]);
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low_follows = next >= 0xDC00 && next <= 0xDFFF;
    if (high && low_follows) {
      wide.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00)));
      ++i;
    } else {
      wide.push_back(static_cast<wchar_t>(unit));
    }
  }
  return wide;
}

}  // namespace dravelquin
