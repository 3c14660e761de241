#pragma once

// What every fuzz target shares: a fresh game and allocator for each input,
// and oracle checks that stop the run with a message libFuzzer reports as a
// crash, together with the input that caused it.

#include <filesystem>
#include <string>

namespace dravelquin {

namespace fuzz {

// Stops the run with `what` on standard error when `holds` is false.
void Require(bool holds, const std::string& what);

// Starts each input on a fresh server (testbed::StartFreshServer), every
// allocator call recorded; `server_dir` is the host's current dir, for the
// targets that read files there.
void StartInput(const std::filesystem::path& server_dir = {});

// Requires that every engine block is back with the allocator and that no
// block was freed twice or unknown to it.
void RequireEngineMemoryReturned();

}  // namespace fuzz

}  // namespace dravelquin
