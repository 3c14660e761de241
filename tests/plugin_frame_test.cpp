// Loading and unloading the plug-in: what it binds, what a failed start-up
// leaves behind, and that an unloaded plug-in is gone from the game's paths.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "support/plugin_world.h"
#include "testbed/game/engine_allocator.h"
#include "testbed/host/testbed_host.h"

namespace {

class PluginFrame : public PluginWorldTest {
 protected:
  // The only log line, which must be one error of the plug-in's logger.
  static std::string OnlyErrorLine() {
    const std::vector<std::string> lines = testbed::LogLines();
    EXPECT_EQ(1u, lines.size());
    return lines.empty() ? std::string() : lines.front();
  }
};

const std::regex kErrorLinePattern(
    R"(\d\d/\d\d/\d\d \d\d:\d\d \[dravelquin\]\[error\] (.*))");

std::string MessageOf(const std::string& line) {
  std::smatch match;
  return std::regex_match(line, match, kErrorLinePattern) ? match[1].str() : "<" + line + ">";
}

}  // namespace

TEST_F(PluginFrame, MissingConfigFailsStartUpWithItsReasonInTheHostLog) {
  const testbed::LoaderOutcome outcome = TryLoadPlugin();
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ("Can't open config.json", MessageOf(OnlyErrorLine()));
  EXPECT_EQ(std::vector<std::string>{}, testbed::Journal());
}

TEST_F(PluginFrame, EmptyConfigFailsStartUpWithTheParseError) {
  WriteConfig("");
  EXPECT_FALSE(TryLoadPlugin().succeeded);
  const std::string message = MessageOf(OnlyErrorLine());
  EXPECT_EQ(0u, message.find("[json.exception.parse_error.101] parse error")) << message;
  EXPECT_EQ(std::vector<std::string>{}, testbed::Journal());
}

TEST_F(PluginFrame, ConfigThatIsADirectoryFailsStartUpCleanly) {
  std::filesystem::create_directories(PluginDir() / "config.json");
  EXPECT_FALSE(TryLoadPlugin().succeeded);
  EXPECT_EQ(1u, testbed::LogLines().size());
  EXPECT_EQ(0u, testbed::ConsoleCommandCount() + testbed::TimerCount());
}

TEST_F(PluginFrame, FailureAfterTheHooksAreSetUnbindsThemAgain) {
  WriteConfig(ConfigWith("{}"));
  // The timer key is the first engine string start-up makes.
  testbed::FailAllocation(1);
  EXPECT_FALSE(TryLoadPlugin().succeeded);
  EXPECT_EQ("std::bad_alloc", MessageOf(OnlyErrorLine()));
  EXPECT_EQ((std::vector<std::string>{
                "SetHook AShooterGameMode.InitGame",
                "SetHook APrimalDinoCharacter.GetRandomBaseLevel",
                "DisableHook AShooterGameMode.InitGame",
                "DisableHook APrimalDinoCharacter.GetRandomBaseLevel",
            }),
            testbed::Journal());
  EXPECT_EQ(0u, testbed::HookCount("APrimalDinoCharacter.GetRandomBaseLevel"));
}

TEST_F(PluginFrame, UnloadNeedsNoEngineMemory) {
  LoadWithConfig(ConfigWith("{}"));
  testbed::FailAllocation(1);
  ASSERT_TRUE(UnloadPlugin());
  testbed::FailAllocation(0);
  EXPECT_EQ(0u, testbed::ConsoleCommandCount() + testbed::TimerCount());
  EXPECT_EQ(std::vector<std::string>{}, testbed::LogLines());
}

TEST_F(PluginFrame, SuccessfulStartUpWritesNothingToTheLog) {
  LoadWithConfig(ConfigWith("{}"));
  EXPECT_EQ(std::vector<std::string>{}, testbed::LogLines());
}

TEST_F(PluginFrame, UnloadedPluginLeavesTheGameAsThoughItWereAbsent) {
  testbed::GameClass* kind = testbed::AddKind(FullNameOfKind(u"Example"));
  LoadWithConfig(ConfigWith("{\"" + PathOfKind("Example") + "\":{\"Count\":0}}"));
  ASSERT_TRUE(UnloadPlugin());

  EXPECT_FALSE(SpawnIsDestroyed(kind));
  EXPECT_EQ(1u, testbed::OwnBaseLevelCalls().size());
  EXPECT_TRUE(testbed::InitGameMode().completed);
  EXPECT_EQ(1u, testbed::OwnInitGameCalls().size());
  EXPECT_FALSE(testbed::RunConsoleCommand(testbed::AddPlayer(testbed::PlayerKind::kAdmin),
                                          u"debugspawn"));
  EXPECT_FALSE(DumpExists());
  EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
}

TEST_F(PluginFrame, ReloadStartsFromFreshState) {
  testbed::GameClass* kind = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(kind, 2);
  LoadWithConfig(ConfigWith("{\"" + PathOfKind("Example") + "\":{\"Count\":2}}"));
  testbed::InitGameMode();
  ASSERT_TRUE(SpawnIsDestroyed(kind));
  ASSERT_TRUE(UnloadPlugin());

  // The census of the first load must not survive into the second.
  ASSERT_TRUE(LoadPlugin());
  EXPECT_FALSE(SpawnIsDestroyed(kind));
}
