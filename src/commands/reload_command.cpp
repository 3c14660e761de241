#include "commands/reload_command.h"

#include <exception>
#include <limits>
#include <string>

#include <nlohmann/json.hpp>

#include "commands/server_admin.h"
#include "host/platform.h"
#include "host/plugin_log.h"
#include "population/census.h"
#include "population/census_schedule.h"
#include "population/census_table.h"
#include "population/settings.h"
#include "population/settings_file.h"

namespace dravelquin {

std::optional<std::int64_t> LastReloadTicks;

namespace {

// The new document, when the census and the timer can run on it; raises the
// reason otherwise. The checks are the census's and the schedule's own
// lookups, made on the new document.
nlohmann::json CheckedSettingsFromFile(std::int32_t& interval) {
  nlohmann::json document = ReadSettingsFile();
  ConfiguredBlueprintNames(document);
  interval = CheckIntervalSeconds(document);
  return document;
}

void Reload() {
  std::int32_t interval = 0;
  nlohmann::json document;
  try {
    document = CheckedSettingsFromFile(interval);
  } catch (const std::exception& error) {
    LogError(std::string("dravelquin.reload refused, the running settings stay: ") + error.what());
    return;
  }
  const std::int64_t now = CurrentTicks();
  Settings().swap(document);
  LastReloadTicks = now;
  NextCensusTicks = TicksAfter(now, interval);
  std::string failure;
  try {
    RunCensus();
    return;
  } catch (const std::exception& error) {
    failure = error.what();
  } catch (...) {
    failure = "unknown error";
  }
  // The census at the next timer call, whenever it comes.
  NextCensusTicks = std::numeric_limits<std::int64_t>::min();
  LogError(
      "dravelquin.reload: the new settings are in force, but the census after them "
      "failed (the next timer call counts again): " +
      failure);
}

}  // namespace

void OnReloadCommand(APlayerController* controller, FString*, bool) noexcept {
  try {
    if (IsServerAdmin(controller)) {
      Reload();
    }
  } catch (const std::exception& error) {
    LogError(std::string("dravelquin.reload failed: ") + error.what());
  } catch (...) {
    LogError("dravelquin.reload failed: unknown error");
  }
}

}  // namespace dravelquin
