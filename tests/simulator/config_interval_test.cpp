// The config a sweep runs at each interval: the scenario's own with only
// General.CheckInterval changed, and a clear refusal where it cannot be.

#include "sim/sweep.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "common/files.h"

namespace dravelquin {

namespace {

sim::ScenarioConfig Document(const std::string& text) {
  return sim::ScenarioConfig{sim::ConfigSource::kDocument, text};
}

// The refusal's text, or "" when the config was changed.
std::string Refusal(const sim::ScenarioConfig& config) {
  try {
    sim::WithCheckInterval(config, 600);
  } catch (const InputProblem& problem) {
    return problem.what();
  }
  return "";
}

}  // namespace

TEST(SweepConfig, SetsOnlyTheInterval) {
  // The interval replaces the config's; every other member stays, in order.
  EXPECT_EQ("{\"General\":{\"CheckInterval\":600,\"Other\":1},\"Dinos\":{\"b\":{\"Count\":3}}}\n",
            sim::WithCheckInterval(Document("{\"General\":{\"CheckInterval\":21600,\"Other\":1},"
                                            "\"Dinos\":{\"b\":{\"Count\":3}}}\n"),
                                   600)
                .text);
  // A config without "General" (or with a null one) gets it.
  EXPECT_EQ("{\"Dinos\":{},\"General\":{\"CheckInterval\":0}}\n",
            sim::WithCheckInterval(Document("{\"Dinos\":{}}"), 0).text);
  // Text from config_text or --config is changed too when it is a JSON object;
  // it stays text, as the scenario gave it.
  const sim::ScenarioConfig text = sim::WithCheckInterval(
      sim::ScenarioConfig{sim::ConfigSource::kText, " {\"Dinos\": {}} "}, 1800);
  EXPECT_EQ(sim::ConfigSource::kText, text.source);
  EXPECT_EQ("{\"Dinos\":{},\"General\":{\"CheckInterval\":1800}}\n", text.text);
}

TEST(SweepConfig, RefusesWhatItCannotChange) {
  // No config: the server dir's own would run, and a sweep never writes one.
  EXPECT_NE("", Refusal(sim::ScenarioConfig{}));
  // Broken JSON, and a name given twice, which rewriting would settle silently.
  EXPECT_NE("", Refusal(sim::ScenarioConfig{sim::ConfigSource::kText, "{\"Dinos\": {},}"}));
  EXPECT_NE("", Refusal(sim::ScenarioConfig{sim::ConfigSource::kText,
                                            "{\"General\": {}, \"General\": {}}"}));
  // A top level or a "General" that is not an object.
  EXPECT_NE("", Refusal(Document("[1]")));
  EXPECT_NE("", Refusal(Document("{\"General\": 3600}")));
  // Every refusal says what could not be done.
  EXPECT_EQ(0u, Refusal(Document("null")).find("cannot sweep CheckInterval: "));
}

TEST(SweepConfig, EveryWrittenConfigGetsTheIntervalButOneAReloadRefuses) {
  sim::Scenario scenario;
  scenario.config = Document("{}");
  const auto write = [&scenario](const std::string& text) {
    scenario.steps.push_back(sim::Step{"write_config", sim::WriteConfigStep{Document(text)}});
  };
  write("{\"General\": {\"CheckInterval\": 60}}");
  write("{\"General\": {");  // refused by the reload: written as it is
  write("{\"Dinos\": 3}");   // the same
  const auto at_600 = [](const sim::ScenarioConfig& config) {
    return sim::WithCheckInterval(config, 600);
  };
  const sim::Scenario changed = sim::WithEveryConfig(scenario, at_600);
  const auto text_of = [&changed](std::size_t step) {
    return std::get<sim::WriteConfigStep>(changed.steps[step].action).config.text;
  };
  EXPECT_EQ("{\"General\":{\"CheckInterval\":600}}\n", changed.config.text);
  EXPECT_EQ("{\"General\":{\"CheckInterval\":600}}\n", text_of(0));
  EXPECT_EQ("{\"General\": {", text_of(1));
  EXPECT_EQ("{\"Dinos\": 3}", text_of(2));
  // A config the reload takes but the sweep cannot rewrite (a name given
  // twice) refuses the sweep, naming the step.
  write("{\"General\": {}, \"General\": {}}");
  try {
    sim::WithEveryConfig(scenario, at_600);
    ADD_FAILURE() << "a repeated name was rewritten";
  } catch (const InputProblem& problem) {
    EXPECT_EQ(0u, std::string(problem.what()).find("step 3 (\"write_config\"): cannot sweep"))
        << problem.what();
  }
}

}  // namespace dravelquin
