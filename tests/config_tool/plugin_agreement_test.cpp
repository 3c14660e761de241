// The checker against the plug-in itself, loaded into the stand-in server:
// settings written from the server's own dump pass the check cleanly, and
// under those settings, as under settings the checker warns about, the gate
// and the timer do what the checker said they would.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "config/checks.h"
#include "config/dump.h"
#include "host_stand_in/testbed_host.h"
#include "plugin_rules/plugin_rules.h"
#include "support/plugin_world.h"

namespace dravelquin {

namespace {

using Verdicts = std::map<std::string, bool>;  // path -> the next newcomer is destroyed

class CheckerAgainstPlugin : public PluginWorldTest {
 protected:
  void SetUp() override {
    PluginWorldTest::SetUp();
    kinds_ = {{PathOfKind("Example"), testbed::AddKind(FullNameOfKind(u"Example"))},
              {PathOfKind("Other"), testbed::AddKind(FullNameOfKind(u"Other"))},
              {PathOfKind("Third"), testbed::AddKind(FullNameOfKind(u"Third"))}};
    Place(kinds_[PathOfKind("Example")], 3);
    Place(kinds_[PathOfKind("Example")], 2, testbed::kFirstTamedTeam);
    Place(kinds_[PathOfKind("Other")], 5);
    Place(kinds_[PathOfKind("Third")], 1, -7);
  }

  // The dump an administrator's "debugspawn" writes of the world.
  std::vector<DumpBlueprint> ServerDump() {
    LoadWithConfig(R"({"General":{},"Dinos":{}})");
    testbed::RunConsoleCommand(testbed::AddPlayer(testbed::PlayerKind::kAdmin), u"debugspawn");
    EXPECT_TRUE(UnloadPlugin());
    return BlueprintsOf(ParseDump(ReadDump()));
  }

  // Loads the plug-in with the settings, lets the game mode start (one
  // census), then asks the gate about one newcomer of each kind.
  Verdicts GateVerdicts(const std::string& settings_text) {
    LoadWithConfig(settings_text);
    EXPECT_TRUE(testbed::InitGameMode().completed);
    Verdicts verdicts;
    for (const auto& [path, kind] : kinds_) {
      verdicts[path] = SpawnIsDestroyed(kind);
    }
    return verdicts;
  }

  std::map<std::string, testbed::GameClass*> kinds_;
};

Verdicts CheckerVerdicts(const std::string& settings_text, const std::vector<DumpBlueprint>& dump) {
  Verdicts verdicts;
  const SettingsReader settings(nlohmann::json::parse(settings_text));
  for (const PathOutlook& outlook : OutlooksOf(settings, dump)) {
    verdicts[outlook.path] = outlook.next_destroyed;
  }
  return verdicts;
}

std::vector<std::string> Formatted(const std::vector<Diagnostic>& diagnostics) {
  std::vector<std::string> lines;
  lines.reserve(diagnostics.size());
  for (const Diagnostic& diagnostic : diagnostics) {
    lines.push_back(FormatDiagnostic(diagnostic));
  }
  return lines;
}

std::size_t WarningCount(const std::vector<Diagnostic>& diagnostics) {
  return static_cast<std::size_t>(std::count_if(
      diagnostics.begin(), diagnostics.end(),
      [](const Diagnostic& diagnostic) { return diagnostic.severity == Severity::kWarning; }));
}

}  // namespace

TEST_F(CheckerAgainstPlugin, SettingsFromTheServersDumpCapAsTheCheckerSays) {
  const std::vector<DumpBlueprint> dump = ServerDump();
  FromDumpOptions options;
  options.cap = 4;
  const std::string settings = SettingsFromDump("dinoDump.txt", dump, options).text;
  EXPECT_EQ(std::vector<std::string>{},
            Formatted(CheckConfigText("config.json", settings, nullptr).diagnostics));

  const Verdicts said = CheckerVerdicts(settings, dump);
  EXPECT_EQ((Verdicts{{PathOfKind("Example"), false},
                      {PathOfKind("Other"), true},
                      {PathOfKind("Third"), false}}),
            said);
  EXPECT_EQ(said, GateVerdicts(settings));
}

TEST_F(CheckerAgainstPlugin, WarnedSettingsBehaveAsTheWarningsSay) {
  const std::vector<DumpBlueprint> dump = ServerDump();
  const std::string settings =
      R"({"General":{"CheckInterval":3600},"Dinos":{)"
      R"("Blueprint'/Game/Creatures/Example/Example_BP.Example_BP'":{"Count":1},)"
      "\"" +
      PathOfKind("Other") +
      R"(":{"Count":"2"},)"
      "\"" +
      PathOfKind("Third") + R"(":{"Count":0}}})";
  EXPECT_EQ(3u, WarningCount(CheckConfigText("config.json", settings, nullptr).diagnostics));

  const Verdicts said = CheckerVerdicts(settings, dump);
  EXPECT_EQ((Verdicts{{PathOfKind("Example"), false},
                      {PathOfKind("Other"), false},
                      {PathOfKind("Third"), true}}),
            said);
  EXPECT_EQ(said, GateVerdicts(settings));
}

TEST_F(CheckerAgainstPlugin, TimerRecountsAfterTheIntervalTheCheckerReads) {
  const std::string settings = R"({"General":{"CheckInterval":90.9},"Dinos":{")" +
                               PathOfKind("Other") + R"(":{"Count":6}}})";
  const std::int32_t interval =
      SettingsReader(nlohmann::json::parse(settings)).CheckInterval().value.value_or(0);
  ASSERT_EQ(90, interval);
  LoadWithConfig(settings);
  testbed::RunTimers();
  Place(kinds_[PathOfKind("Other")], 1);

  testbed::AdvanceTicks((interval - 1) * testbed::kTicksPerSecond);
  testbed::RunTimers();
  EXPECT_FALSE(SpawnIsDestroyed(kinds_[PathOfKind("Other")]));
  testbed::AdvanceTicks(testbed::kTicksPerSecond);
  testbed::RunTimers();
  EXPECT_TRUE(SpawnIsDestroyed(kinds_[PathOfKind("Other")]));
}

}  // namespace dravelquin
