#pragma once

// The engine's growable array {data, count, capacity}, with its storage in
// the game's memory. The array owns its block: moving transfers the three
// fields and leaves the source {null, 0, 0}; destruction destroys the elements
// in index order and frees the block.

#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "engine/engine_block.h"

namespace dravelquin {

template <typename T>
struct EngineArray {
  T* data = nullptr;
  std::int32_t count = 0;
  std::int32_t capacity = 0;

  EngineArray() = default;
  EngineArray(const EngineArray&) = delete;
  EngineArray& operator=(const EngineArray&) = delete;

  EngineArray(EngineArray&& other) noexcept
      : data(other.data), count(other.count), capacity(other.capacity) {
    other.Forget();
  }

  EngineArray& operator=(EngineArray&& other) noexcept {
    if (this != &other) {
      ReleaseStorage();
      data = other.data;
      count = other.count;
      capacity = other.capacity;
      other.Forget();
    }
    return *this;
  }

  ~EngineArray() { ReleaseStorage(); }

  // Destroys the elements in index order, frees the block, leaves {null, 0, 0}.
  void ReleaseStorage() noexcept {
    if (data != nullptr) {
      DestroyElements();
      EngineFree(data);
    }
    Forget();
  }

  // Destroys the elements and sets count to 0; the block and capacity remain.
  void Empty() noexcept {
    DestroyElements();
    count = 0;
  }

  // Makes room for `needed` elements, growing by the growth rule. Raises
  // std::length_error, leaving the array as it was, when `needed` is more
  // than a 32-bit count holds.
  void Reserve(std::int64_t needed) {
    CheckCount(needed);
    if (needed > capacity) {
      ResizeExactly(GrownCapacity(capacity, static_cast<std::int32_t>(needed)));
    }
  }

  // Makes room for exactly `needed` elements when the block holds fewer.
  // Raises std::length_error as Reserve does.
  void ReserveExactly(std::int64_t needed) {
    CheckCount(needed);
    if (needed > capacity) {
      ResizeExactly(static_cast<std::int32_t>(needed));
    }
  }

  // Resizes the block to exactly `new_capacity` elements.
  void ResizeExactly(std::int32_t new_capacity) {
    data = static_cast<T*>(
        ResizeEngineBlock(data, static_cast<std::size_t>(new_capacity) * sizeof(T)));
    capacity = new_capacity;
  }

  // Moves `value` in as the last element, growing by the growth rule.
  void Append(T&& value) {
    Reserve(std::int64_t{count} + 1);
    ::new (static_cast<void*>(data + count)) T(std::move(value));
    ++count;
  }

 private:
  // A count past the 32-bit limit is refused before the allocator is asked:
  // narrowed, it would wrap to a size the game's allocator cannot give.
  static void CheckCount(std::int64_t needed) {
    if (needed > std::numeric_limits<std::int32_t>::max()) {
      throw std::length_error("engine array too long");
    }
  }

  void DestroyElements() noexcept {
    if constexpr (!std::is_trivially_destructible_v<T>) {
      for (std::int32_t i = 0; i < count; ++i) {
        data[i].~T();
      }
    }
  }

  void Forget() noexcept {
    data = nullptr;
    count = 0;
    capacity = 0;
  }
};

}  // namespace dravelquin
