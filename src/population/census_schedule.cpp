#include "population/census_schedule.h"

#include <limits>

#include "host/game.h"
#include "host/platform.h"
#include "population/census.h"
#include "population/settings.h"
#include "population/settings_file.h"

namespace dravelquin {

std::int64_t NextCensusTicks = 0;
void* InitGameSlot = nullptr;

namespace {

constexpr std::int64_t kTicksPerSecond = 10000000;

}  // namespace

std::int64_t TicksAfter(std::int64_t now, std::int32_t seconds) {
  const std::int64_t delta = std::int64_t{seconds} * kTicksPerSecond;
  if (delta > 0 && now > std::numeric_limits<std::int64_t>::max() - delta) {
    return std::numeric_limits<std::int64_t>::max();
  }
  if (delta < 0 && now < std::numeric_limits<std::int64_t>::min() - delta) {
    return std::numeric_limits<std::int64_t>::min();
  }
  return now + delta;
}

void StartCensusClock() { NextCensusTicks = CurrentTicks(); }

void OnInitGame(AShooterGameMode* mode, FString* map_name, FString* options,
                FString* error_message) {
  reinterpret_cast<InitGameFn>(InitGameSlot)(mode, map_name, options, error_message);
  RunCensus();
}

void OnCensusTimer() {
  const std::int64_t now = CurrentTicks();
  if (now < NextCensusTicks) {
    return;
  }
  NextCensusTicks = TicksAfter(now, CheckIntervalSeconds(Settings()));
  RunCensus();
}

}  // namespace dravelquin
