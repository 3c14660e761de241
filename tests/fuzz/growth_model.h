#pragma once

// The engine arrays' growth rule as the fuzz targets' reference: worked out
// in 64-bit arithmetic, with the wrap-around of the engine's 32-bit
// arithmetic made explicit.

#include <cstdint>

namespace dravelquin {

namespace fuzz {

constexpr std::int64_t kLargestInt32 = 2147483647;

// The signed 32-bit value with the same low 32 bits as `value`.
constexpr std::int64_t WrappedTo32(std::int64_t value) {
  constexpr std::int64_t kModulus = std::int64_t{1} << 32;
  std::int64_t low = value % kModulus;
  if (low < 0) {
    low += kModulus;
  }
  return low > kLargestInt32 ? low - kModulus : low;
}

// The capacity an array of `capacity` elements takes when its count must
// rise to `needed`: 4 for a first block of up to 4; otherwise
// needed + 3*needed/8 + 16 in 32-bit arithmetic (each step wrapping, the
// division truncating toward zero), and the largest 32-bit value when that
// came out below `needed`.
constexpr std::int64_t ModelGrownCapacity(std::int64_t capacity, std::int64_t needed) {
  if (capacity == 0 && needed <= 4) {
    return 4;
  }
  const std::int64_t three_eighths = WrappedTo32(3 * needed) / 8;
  const std::int64_t grown = WrappedTo32(needed + three_eighths + 16);
  return grown < needed ? kLargestInt32 : grown;
}

static_assert(ModelGrownCapacity(0, 1) == 4 && ModelGrownCapacity(0, 5) == 22 &&
                  ModelGrownCapacity(0, 11) == 31 && ModelGrownCapacity(4, 5) == 22 &&
                  ModelGrownCapacity(22, 23) == 47,
              "the worked examples of the growth rule");

}  // namespace fuzz

}  // namespace dravelquin
