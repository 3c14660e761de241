// Fuzz target: arbitrary bytes as a scenario file, read as the simulator
// reads one before it runs anything. Reading either refuses the text with a
// ScenarioError, which the simulator prints as its one-line reason and
// exits 2 on, or gives a scenario; a scenario given, written back out with
// every field spelt out and read again, is the same scenario.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_require.h"
#include "fuzz/scenario_text.h"
#include "sim/scenario.h"

namespace dravelquin {

namespace {

using fuzz::Require;

void RequireOneLineReason(const sim::ScenarioError& error) {
  const std::string reason = error.what();
  Require(!reason.empty(), "a refusal without a reason");
  Require(reason.find_first_of("\r\n") == std::string::npos,
          "a refusal of more than one line: " + reason);
}

// Reads `text`; any exception but ScenarioError fails the run.
bool Read(const std::string& text, sim::Scenario& scenario) {
  try {
    scenario = sim::ParseScenario(text);
    return true;
  } catch (const sim::ScenarioError& error) {
    RequireOneLineReason(error);
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sim::Scenario scenario;
  if (!Read(std::string(reinterpret_cast<const char*>(data), size), scenario)) {
    return 0;
  }
  const std::string written = fuzz::ScenarioText(scenario);
  sim::Scenario again;
  try {
    again = sim::ParseScenario(written);
  } catch (const sim::ScenarioError& error) {
    Require(false,
            std::string("the written scenario is refused: ") + error.what() + "\n" + written);
  }
  Require(fuzz::ScenarioText(again) == written,
          "the written scenario reads differently:\n" + written + "\n" + fuzz::ScenarioText(again));
  Require(
      again.config.source == scenario.config.source && again.config.text == scenario.config.text,
      "the written scenario's config reads differently:\n" + written);
  return 0;
}

}  // namespace dravelquin
