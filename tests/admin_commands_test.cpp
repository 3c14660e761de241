// The administrators' commands a live server is run with: "dravelquin.reload"
// and "dravelquin.status", typed on the host's console; and "ExactCaps",
// which holds every cap between censuses.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "host/ark_api.h"
#include "host_stand_in/testbed_host.h"
#include "support/plugin_world.h"

namespace dravelquin {

namespace {

constexpr std::int64_t kSecond = testbed::kTicksPerSecond;

class AdminCommands : public PluginWorldTest {
 protected:
  void SetUp() override {
    PluginWorldTest::SetUp();
    example_ = testbed::AddKind(FullNameOfKind(u"Example"));
    admin_ = testbed::AddPlayer(testbed::PlayerKind::kAdmin);
    player_ = testbed::AddPlayer(testbed::PlayerKind::kPlayer);
  }

  // Config text capping Example at `cap`, with `general` as "General".
  static std::string ExampleConfig(int cap,
                                   const std::string& general = R"({"CheckInterval":3600})") {
    return "{\"General\":" + general + ",\"Dinos\":{\"" + PathOfKind("Example") +
           "\":{\"Count\":" + std::to_string(cap) + "}}}";
  }

  // Types the command; no error may leave it.
  static void Type(APlayerController* who, const std::u16string& command) {
    EXPECT_TRUE(testbed::RunConsoleCommand(who, command));
    EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
  }

  // The messages of the plug-in's error lines written since the last call.
  std::vector<std::string> NewErrors() {
    static const std::regex kErrorLine(R"(\d\d/\d\d/\d\d \d\d:\d\d \[dravelquin\]\[error\] (.*))");
    const std::vector<std::string> lines = testbed::LogLines();
    std::vector<std::string> errors;
    for (std::size_t i = log_lines_seen_; i < lines.size(); ++i) {
      std::smatch match;
      errors.push_back(std::regex_match(lines[i], match, kErrorLine) ? match[1].str()
                                                                     : "<" + lines[i] + ">");
    }
    log_lines_seen_ = lines.size();
    return errors;
  }

