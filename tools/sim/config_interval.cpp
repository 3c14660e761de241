#include "tools/sim/config_interval.h"

#include <string>

#include "tools/sim/input_files.h"
#include "tools/sim/scenario_fields.h"
#include "tools/sim/strict_json.h"

namespace dravelquin::sim {

namespace {

[[noreturn]] void CannotSweep(const std::string& reason) {
  throw InputProblem("cannot sweep CheckInterval: " + reason);
}

Json ConfigDocument(const ScenarioConfig& config) {
  if (config.source == ConfigSource::kExisting) {
    CannotSweep(
        "the scenario gives no config, and a sweep never runs a server dir's own config.json; "
        "give one in the scenario or with --config FILE");
  }
  try {
    return ParseStrictJson(config.text);
  } catch (const ScenarioError& error) {
    CannotSweep(std::string("the config is not a JSON document it can change (") + error.what() +
                ")");
  }
}

}  // namespace

ScenarioConfig WithCheckInterval(const ScenarioConfig& config, std::int64_t seconds) {
  Json document = ConfigDocument(config);
  if (!document.is_object()) {
    CannotSweep("the config's top level is not an object");
  }
  Json& general = document["General"];
  if (!general.is_null() && !general.is_object()) {
    CannotSweep("the config's \"General\" is not an object");
  }
  general["CheckInterval"] = seconds;
  return ScenarioConfig{config.source, document.dump() + "\n"};
}

}  // namespace dravelquin::sim
