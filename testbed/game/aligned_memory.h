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

inline void FreeAligned(void* block) {
#if defined(_WIN32)
  _aligned_free(block);
#else
  std::free(block);
#endif
}

}  // namespace dravelquin::testbed
