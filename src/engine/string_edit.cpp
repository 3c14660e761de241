#include "engine/string_edit.h"

#include <algorithm>

namespace dravelquin {

namespace {

std::int32_t UnitLength(const EngineUnit* text) {
  std::int32_t n = 0;
  while (text[n] != 0) {
    ++n;
  }
  return n;
}

// The first occurrence of the non-empty zero-terminated `needle` at or after
// `from` in the zero-terminated `text`, or null.
const EngineUnit* FindText(const EngineUnit* from, const EngineUnit* needle) {
  for (; *from != 0; ++from) {
    if (*from != needle[0]) {
      continue;
    }
    std::int32_t matched = 1;
    while (needle[matched] != 0 && from[matched] == needle[matched]) {
      ++matched;
    }
    if (needle[matched] == 0) {
      return from;
    }
  }
  return nullptr;
}

std::int32_t Distance(const EngineUnit* from, const EngineUnit* to) {
  return static_cast<std::int32_t>(to - from);
}

}  // namespace

FString Concat(FString& left, FString& right) {
  if (left.count <= 1) {
    return std::move(right);
  }
  // Grown while still the left operand's, so a failed resize leaves it whole.
  const std::int32_t appended = Length(right);
  left.ReserveExactly(std::int64_t{left.count} + appended);
  FString result = std::move(left);
  AppendText(result, right.data, appended);
  return result;
}

FString Substring(const FString& s, std::int32_t start, std::int32_t count) {
  const auto length = static_cast<std::uint32_t>(Length(s));
  auto first = static_cast<std::uint32_t>(start);
  auto end = static_cast<std::uint32_t>(start) + static_cast<std::uint32_t>(count);
  first = std::min(first, length);
  end = std::clamp(end, first, length);
  return FromCounted(static_cast<std::int32_t>(end - first), TextPointer(s) + first);
}

bool HasSuffix(const FString& s, const FString& suffix) {
  const std::int32_t suffix_length = Length(suffix);
  const std::int32_t length = Length(s);
  if (suffix_length <= 0 || length < suffix_length) {
    return false;
  }
  const EngineUnit* tail = TextPointer(s) + (length - suffix_length);
  const EngineUnit* wanted = TextPointer(suffix);
  return std::equal(tail, tail + suffix_length + 1, wanted);
}

std::int32_t IndexOfChar(const FString& s, EngineUnit unit) {
  for (std::int32_t i = 0; i < s.count; ++i) {
    if (s.data[i] == unit) {
      return i;
    }
  }
  return -1;
}

std::int32_t SplitOn(const FString& s, const EngineUnit* delimiter, EngineArray<FString>& out) {
  out.Empty();
  if (s.data == nullptr || s.data[0] == 0) {
    return 0;
  }
  if (delimiter == nullptr || delimiter[0] == 0) {
    out.Append(FromWide(s.data));
    return out.count;
  }
  const std::int32_t delimiter_length = UnitLength(delimiter);
  const EngineUnit* piece = s.data;
  for (const EngineUnit* found = FindText(piece, delimiter); found != nullptr;
       found = FindText(piece, delimiter)) {
    if (found > piece) {
      out.Append(FromCounted(Distance(piece, found), piece));
    }
    piece = found + delimiter_length;
  }
  if (*piece != 0) {
    out.Append(FromWide(piece));
  }
  return out.count;
}

FString ReplaceAll(const FString& s, const EngineUnit* from, const EngineUnit* to) {
  if (s.count <= 1 || from == nullptr || from[0] == 0) {
    return CopyOf(s);
  }
  const std::int32_t from_length = UnitLength(from);
  const std::int32_t to_length = to == nullptr ? 0 : UnitLength(to);
  FString result;
  const EngineUnit* rest = s.data;
  for (const EngineUnit* found = FindText(rest, from); found != nullptr;
       found = FindText(rest, from)) {
    AppendText(result, rest, Distance(rest, found));
    AppendText(result, to, to_length);
    rest = found + from_length;
  }
  AppendText(result, rest, UnitLength(rest));
  return result;
}

}  // namespace dravelquin
