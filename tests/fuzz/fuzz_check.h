#pragma once

// What the targets that run the plug-in's code on the stand-in game share:
// a fresh game and allocator for each input, and the check that every
// engine block came back.

#include <filesystem>
#include <string>

#include "fuzz/fuzz_require.h"

namespace dravelquin {

namespace fuzz {

// Starts each input on a fresh server (testbed::StartFreshServer), every
// allocator call recorded; `server_dir` is the host's current dir, for the
// targets that read files there.
void StartInput(const std::filesystem::path& server_dir = {});

// Requires that every engine block is back with the allocator and that no
// block was freed twice or unknown to it.
void RequireEngineMemoryReturned();

}  // namespace fuzz

}  // namespace dravelquin
