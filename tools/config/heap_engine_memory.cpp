// The engine allocator for the plug-in's rules when they run in a tool rather
// than in the game server: blocks from the C heap. A request for no bytes
// still gets a block, as the game's allocator gives one.

#include <cstdlib>

#include "host/engine_memory.h"

namespace dravelquin {

namespace {

std::size_t AtLeastOneByte(std::size_t bytes) { return bytes == 0 ? 1 : bytes; }

}  // namespace

void* EngineMalloc(std::size_t bytes) { return std::malloc(AtLeastOneByte(bytes)); }

void* EngineRealloc(void* block, std::size_t bytes) {
  return std::realloc(block, AtLeastOneByte(bytes));
}

void EngineFree(void* block) noexcept { std::free(block); }

}  // namespace dravelquin