  std::string ReadStatus() const {
    std::ifstream in(PluginDir() / "status.json", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  static void EmptyTheWorld() {
    for (testbed::GameCreature* creature : testbed::WorldActors()) {
      testbed::RemoveCreature(creature);
    }
  }

  testbed::GameClass* example_ = nullptr;
  APlayerController* admin_ = nullptr;
  APlayerController* player_ = nullptr;
  std::size_t log_lines_seen_ = 0;
};

}  // namespace

TEST_F(AdminCommands, AdministratorsReloadAppliesALoweredCapAtTheNextSpawn) {
  Place(example_, 3);
  LoadWithConfig(ExampleConfig(5));
  testbed::InitGameMode();
  EXPECT_FALSE(SpawnIsDestroyed(example_));
  WriteConfig(ExampleConfig(4));
  // A player's reload changes nothing: the census still says 3 of 5.
  Type(player_, u"dravelquin.reload");
  EXPECT_FALSE(SpawnIsDestroyed(example_));
  // The administrator's counts the 5 now in the world against the new cap.
  Type(admin_, u"dravelquin.reload");
  EXPECT_TRUE(SpawnIsDestroyed(example_));
  EXPECT_EQ(std::vector<std::string>{}, NewErrors());
}

TEST_F(AdminCommands, RefusedReloadKeepsSettingsCapsAndScheduleAndLogsOneLine) {
  Place(example_, 1);
  LoadWithConfig(ExampleConfig(1));
  testbed::RunTimers();
  struct Refusal {
    const char* config;  // null: no file
    const char* reason;  // the start of the reason logged
  };
  const Refusal refusals[] = {
      {nullptr, "Can't open config.json"},
      {"{\"Dinos\":", "[json.exception.parse_error.101]"},
      {"[1]", "[json.exception.type_error.305]"},                                  // top level
      {R"({"General":{},"Dinos":[1]})", "[json.exception.invalid_iterator.207]"},  // census
      {R"({"Dinos":{}})", "[json.exception.type_error.306]"},                      // no "General"
      {R"({"General":{"CheckInterval":"60"},"Dinos":{}})", "[json.exception.type_error.302]"},
  };
  const std::string prefix = "dravelquin.reload refused, the running settings stay: ";
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.reason);
    std::filesystem::remove(PluginDir() / "config.json");
    if (refusal.config != nullptr) {
      WriteConfig(refusal.config);
    }
    Type(admin_, u"dravelquin.reload");
    const std::vector<std::string> errors = NewErrors();
    ASSERT_EQ(1u, errors.size());
    const std::string expected = prefix + refusal.reason;
    EXPECT_EQ(expected, errors[0].substr(0, expected.size()));
    // The old census and cap still hold.
    EXPECT_TRUE(SpawnIsDestroyed(example_));
  }
  // The timer's census is still due an hour after the first one.
  EmptyTheWorld();
  testbed::AdvanceTicks(3599 * kSecond);
  testbed::RunTimers();
  EXPECT_TRUE(SpawnIsDestroyed(example_));
  testbed::AdvanceTicks(1 * kSecond);
  testbed::RunTimers();
  EXPECT_FALSE(SpawnIsDestroyed(example_));
}

TEST_F(AdminCommands, ReloadSchedulesTheNextTimerCensusWithTheNewInterval) {
  LoadWithConfig(ExampleConfig(1));
  testbed::RunTimers();
  testbed::AdvanceTicks(1000 * kSecond);
  WriteConfig(ExampleConfig(1, R"({"CheckInterval":60})"));
  Type(admin_, u"dravelquin.reload");
  Place(example_, 1);
  testbed::AdvanceTicks(59 * kSecond);
  testbed::RunTimers();
  EXPECT_FALSE(SpawnIsDestroyed(example_));
  testbed::AdvanceTicks(1 * kSecond);
  testbed::RunTimers();
  EXPECT_TRUE(SpawnIsDestroyed(example_));
}

TEST_F(AdminCommands, FailedCensusAfterAReloadKeepsTheNewSettingsAndCountsAtTheNextTimerCall) {
  Place(example_, 1);
  LoadWithConfig(ExampleConfig(5, R"({"CheckInterval":86400})"));
  testbed::RunTimers();
  const std::string actors = "UGameplayStatics.GetAllActorsOfClass";
  void* const actors_entry = ArkApi::GetAddress(actors);
  ASSERT_TRUE(testbed::RemoveNative(actors));
  WriteConfig(ExampleConfig(1, R"({"CheckInterval":86400})"));
  Type(admin_, u"dravelquin.reload");
  EXPECT_EQ(std::vector<std::string>{"dravelquin.reload: the new settings are in force, but the "
                                     "census after them failed (the next timer call counts "
                                     "again): game function not found: " +
                                     actors},
            NewErrors());
  testbed::RegisterNative(actors, actors_entry);
  testbed::RunTimers();
  EXPECT_TRUE(SpawnIsDestroyed(example_));
}

// A long stretch of spawns, deaths and timer censuses, with and without
// ExactCaps: with it, from the first census on, the wild population never
// rises above the cap; the plain gate lets it overshoot between censuses.
TEST_F(AdminCommands, ExactCapsNeverLetsThePopulationAboveItsCap) {
  constexpr int kCap = 10;
  for (const bool exact : {true, false}) {
    SCOPED_TRACE(exact ? "ExactCaps" : "plain gate");
    Place(example_, 4);
    const std::string general =
        std::string(R"({"CheckInterval":600,"ExactCaps":)") + (exact ? "true" : "false") + "}";
    LoadWithConfig(ExampleConfig(kCap, general));
    testbed::RunTimers();
    std::uint32_t seed = 12345;
    const auto next = [&seed](std::uint32_t below) {
      seed = seed * 1664525u + 1013904223u;
      return (seed >> 16) % below;
    };
    std::size_t most = 0;
    for (int minute = 0; minute < 240; ++minute) {
      testbed::AdvanceTicks(60 * kSecond);
      testbed::RunTimers();
      for (std::uint32_t spawns = next(4); spawns > 0; --spawns) {
        // One in five is born tamed: the gate does not read the team.
        testbed::SpawnCreature(example_, u"New", next(5) == 0 ? 50001 : 0, 7);
      }
      const std::vector<testbed::GameCreature*> actors = testbed::WorldActors();
      if (!actors.empty() && next(3) == 0) {
        testbed::RemoveCreature(actors[next(static_cast<std::uint32_t>(actors.size()))]);
      }
      most = std::max(most, testbed::CountCreatures(example_, testbed::Wildness::kWild));
    }
    EXPECT_EQ(exact, most <= static_cast<std::size_t>(kCap)) << "most wild: " << most;
    ASSERT_TRUE(UnloadPlugin());
    EmptyTheWorld();
  }
}

TEST_F(AdminCommands, ExactCapsThatCannotBeReadIsOffAndTheCapsStillHold) {
  for (const char* general : {"", R"("General":5,)", R"("General":{"ExactCaps":"yes"},)",
                              R"("General":{"ExactCaps":0.5},)", R"("General":{"ExactCaps":1},)"}) {
    SCOPED_TRACE(general);
    const bool exact = std::string(general).find(":1}") != std::string::npos;
    Place(example_, 1);
    LoadWithConfig(std::string("{") + general + "\"Dinos\":{\"" + PathOfKind("Example") +
                   "\":{\"Count\":2}}}");
    testbed::InitGameMode();
    EXPECT_FALSE(SpawnIsDestroyed(example_));
    // Counted 1 of 2: the plain gate lets the next one through, ExactCaps not.
    EXPECT_EQ(exact, SpawnIsDestroyed(example_));
    testbed::InitGameMode();
    EXPECT_TRUE(SpawnIsDestroyed(example_));
    EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
    ASSERT_TRUE(UnloadPlugin());
    EmptyTheWorld();
  }
}

TEST_F(AdminCommands, StatusFileTellsTheSettingsTimesAndWhatTheGateDid) {
  testbed::GameClass* other = testbed::AddKind(FullNameOfKind(u"Other"));
  Place(example_, 2);
  Place(example_, 5, 50000);
  Place(other, 1);
  LoadWithConfig("{\"General\":{\"CheckInterval\":3600},\"Dinos\":{\"" + PathOfKind("Other") +
                 "\":{\"Count\":\"3\"},\"" + PathOfKind("Example") +
                 "\":{\"Count\":2},\"caf\xC3\xA9 \\\"q\\\"\\t\":{}}}");
  // A player's status writes nothing.
  Type(player_, u"dravelquin.status");
  EXPECT_FALSE(std::filesystem::exists(PluginDir() / "status.json"));
  testbed::RunTimers();
  EXPECT_TRUE(SpawnIsDestroyed(example_));
  EXPECT_FALSE(SpawnIsDestroyed(other));
  testbed::AdvanceTicks(100 * kSecond + kSecond / 2);
  Type(admin_, u"dravelquin.status");
  const std::string head = "{\n\"version\": \"" DRAVELQUIN_VERSION "\",\n";
  EXPECT_EQ(head +
                "\"CheckInterval\": 3600,\n"
                "\"ExactCaps\": false,\n"
                "\"seconds_to_next_census\": 3500,\n"
                "\"last_census\": \"2026-01-01T00:00:00Z\",\n"
                "\"last_reload\": null,\n"
                "\"blueprints\": [\n"
                "{\"path\": \"" +
                PathOfKind("Example") +
                "\", \"cap\": 2, \"counted\": 2, "
                "\"admitted\": 0, \"destroyed\": 1},\n"
                "{\"path\": \"" +
                PathOfKind("Other") +
                "\", \"cap\": "
                "\"[json.exception.type_error.302] type must be number, but is string\", "
                "\"counted\": 1, \"admitted\": 1, \"destroyed\": 0},\n"
                "{\"path\": \"caf\xC3\xA9 \\\"q\\\"\\u0009\", \"cap\": 1000, \"counted\": 0, "
                "\"admitted\": 0, \"destroyed\": 0}\n"
                "]\n}\n",
            ReadStatus());

  // A reload a day later: a new census, ExactCaps in force; the destroyed
  // total outlives the census, what was let through starts again.
  testbed::AdvanceTicks(86400 * kSecond);
  WriteConfig(ExampleConfig(3, R"({"ExactCaps":true})"));
  Type(admin_, u"dravelquin.reload");
  EXPECT_FALSE(SpawnIsDestroyed(example_));
  EXPECT_TRUE(SpawnIsDestroyed(example_));
  Type(admin_, u"dravelquin.status");
  EXPECT_EQ(head +
                "\"CheckInterval\": 86400,\n"
                "\"ExactCaps\": true,\n"
                "\"seconds_to_next_census\": 86400,\n"
                "\"last_census\": \"2026-01-02T00:01:40Z\",\n"
                "\"last_reload\": \"2026-01-02T00:01:40Z\",\n"
                "\"blueprints\": [\n"
                "{\"path\": \"" +
                PathOfKind("Example") +
                "\", \"cap\": 3, \"counted\": 2, "
                "\"admitted\": 1, \"destroyed\": 2}\n"
                "]\n}\n",
            ReadStatus());
  EXPECT_EQ(std::vector<std::string>{}, NewErrors());
}

TEST_F(AdminCommands, StatusFileThatCannotBeWrittenIsOneErrorLine) {
  LoadWithConfig(R"({"Dinos":{}})");
  std::filesystem::create_directories(PluginDir() / "status.json.tmp");
  Type(admin_, u"dravelquin.status");
  const std::vector<std::string> errors = NewErrors();
  ASSERT_EQ(1u, errors.size());
  EXPECT_EQ(0u, errors[0].find("dravelquin.status failed: cannot write ")) << errors[0];
  EXPECT_FALSE(std::filesystem::exists(PluginDir() / "status.json"));
  // Without "General" nothing of the schedule can be read.
  std::filesystem::remove(PluginDir() / "status.json.tmp");
  Type(admin_, u"dravelquin.status");
  EXPECT_EQ(std::string("{\n\"version\": \"" DRAVELQUIN_VERSION "\",\n"
                        "\"CheckInterval\": null,\n\"ExactCaps\": false,\n"
                        "\"seconds_to_next_census\": null,\n\"last_census\": null,\n"
                        "\"last_reload\": null,\n\"blueprints\": []\n}\n"),
            ReadStatus());
  EXPECT_FALSE(std::filesystem::exists(PluginDir() / "status.json.tmp"));
}

}  // namespace dravelquin
