#include "fuzz/heap_watch.h"

#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <atomic>

namespace dravelquin::fuzz {

namespace {

// The hooks run inside malloc and free, so they only touch atomics.
std::atomic<std::size_t> live_bytes{0};
std::atomic<std::size_t> peak_bytes{0};

void OnAllocate(const volatile void*, std::size_t size) {
  const std::size_t now = live_bytes.fetch_add(size) + size;
  std::size_t peak = peak_bytes.load();
  while (now > peak && !peak_bytes.compare_exchange_weak(peak, now)) {
  }
}

void OnFree(const volatile void* block) {
  // Blocks allocated before the hooks were installed were never counted.
  const std::size_t size = __sanitizer_get_allocated_size(const_cast<const void*>(block));
  std::size_t live = live_bytes.load();
  while (!live_bytes.compare_exchange_weak(live, live - std::min(live, size))) {
  }
}

std::size_t mark = 0;

}  // namespace

void MarkHeap() {
  static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnAllocate, OnFree) != 0;
  (void)installed;
  mark = live_bytes.load();
  peak_bytes.store(mark);
}

std::size_t PeakBytesSinceMark() { return peak_bytes.load() - mark; }

}  // namespace dravelquin::fuzz
