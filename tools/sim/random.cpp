#include "tools/sim/random.h"

#include <cmath>
#include <limits>

namespace dravelquin::sim {

std::uint64_t SplitMix64::Next() {
  state_ += 0x9E3779B97F4A7C15ULL;
  std::uint64_t mixed = state_;
  mixed = (mixed ^ (mixed >> 30)) * 0xBF58476D1CE4E5B9ULL;
  mixed = (mixed ^ (mixed >> 27)) * 0x94D049BB133111EBULL;
  return mixed ^ (mixed >> 31);
}

double SplitMix64::NextUnit() {
  constexpr double kUnitPerStep = 1.0 / static_cast<double>(1ULL << 53);
  return static_cast<double>(Next() >> 11) * kUnitPerStep;
}

std::uint64_t SplitMix64::Below(std::uint64_t bound) {
  if (bound == 0) {
    return 0;
  }
  // Values at or above the last whole multiple of `bound` would favour the
  // low results, so they are drawn again.
  const std::uint64_t limit =
      std::numeric_limits<std::uint64_t>::max() - std::numeric_limits<std::uint64_t>::max() % bound;
  std::uint64_t value = Next();
  while (value >= limit) {
    value = Next();
  }
  return value % bound;
}

bool SplitMix64::Chance(double probability) { return NextUnit() < probability; }

std::int64_t SplitMix64::RoundRandomly(double amount) {
  if (!(amount > 0.0)) {
    return 0;
  }
  const double whole = std::floor(amount);
  return static_cast<std::int64_t>(whole) + (Chance(amount - whole) ? 1 : 0);
}

}  // namespace dravelquin::sim
