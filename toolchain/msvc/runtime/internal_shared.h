// The runtime-internal helpers that the standard library's filesystem
// source uses: a heap block owned by a unique pointer that frees it.
#pragma once

#include <stdlib.h>

#include <memory>

struct __crt_heap_block_deleter {
  void operator()(void* block) const noexcept { free(block); }
};

template <class T>
using __crt_unique_heap_ptr = std::unique_ptr<T, __crt_heap_block_deleter>;

// Allocates `count` objects of type T, uninitialised, or null.
#define _malloc_crt_t(T, count) \
  __crt_unique_heap_ptr<T>(static_cast<T*>(malloc(sizeof(T) * static_cast<size_t>(count))))
