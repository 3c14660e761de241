#pragma once

// The simulator's own pseudo-random generator (SplitMix64), so that a
// generated stretch of server life is the same for a seed on every platform
// and standard library.

#include <cstdint>

namespace dravelquin::sim {

class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  // The next 64 random bits.
  std::uint64_t Next();
  // A number in [0, 1) with 53 random bits.
  double NextUnit();
  // A number in [0, bound); 0 when bound is 0. Unbiased.
  std::uint64_t Below(std::uint64_t bound);
  // True with the given probability: never for 0 or less, always for 1 or more.
  bool Chance(double probability);
  // floor(amount), plus one with the probability of amount's fraction, so
  // that the mean is `amount`. Negative amounts give 0.
  std::int64_t RoundRandomly(double amount);

 private:
  std::uint64_t state_;
};

}  // namespace dravelquin::sim
