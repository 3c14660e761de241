#pragma once

// How much one scenario may ask of the simulator. Each limit is checked
// while the scenario is read, so a scenario beyond one is refused before
// anything runs, and the simulator's memory and time stay bounded by them.

#include <cstdint>

namespace dravelquin::sim {

// Objects and arrays nested within each other, the scenario's own levels
// included (a config under "config" has two fewer).
constexpr int kMaxNesting = 100;
// Creatures that one "place" or "spawn" step brings into the world.
constexpr std::int64_t kMaxCreaturesPerStep = 1'000'000;
// Creatures that the whole scenario may bring into the world: its "place"
// and "spawn" counts plus what its "run" steps spawn on average.
constexpr std::int64_t kMaxCreaturesInAll = 2'000'000;
// Timer rounds in the whole scenario: its "tick" counts plus its "run"
// steps' ticks (ten years of one-minute ticks).
constexpr std::int64_t kMaxTicksInAll = 5'256'000;

}  // namespace dravelquin::sim
