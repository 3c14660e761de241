#pragma once

// How the engine's containers get and grow their blocks: the rule by which
// they grow, and a resize through the engine allocator that raises when it
// fails.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>

#include "host/engine_memory.h"

namespace dravelquin {

// The capacity an engine array takes when its count must rise to `needed`
// above `capacity`:
//   - 4, when the array holds no block yet and needed <= 4;
//   - otherwise needed + 3*needed/8 + 16, in wrapping signed 32-bit arithmetic;
//   - INT32_MAX when that sum wrapped below `needed`.
// Examples: (0, 1) -> 4; (0, 5) -> 22; (0, 11) -> 31; (4, 5) -> 22; (22, 23) -> 47.
inline std::int32_t GrownCapacity(std::int32_t capacity, std::int32_t needed) {
  const auto wrapped = [](std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  };
  if (capacity == 0 && needed <= 4) {
    return 4;
  }
  const std::int32_t three_eighths = wrapped(std::int64_t{3} * needed) / 8;
  const std::int32_t grown = wrapped(std::int64_t{needed} + three_eighths + 16);
  return grown < needed ? std::numeric_limits<std::int32_t>::max() : grown;
}

// Obtains or resizes a block through the game's allocator: "FMemory.Malloc"
// (bytes, alignment 0) for a null block, "FMemory.Realloc" (block, bytes)
// otherwise. Raises std::bad_alloc when the allocator gives no block; the old
// block then stays as it was.
inline void* ResizeEngineBlock(void* block, std::size_t bytes) {
  void* resized = block == nullptr ? EngineMalloc(bytes) : EngineRealloc(block, bytes);
  if (resized == nullptr && bytes != 0) {
    throw std::bad_alloc();
  }
  return resized;
}

}  // namespace dravelquin
