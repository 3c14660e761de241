#pragma once

// The engine's wide string: an engine array of 16-bit UTF-16 units whose
// count includes the terminating zero unit. The empty string is {null, 0, 0};
// a string of count 1 (the terminator alone) is empty too.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/engine_array.h"
#include "host/platform.h"

namespace dravelquin {

struct FString : EngineArray<EngineUnit> {
  FString() = default;
  FString(FString&&) noexcept = default;
  FString& operator=(FString&&) noexcept = default;
};

static_assert(sizeof(FString) == 16, "FString has the engine's layout");

// The one zero unit that a string without storage reads as.
inline constexpr EngineUnit kEmptyText[1] = {0};

// Number of characters: count - 1, or 0 for a string without storage.
// Example: Length(FromNarrow("abc")) == 3.
inline std::int32_t Length(const FString& s) { return s.count > 0 ? s.count - 1 : 0; }

// The zero-terminated text, never null: an empty string reads as "".
inline const EngineUnit* TextPointer(const FString& s) {
  return s.count != 0 ? s.data : kEmptyText;
}

// A new string of the bytes of a zero-terminated narrow text, one unit per
// byte; a byte of 0x80 or above becomes "?". Null or "" gives {null, 0, 0}
// without touching the allocator. Example: FromNarrow("\xC3\xA9") is "??".
FString FromNarrow(const char* text);

// What FromNarrow makes of the `length` bytes at `text`, none of them zero.
// A length whose count (length + 1) does not fit in 32 bits raises
// std::length_error before anything is allocated or written.
FString FromNarrowBytes(const char* text, std::size_t length);

// A new string holding a zero-terminated 16-bit text. Null or an empty text
// gives {null, 0, 0}.
FString FromWide(const EngineUnit* text);

// A new string of count n + 1 holding the first n units of `src`, cut short
// at a zero unit (the count stays n + 1). n == 0 gives {null, 0, 0}; the
// largest n leaves no count for the terminator and raises std::length_error.
FString FromCounted(std::int32_t n, const EngineUnit* src);

// A new string of the `length` units at `text`, none of them zero, and a
// terminator: what FromWide makes of a text of that length. A length of 0
// gives {null, 0, 0}; one whose count does not fit in 32 bits raises
// std::length_error before anything is allocated or written.
FString FromUnits(const EngineUnit* text, std::size_t length);

// A new string of a text literal, as FromWide makes it, without measuring
// the text. Example: FromLiteral(ENGINE_TEXT("_C")) has count 3, capacity 4.
template <std::size_t N>
FString FromLiteral(const EngineUnit (&text)[N]) {
  static_assert(N > 1, "a literal of at least one character");
  return FromUnits(text, N - 1);
}

// Appends n units over the terminator and writes a new terminator, growing
// by the growth rule. n == 0 changes nothing.
// Example: "ab" + AppendText(s, u"cd", 2) gives "abcd", count 5.
void AppendText(FString& s, const EngineUnit* src, std::int32_t n);

// An exact copy with capacity equal to count; {null, 0, 0} for count 0.
FString CopyOf(const FString& s);

// Exactly Length(s) bytes, unit i becoming byte i through the process
// locale's narrowing ("?" where it has no byte). A string without storage
// gives "". Zero units inside the text are kept.
std::string ToNarrow(const FString& s);

// ToNarrow(s) into `out`, reusing its storage: for loops that narrow one
// string after another.
void NarrowInto(const FString& s, std::string& out);

// Frees the string's block and leaves it {null, 0, 0}.
inline void Release(FString& s) noexcept { s.ReleaseStorage(); }

}  // namespace dravelquin
