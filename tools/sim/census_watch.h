#pragma once

// Seeing when the plug-in takes a census. A census asks the game for every
// creature actor ("UGameplayStatics.GetAllActorsOfClass"), as the dump
// command does and nothing else of the plug-in: the simulator puts a
// counting stand-in in front of the game's function and reads the count.

#include <cstdint>

namespace dravelquin::sim {

// Puts the counting stand-in in front of the game's function. Call after the
// game's natives are registered (a fresh server) and before the plug-in
// loads; the count starts at 0.
void WatchActorQueries();

// Queries for actors since WatchActorQueries().
std::uint64_t ActorQueries();
// Actors those queries listed, in all: the creatures each census went through.
std::uint64_t ActorsListed();

}  // namespace dravelquin::sim
