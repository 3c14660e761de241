#include "engine/fstring.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "host/packed_units.h"

namespace dravelquin {

namespace {

std::size_t UnitLength(const EngineUnit* text) {
  std::size_t n = 0;
  while (text[n] != 0) {
    ++n;
  }
  return n;
}

// The count of a string of `length` characters, terminator included, worked
// out in 64 bits: std::length_error when it does not fit in 32.
std::int64_t CountOfLength(std::size_t length) {
  if (length >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw std::length_error("engine string too long");
  }
  return static_cast<std::int64_t>(length) + 1;
}

// A string of the count whose block is sized by the growth rule from
// nothing; std::length_error for a count past 32 bits.
FString WithCount(std::int64_t count) {
  FString s;
  s.Reserve(count);
  s.count = static_cast<std::int32_t>(count);
  return s;
}

}  // namespace

FString FromNarrow(const char* text) {
  return text == nullptr ? FString() : FromNarrowBytes(text, std::strlen(text));
}

FString FromNarrowBytes(const char* text, std::size_t length) {
  if (length == 0) {
    return FString();
  }
  FString s = WithCount(CountOfLength(length));
  for (std::size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    s.data[i] = byte >= 0x80 ? EngineUnit{'?'} : static_cast<EngineUnit>(byte);
  }
  s.data[length] = 0;
  return s;
}

FString FromWide(const EngineUnit* text) {
  return text == nullptr ? FString() : FromUnits(text, UnitLength(text));
}

FString FromUnits(const EngineUnit* text, std::size_t length) {
  if (length == 0) {
    return FString();
  }
  FString s = WithCount(CountOfLength(length));
  *std::copy(text, text + length, s.data) = 0;
  return s;
}

FString FromCounted(std::int32_t n, const EngineUnit* src) {
  if (n <= 0) {
    return FString();
  }
  FString s = WithCount(std::int64_t{n} + 1);
  const EngineUnit* end = packed::FindUnit(src, src + n, EngineUnit{0});
  *std::copy(src, end, s.data) = 0;
  return s;
}

void AppendText(FString& s, const EngineUnit* src, std::int32_t n) {
  if (n <= 0) {
    return;
  }
  const std::int32_t old = s.count;
  const std::int64_t needed = std::int64_t{old} + n + (old == 0 ? 1 : 0);
  s.Reserve(needed);
  EngineUnit* at = s.data + (old == 0 ? 0 : old - 1);
  std::copy(src, src + n, at);
  at[n] = 0;
  s.count = static_cast<std::int32_t>(needed);
}

FString CopyOf(const FString& s) {
  FString copy;
  if (s.count == 0) {
    return copy;
  }
  copy.ResizeExactly(s.count);
  std::copy(s.data, s.data + s.count, copy.data);
  copy.count = s.count;
  return copy;
}

std::string ToNarrow(const FString& s) {
  std::string narrow;
  NarrowInto(s, narrow);
  return narrow;
}

void NarrowInto(const FString& s, std::string& out) {
  out.resize(s.data == nullptr ? 0 : static_cast<std::size_t>(Length(s)));
  NarrowUnits(s.data, out.size(), out.data());
}

}  // namespace dravelquin
