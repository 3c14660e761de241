#pragma once

// What the plug-in asks of the game and the host, counted: calls of the
// game's allocator and name lookups through the host's GetAddress.

#include <cstdint>

namespace dravelquin {

struct CallCounts {
  std::uint64_t mallocs = 0;           // "FMemory.Malloc"
  std::uint64_t reallocs = 0;          // "FMemory.Realloc"
  std::uint64_t frees = 0;             // "FMemory.Free"
  std::uint64_t function_lookups = 0;  // GetAddress(name)
  std::uint64_t field_lookups = 0;     // GetAddress(object, name)

  std::uint64_t AllocatorCalls() const { return mallocs + reallocs + frees; }
};

// The counts since the allocator and the host were last reset.
CallCounts CurrentCallCounts();

// The calls made between two readings.
CallCounts operator-(const CallCounts& later, const CallCounts& earlier);

}  // namespace dravelquin
