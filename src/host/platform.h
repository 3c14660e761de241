#pragma once

// What differs between the platforms the plug-in is built for: the engine's
// text unit, the runtime clock and narrowing.

#include <cstdint>
#include <string>

namespace dravelquin {

#if defined(_WIN32)
// The engine's 16-bit unit is the platform's wide character.
using EngineUnit = wchar_t;
#define ENGINE_TEXT(literal) L##literal
#else
using EngineUnit = char16_t;
#define ENGINE_TEXT(literal) u##literal
#endif

static_assert(sizeof(EngineUnit) == 2, "engine text units are 16 bits wide");

// Current system time in 100-nanosecond ticks since 1970-01-01 00:00 UTC.
std::int64_t CurrentTicks();

// Narrows `count` units into `out` through the process locale, "?" for a unit
// the narrow character set cannot express. Under the classic locale U+0000 to
// U+00FF become the byte of the same value.
void NarrowUnits(const EngineUnit* units, std::size_t count, char* out);

// The platform's wide string holding the zero-terminated UTF-16 text.
// Where wchar_t is 32 bits wide, surrogate pairs become one character and
// an unpaired surrogate stays as it is.
std::wstring WideTextOf(const EngineUnit* text);

}  // namespace dravelquin
