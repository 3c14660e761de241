#include "tools/sim/sweep_outcome.h"

#include <cmath>

namespace dravelquin::sim {

namespace {

// Keeps a margin such as 300 × 10% = 30 whole where floating point would
// land a hair below it.
constexpr double kRoundingSlack = 1e-9;

}  // namespace

CapBand BandAround(std::int64_t cap, double percent) {
  const auto margin = static_cast<std::int64_t>(
      std::floor(static_cast<double>(cap) * percent / 100 + kRoundingSlack));
  return CapBand{cap - margin, cap + margin};
}

}  // namespace dravelquin::sim
