#pragma once

// Reading engine strings and the allocator's record in a form that tests
// compare with EXPECT_EQ and that prints both sides on a failure.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine_array.h"
#include "engine/fstring.h"
#include "game/engine_allocator.h"

namespace dravelquin {

namespace engine_checks {

using EngineText = std::basic_string<EngineUnit>;

// All Length(s) units of the string, zero units inside it included.
inline EngineText TextOf(const FString& s) { return EngineText(TextPointer(s), Length(s)); }

// A string built by appending `units` (which may hold zero units) to nothing.
inline FString StringOfUnits(const EngineText& units) {
  FString s;
  AppendText(s, units.data(), static_cast<std::int32_t>(units.size()));
  return s;
}

// A string holding only its terminator: count 1 in a block of `capacity` units.
inline FString TerminatorOnly(std::int32_t capacity) {
  FString s;
  s.ResizeExactly(capacity);
  s.data[0] = 0;
  s.count = 1;
  return s;
}

// The three fields of a string or array, as "{null|block, count, capacity}",
// for comparing its whole state in one expectation.
template <typename T>
std::string ShapeOf(const EngineArray<T>& s) {
  return std::string("{") + (s.data == nullptr ? "null" : "block") + ", " +
         std::to_string(s.count) + ", " + std::to_string(s.capacity) + "}";
}

// "Malloc <bytes>" and "Realloc <bytes>": allocator calls as CallsSince describes them.
inline std::string Malloc(std::size_t bytes) { return "Malloc " + std::to_string(bytes); }
inline std::string Realloc(std::size_t bytes) { return "Realloc " + std::to_string(bytes); }

inline std::string Describe(const testbed::AllocatorCall& call) {
  switch (call.kind) {
    case testbed::AllocatorCallKind::kMalloc:
      return Malloc(call.bytes);
    case testbed::AllocatorCallKind::kRealloc:
      return Realloc(call.bytes);
    case testbed::AllocatorCallKind::kFree:
      return "Free";
  }
  return "?";
}

// The allocator calls made since `mark` calls had been recorded, described
// as "Malloc <bytes>", "Realloc <bytes>" or "Free".
inline std::vector<std::string> CallsSince(std::size_t mark) {
  const auto& calls = testbed::AllocatorCalls();
  std::vector<std::string> described;
  for (std::size_t i = mark; i < calls.size(); ++i) {
    described.push_back(Describe(calls[i]));
  }
  return described;
}

// Marks the allocator's record now; CallsSince(mark) then gives what followed.
inline std::size_t MarkCalls() { return testbed::AllocatorCalls().size(); }

}  // namespace engine_checks

}  // namespace dravelquin
