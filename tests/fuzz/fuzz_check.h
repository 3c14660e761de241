#pragma once

// What every fuzz target shares: a fresh game and allocator for each input,
// and oracle checks that stop the run with a message libFuzzer reports as a
// crash, together with the input that caused it.

#include <string>

namespace dravelquin {

namespace fuzz {

// Stops the run with `what` on standard error when `holds` is false.
void Require(bool holds, const std::string& what);

// Resets the stand-in host, the game (natives and fields registered again)
// and the allocator, and points the host's world at the game's world.
void StartInput();

// Requires that every engine block is back with the allocator and that no
// block was freed twice or unknown to it.
void RequireEngineMemoryReturned();

}  // namespace fuzz

}  // namespace dravelquin
