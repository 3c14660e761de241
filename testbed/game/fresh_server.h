#pragma once

// A fresh server in the testbed: how every test, benchmark run and simulation
// begins.

#include <cstddef>
#include <filesystem>

namespace dravelquin::testbed {

// How much of the engine allocator's use a run keeps.
enum class AllocatorRecord {
  kEveryCall,   // each call listed in AllocatorCalls(), for tests of call sequences
  kCountsOnly,  // counted only, so that millions of calls cost the same at the end as at the start
};

// Puts the stand-in host, game and allocator into a fresh server's state:
// nothing bound or journalled, the clock at its default, an empty world that
// the host reports, no live engine block, and `server_dir` as the host's
// current dir. A plug-in still loaded stays loaded.
void StartFreshServer(const std::filesystem::path& server_dir, AllocatorRecord record);

// Calls of each of the game's functions that a long run keeps.
constexpr std::size_t kLongRunCallsKept = 1024;
// Creatures that left the world and that a long run lets wait to be freed.
constexpr std::size_t kLongRunDepartedKept = 4096;

// Makes a fresh server fit for runs of months, so that its memory holds
// what its world holds at once, not what passed through it: the allocator
// lean (the same calls, without books per block), only the latest
// kLongRunCallsKept calls of each of the game's functions, and departed
// creatures freed whenever kLongRunDepartedKept of them wait. Call right
// after StartFreshServer, while no engine block is live.
void BoundForLongRuns();

}  // namespace dravelquin::testbed
