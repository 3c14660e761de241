#pragma once

// What lets the game run for days in a test's process. By default the game
// keeps every creature it ever made, as the engine keeps a destroyed actor
// until it collects it, and a record of every call its own functions saw,
// for tests to look at afterwards. A long run collects now and then, or lets
// the game collect by itself.

#include <cstddef>

namespace dravelquin::testbed {

// Frees every creature that is no longer in the world's list, as the
// engine's garbage collection does, and forgets the recorded
// "AActor.Destroy" calls and calls of the game's own InitGame and
// GetRandomBaseLevel (their counts stay). Pointers to the freed creatures
// must not be used afterwards.
void CollectGarbage();

// From now on the game frees the creatures that left its world whenever
// `departed` of them wait, as it makes the next creature; a pointer to a
// creature that left the world must then not be used after the next one is
// made. 0 frees them only in CollectGarbage, as after a reset.
void CollectGarbageEvery(std::size_t departed);

// The creatures the game holds in memory: those in the world and those that
// left it and wait to be freed.
std::size_t CreaturesHeld();

}  // namespace dravelquin::testbed
