#pragma once

// Aligned blocks from the process heap. The Windows runtime has no
// aligned_alloc; its _aligned_malloc blocks go back through _aligned_free.

#include <cstddef>
#include <cstdlib>

#if defined(_WIN32)
#include <malloc.h>
#endif

namespace dravelquin::testbed {

// A block of `bytes`, a multiple of `alignment`, itself a power of two.
inline void* AllocateAligned(std::size_t alignment, std::size_t bytes) {
#if defined(_WIN32)
  return _aligned_malloc(bytes, alignment);
#else
  return std::aligned_alloc(alignment, bytes);
#endif
}

// A block of at least `bytes` (one byte for 0) aligned to 16, as the heap
// gives it without asking for an alignment, to be given back with
// FreeAligned.
inline void* AllocateDefaultAligned(std::size_t bytes) {
  const std::size_t at_least_one = bytes == 0 ? 1 : bytes;
#if defined(_WIN32)
  return _aligned_malloc(at_least_one, 16);
#else
  static_assert(alignof(std::max_align_t) >= 16, "the heap's blocks are aligned to 16");
  return std::malloc(at_least_one);
#endif
}

// A block that AllocateDefaultAligned gave, resized to `bytes` with its
// contents kept up to the smaller size, moved or not as the heap sees fit;
// null, the block left as it was, when the heap has no room.
inline void* ResizeDefaultAligned(void* block, std::size_t bytes) {
#if defined(_WIN32)
  return _aligned_realloc(block, bytes, 16);
#else
  return std::realloc(block, bytes);
#endif
}

inline void FreeAligned(void* block) {
#if defined(_WIN32)
  _aligned_free(block);
#else
  std::free(block);
#endif
}

}  // namespace dravelquin::testbed
