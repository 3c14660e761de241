#include "game/binned_heap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>
#include <utility>

namespace dravelquin::testbed {

namespace {

constexpr std::size_t kGranule = 16;
constexpr std::size_t kHeaderBytes = 16;
constexpr std::size_t kChunkBytes = std::size_t{64} * 1024;
// The class of a block from the process heap, whose header also holds its size.
constexpr std::uint32_t kLargeClass = 0;

struct alignas(kHeaderBytes) Header {
  std::uint32_t size_class;
  std::size_t large_bytes;  // a large block's capacity
};
static_assert(sizeof(Header) == kHeaderBytes, "the header keeps blocks aligned to 16");

Header* HeaderOf(void* block) { return static_cast<Header*>(block) - 1; }

void* BlockAfter(Header* header) { return header + 1; }

// The size class of a request: 1 for up to 16 bytes (0 included), 2 for
// up to 32, ..., and one past the last class for anything larger.
std::size_t ClassOf(std::size_t bytes, std::size_t classes) {
  if (bytes > classes * kGranule) {
    return classes + 1;
  }
  return (std::max<std::size_t>(bytes, 1) + kGranule - 1) / kGranule;
}

std::size_t CapacityOf(Header* header) {
  return header->size_class == kLargeClass ? header->large_bytes : header->size_class * kGranule;
}

// The free list's link lives in the free block itself.
void*& NextFree(void* block) { return *static_cast<void**>(block); }

}  // namespace

void* BinnedHeap::Allocate(std::size_t bytes) {
  const std::size_t size_class = ClassOf(bytes, kClasses);
  if (size_class <= kClasses) {
    void*& head = free_lists_[size_class];
    if (head != nullptr) {
      return std::exchange(head, NextFree(head));
    }
    return Carve(size_class);
  }
  if (bytes > SIZE_MAX - kHeaderBytes) {
    return nullptr;
  }
  void* memory = std::malloc(kHeaderBytes + bytes);
  if (memory == nullptr) {
    return nullptr;
  }
  auto* header = new (memory) Header{kLargeClass, bytes};
  large_blocks_.push_back(header);
  return BlockAfter(header);
}

void* BinnedHeap::Carve(std::size_t size_class) {
  const std::size_t stride = kHeaderBytes + size_class * kGranule;
  if (chunk_end_ - chunk_cursor_ < static_cast<std::ptrdiff_t>(stride)) {
    void* chunk = std::malloc(kChunkBytes);
    if (chunk == nullptr) {
      return nullptr;
    }
    chunks_.push_back(chunk);
    chunk_cursor_ = static_cast<char*>(chunk);
    chunk_end_ = chunk_cursor_ + kChunkBytes;
  }
  auto* header = new (chunk_cursor_) Header{static_cast<std::uint32_t>(size_class), 0};
  chunk_cursor_ += stride;
  return BlockAfter(header);
}

void* BinnedHeap::Resize(void* block, std::size_t bytes) {
  Header* header = HeaderOf(block);
  const std::size_t size_class = ClassOf(bytes, kClasses);
  if (header->size_class != kLargeClass && size_class == header->size_class) {
    return block;
  }
  void* moved = Allocate(bytes);
  if (moved == nullptr) {
    return nullptr;
  }
  std::memcpy(moved, block, std::min(bytes, CapacityOf(header)));
  Release(block);
  return moved;
}

void BinnedHeap::Release(void* block) {
  Header* header = HeaderOf(block);
  if (header->size_class != kLargeClass) {
    void*& head = free_lists_[header->size_class];
    NextFree(block) = head;
    head = block;
    return;
  }
  // Large blocks are rare: the list is searched from its newest end.
  const auto found = std::find(large_blocks_.rbegin(), large_blocks_.rend(), header);
  large_blocks_.erase(std::next(found).base());
  std::free(header);
}

void BinnedHeap::ReleaseAll() {
  for (void* chunk : chunks_) {
    std::free(chunk);
  }
  for (void* large : large_blocks_) {
    std::free(large);
  }
  chunks_.clear();
  large_blocks_.clear();
  free_lists_.fill(nullptr);
  chunk_cursor_ = chunk_end_ = nullptr;
}

}  // namespace dravelquin::testbed
