#include "engine/engine_block.h"

#include <limits>
#include <new>

#include "host/engine_memory.h"

namespace dravelquin {

namespace {

std::int32_t Wrap32(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace

std::int32_t GrownCapacity(std::int32_t capacity, std::int32_t needed) {
  if (capacity == 0 && needed <= 4) {
    return 4;
  }
  const std::int32_t three_eighths = Wrap32(std::int64_t{3} * needed) / 8;
  const std::int32_t grown = Wrap32(std::int64_t{needed} + three_eighths + 16);
  return grown < needed ? std::numeric_limits<std::int32_t>::max() : grown;
}

void* ResizeEngineBlock(void* block, std::size_t bytes) {
  void* resized = block == nullptr ? EngineMalloc(bytes) : EngineRealloc(block, bytes);
  if (resized == nullptr && bytes != 0) {
    throw std::bad_alloc();
  }
  return resized;
}

}  // namespace dravelquin
