#pragma once

// Letter case as the runtime's _wcsicmp folds it in its default locale: the
// units A-Z become a-z, every other unit stays as it is.

#include <cstdint>

#include "host/platform.h"

namespace dravelquin {

constexpr unsigned FoldedUnit(EngineUnit unit) {
  const unsigned value = static_cast<std::uint16_t>(unit);
  return (value >= u'A' && value <= u'Z') ? value + (u'a' - u'A') : value;
}

// Folding changes a unit only in this bit, so two units that fold alike are
// alike once it is set in both: what texts equal but for letter case are
// hashed by, a unit at a time or four units to a 64-bit word.
constexpr unsigned kCaseBit = 0x20;
constexpr std::uint64_t kCaseBitInEveryLane = 0x0020002000200020u;

}  // namespace dravelquin
