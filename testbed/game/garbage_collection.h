#pragma once

// What lets the game run for days in a test's process. By default the game
// keeps every creature it ever made, as the engine keeps a destroyed actor
// until it collects it, and a record of every call its own functions saw,
// for tests to look at afterwards. A long run collects now and then.

namespace dravelquin::testbed {

// Frees every creature that is no longer in the world's list, as the
// engine's garbage collection does, and forgets the recorded
// "AActor.Destroy" calls and calls of the game's own InitGame and
// GetRandomBaseLevel. Pointers to the freed creatures must not be used
// afterwards.
void CollectGarbage();

}  // namespace dravelquin::testbed
