#pragma once

// The engine's wide string: an engine array of 16-bit UTF-16 units whose
// count includes the terminating zero unit. The empty string is {null, 0, 0};
// a string of count 1 (the terminator alone) is empty too.

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

// Number of characters: count - 1, or 0 for a string without storage.
// Example: Length(FromNarrow("abc")) == 3.
std::int32_t Length(const FString& s);

// The zero-terminated text, never null: an empty string reads as "".
const EngineUnit* TextPointer(const FString& s);

// A new string of the bytes of a zero-terminated narrow text, one unit per
// byte; a byte of 0x80 or above becomes "?". Null or "" gives {null, 0, 0}
// without touching the allocator. Example: FromNarrow("\xC3\xA9") is "??".
FString FromNarrow(const char* text);

// A new string holding a zero-terminated 16-bit text. Null or an empty text
// gives {null, 0, 0}.
FString FromWide(const EngineUnit* text);

// A new string of count n + 1 holding the first n units of `src`, cut short
// at a zero unit (the count stays n + 1). n == 0 gives {null, 0, 0}; the
// largest n leaves no count for the terminator and raises std::length_error.
FString FromCounted(std::int32_t n, const EngineUnit* src);

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

// Frees the string's block and leaves it {null, 0, 0}.
void Release(FString& s) noexcept;

}  // namespace dravelquin
