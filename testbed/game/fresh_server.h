#pragma once

// A fresh server in the testbed: how every test, benchmark run and simulation
// begins.

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

}  // namespace dravelquin::testbed
