#pragma once

// The engine's array and string layouts as the testbed reads and writes them
// on the game's and the host's side: {data, count, capacity}, a string being
// an array of UTF-16 units whose count includes the terminating zero.

#include <cstdint>
#include <string>

namespace dravelquin::testbed {

template <typename T>
struct EngineArrayLayout {
  T* data = nullptr;
  std::int32_t count = 0;
  std::int32_t capacity = 0;
};

using EngineTextLayout = EngineArrayLayout<char16_t>;

static_assert(sizeof(EngineTextLayout) == 16, "engine arrays are 16 bytes");

// The text of an engine string: empty for count 0, otherwise the first
// count - 1 units, ending early at a zero unit.
inline std::u16string TextOf(const EngineTextLayout& text) {
  if (text.count <= 0 || text.data == nullptr) {
    return std::u16string();
  }
  std::u16string units;
  for (std::int32_t i = 0; i + 1 < text.count && text.data[i] != 0; ++i) {
    units.push_back(text.data[i]);
  }
  return units;
}

// A string layout over `units`, which must outlive it and stay unchanged:
// count and capacity are the length + 1, the empty text is {null, 0, 0}.
inline EngineTextLayout LayoutOver(std::u16string& units) {
  if (units.empty()) {
    return EngineTextLayout{};
  }
  const auto count = static_cast<std::int32_t>(units.size() + 1);
  return EngineTextLayout{units.data(), count, count};
}

}  // namespace dravelquin::testbed
