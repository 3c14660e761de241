#pragma once

// Searching and editing engine strings. Every result is a new FString whose
// storage comes from the game's allocator; searches match 16-bit units
// exactly (no case folding) and read the text as zero-terminated.

#include <cstdint>

#include "engine/fstring.h"

namespace dravelquin {

// Joins two strings, reusing the left one's block. When `left` holds no
// characters (count <= 1) the result takes `right`'s storage and `right` is
// left {null, 0, 0}; otherwise the result takes `left`'s storage, grows it to
// exactly the combined count when it is too small, and appends `right`, which
// stays as it was. Whatever storage an operand still holds is the caller's.
// A combined count past 32 bits raises std::length_error, both operands kept.
// Example: Concat("ab", "cd") is "abcd" with capacity 5 when "ab" had 3.
FString Concat(FString& left, FString& right);

// The `count` characters from `start`, both clamped to the string as
// unsigned 32-bit values (a negative start or count reaches past the end).
// Examples: Substring("abcdef", 2, 3) is "cde"; a start past the end gives
// {null, 0, 0}; a count past the end stops at the end.
FString Substring(const FString& s, std::int32_t start, std::int32_t count);

// True when `suffix` is not empty and `s` ends with it, letter case counting.
// Examples: HasSuffix("Bird_C", "_C") is true; HasSuffix("Bird_c", "_C") and
// HasSuffix("", "_C") are false.
bool HasSuffix(const FString& s, const FString& suffix);

// The first index among all `count` units (terminator included) holding
// `unit`, or -1. Example: IndexOfChar("a b", u' ') is 1.
std::int32_t IndexOfChar(const FString& s, EngineUnit unit);

// Empties `out` (its elements are released; its block stays) and fills it
// with the non-empty pieces of `s` between occurrences of `delimiter`.
// Returns the number of pieces. Empty `s` gives 0; an empty delimiter gives
// the whole text as one piece.
// Examples: "a--b-" on "-" gives "a", "b"; "-" and "---" give no piece.
std::int32_t SplitOn(const FString& s, const EngineUnit* delimiter, EngineArray<FString>& out);

// A copy of `s` with every occurrence of `from` replaced by `to`, searched
// left to right without overlap; inserted text is not searched again. An
// empty `s` or empty `from` gives CopyOf(s); a result with nothing appended
// is {null, 0, 0}.
// Examples: ReplaceAll("aaa", "aa", "") is "a"; ReplaceAll("xAbx", "ab", "")
// is "xAbx"; ReplaceAll("ab", "ab", "") is {null, 0, 0}.
FString ReplaceAll(const FString& s, const EngineUnit* from, const EngineUnit* to);

}  // namespace dravelquin
