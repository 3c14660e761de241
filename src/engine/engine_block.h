#pragma once

// How the engine's containers get and grow their blocks: the rule by which
// they grow, and a resize through the engine allocator that raises when it
// fails.

#include <cstddef>
#include <cstdint>

#include "host/engine_memory.h"

namespace dravelquin {

// The capacity an engine array takes when its count must rise to `needed`
// above `capacity`:
//   - 4, when the array holds no block yet and needed <= 4;
//   - otherwise needed + 3*needed/8 + 16, in wrapping signed 32-bit arithmetic;
//   - INT32_MAX when that sum wrapped below `needed`.
// Examples: (0, 1) -> 4; (0, 5) -> 22; (0, 11) -> 31; (4, 5) -> 22; (22, 23) -> 47.
std::int32_t GrownCapacity(std::int32_t capacity, std::int32_t needed);

// Obtains or resizes a block through the game's allocator: "FMemory.Malloc"
// (bytes, alignment 0) for a null block, "FMemory.Realloc" (block, bytes)
// otherwise. Raises std::bad_alloc when the allocator gives no block; the old
// block then stays as it was.
void* ResizeEngineBlock(void* block, std::size_t bytes);

}  // namespace dravelquin
