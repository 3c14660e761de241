#include "engine/string_edit.h"

#include <algorithm>

#include "host/packed_units.h"

namespace dravelquin {

namespace {

std::int32_t UnitLength(const EngineUnit* text) {
  std::int32_t n = 0;
  while (text[n] != 0) {
    ++n;
  }
  return n;
}

// The first occurrence of the `needle_length` units of `needle` (none of
// them zero, at least one) at or after `from` in a zero-terminated text that
// lies before `end` (the end of the block ends the text too); when there is
// none, the end of the text.
const EngineUnit* FindTextOrEnd(const EngineUnit* from, const EngineUnit* end,
                                const EngineUnit* needle, std::int32_t needle_length) {
  for (;; ++from) {
    from = packed::FindUnitOrZero(from, end, needle[0]);
    if (from == end || *from == 0) {
      return from;
    }
    // A zero unit inside the text differs from every unit of the needle, so
    // comparing past the end of the text cannot match.
    if (needle_length <= end - from && std::equal(needle + 1, needle + needle_length, from + 1)) {
      return from;
    }
  }
}

bool IsTextEnd(const EngineUnit* at, const EngineUnit* end) { return at == end || *at == 0; }

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
  const EngineUnit* end = s.data + s.count;
  const EngineUnit* found = packed::FindUnit(s.data, end, unit);
  return found == end ? -1 : Distance(s.data, found);
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
  const EngineUnit* end = s.data + s.count;
  const EngineUnit* piece = s.data;
  for (;;) {
    const EngineUnit* found = FindTextOrEnd(piece, end, delimiter, delimiter_length);
    if (found > piece) {
      out.Append(FromCounted(Distance(piece, found), piece));
    }
    if (IsTextEnd(found, end)) {
      break;
    }
    piece = found + delimiter_length;
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
  const EngineUnit* end = s.data + s.count;
  const EngineUnit* rest = s.data;
  for (;;) {
    const EngineUnit* found = FindTextOrEnd(rest, end, from, from_length);
    AppendText(result, rest, Distance(rest, found));
    if (IsTextEnd(found, end)) {
      break;
    }
    if (to_length > 0) {
      AppendText(result, to, to_length);
    }
    rest = found + from_length;
  }
  return result;
}

}  // namespace dravelquin
