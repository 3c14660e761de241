#pragma once

// The game's allocator, through which every engine string and engine array
// gets, grows and gives back its block. In the plug-in each call looks its
// native up by name at that call ("FMemory.Malloc", "FMemory.Realloc",
// "FMemory.Free"); tools that run the plug-in's rules without a game link an
// implementation over the C heap instead.

#include <cstddef>

namespace dravelquin {

// A new block of `bytes` bytes ("FMemory.Malloc" with alignment 0), or null
// when the allocator gives none.
void* EngineMalloc(std::size_t bytes);

// The block resized to `bytes`, contents kept up to the smaller size
// ("FMemory.Realloc"), or null when the allocator gives none; the old block
// then stays as it was.
void* EngineRealloc(void* block, std::size_t bytes);

// Gives a block back ("FMemory.Free"). Never raises: a block whose allocator
// cannot be found is left alone.
void EngineFree(void* block) noexcept;

}  // namespace dravelquin
