#pragma once

// When the census runs: after each initialisation of the game mode, and from
// the host's timer whenever the configured check interval has passed.

#include <cstdint>

#include "host/game_types.h"

namespace dravelquin {

// The time of the next timer-driven census, in 100-ns ticks since 1970 UTC.
extern std::int64_t NextCensusTicks;

// Where the host stores the way to the game's own InitGame.
extern void* InitGameSlot;

// `now` plus `seconds` in ticks, held at the largest or smallest time rather
// than wrapping.
std::int64_t TicksAfter(std::int64_t now, std::int32_t seconds);

// Sets NextCensusTicks to now, so that the first timer call takes a census.
void StartCensusClock();

// The game's own InitGame with the arguments unchanged, then a census.
void OnInitGame(AShooterGameMode* mode, FString* map_name, FString* options,
                FString* error_message);

// When NextCensusTicks has passed: moves it "General" -> "CheckInterval"
// seconds (86400 when absent) past now, then takes a census. A "General"
// that is missing or not an object raises before anything changes.
// Near the ends of the 64-bit range the next time is held at the largest or
// smallest value instead of wrapping round, a choice of this plug-in: a
// wrapped time would take a census at every call, or never again.
void OnCensusTimer();

}  // namespace dravelquin
