#include "game/engine_values.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "game/engine_allocator.h"

namespace dravelquin::testbed::game {

namespace {

// Makes room for `needed` elements, growing the block to exactly that many.
template <typename T>
void Fit(EngineArrayLayout<T>& out, std::int32_t needed) {
  if (needed <= out.capacity) {
    return;
  }
  const std::size_t bytes = static_cast<std::size_t>(needed) * sizeof(T);
  void* block = out.data == nullptr ? EngineMalloc(bytes, 0) : EngineRealloc(out.data, bytes);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  out.data = static_cast<T*>(block);
  out.capacity = needed;
}

}  // namespace

void AssignEngineText(EngineTextLayout& out, const std::u16string& text) {
  if (text.empty()) {
    if (out.data != nullptr) {
      EngineFree(out.data);
    }
    out = EngineTextLayout{};
    return;
  }
  const auto count = static_cast<std::int32_t>(text.size() + 1);
  Fit(out, count);
  std::copy(text.begin(), text.end(), out.data);
  out.data[text.size()] = u'\0';
  out.count = count;
}

void AssignEnginePointers(EngineArrayLayout<void*>& out, const std::vector<void*>& pointers) {
  out.count = 0;
  const auto count = static_cast<std::int32_t>(pointers.size());
  if (count == 0) {
    return;
  }
  Fit(out, count);
  std::copy(pointers.begin(), pointers.end(), out.data);
  out.count = count;
}

}  // namespace dravelquin::testbed::game
