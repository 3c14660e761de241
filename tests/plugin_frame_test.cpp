// Loading and unloading the plug-in: what it binds, what a failed start-up
// leaves behind, and that an unloaded plug-in is gone from the game's paths.

#include <gtest/gtest.h>

#include <new>
#include <regex>
#include <string>
#include <vector>

#include "game/engine_allocator.h"
#include "host_stand_in/testbed_host.h"
#include "support/plugin_world.h"

namespace dravelquin {

namespace {

class PluginFrame : public PluginWorldTest {
 protected:
  // The only log line, which must be one error of the plug-in's logger,
  // flushed: a host that stops right after the failed start-up still has it.
  static std::string OnlyErrorLine() {
    const std::vector<std::string> lines = testbed::LogLines();
    EXPECT_EQ(1u, lines.size());
    EXPECT_EQ(1u, testbed::GetLogFlushes().lines_flushed) << "the error line is not flushed";
    return lines.empty() ? std::string() : lines.front();
  }
};

// What the runtime's std::bad_alloc says: "std::bad_alloc" with libstdc++,
// "bad allocation" with Microsoft's library.
const std::string kBadAllocText = std::bad_alloc().what();

const std::regex kErrorLinePattern(R"(\d\d/\d\d/\d\d \d\d:\d\d \[dravelquin\]\[error\] (.*))");

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
  EXPECT_EQ(kBadAllocText, MessageOf(OnlyErrorLine()));
  EXPECT_EQ((std::vector<std::string>{
                "SetHook AShooterGameMode.InitGame",
                "SetHook APrimalDinoCharacter.GetRandomBaseLevel",
                "DisableHook AShooterGameMode.InitGame",
                "DisableHook APrimalDinoCharacter.GetRandomBaseLevel",
            }),
            testbed::Journal());
  EXPECT_EQ(0u, testbed::HookCount("APrimalDinoCharacter.GetRandomBaseLevel"));
}

TEST_F(PluginFrame, FailureAfterTheTimerIsBoundRemovesItOnceAndNothingUnbound) {
  WriteConfig(ConfigWith("{}"));
  // The command's name is the second engine string start-up makes, after
  // the timer key: the timer is bound, the command is not.
  testbed::FailAllocation(2);
  const testbed::LoaderOutcome outcome = TryLoadPlugin();
  EXPECT_FALSE(outcome.succeeded);
  // Nothing was left behind for the loader to drop.
  EXPECT_EQ("attach failed", outcome.error);
  EXPECT_EQ(kBadAllocText, MessageOf(OnlyErrorLine()));
  EXPECT_EQ((std::vector<std::string>{
                "SetHook AShooterGameMode.InitGame",
                "SetHook APrimalDinoCharacter.GetRandomBaseLevel",
                "AddOnTimerCallback dravelquin",
                "DisableHook AShooterGameMode.InitGame",
                "DisableHook APrimalDinoCharacter.GetRandomBaseLevel",
                "RemoveOnTimerCallback dravelquin",
            }),
            testbed::Journal());
  EXPECT_EQ(0u, testbed::ConsoleCommandCount() + testbed::TimerCount());
}

TEST_F(PluginFrame, FailureAfterSomeCommandsAreBoundRemovesExactlyThose) {
  WriteConfig(ConfigWith("{}"));
  // The status command's name is the fourth engine string start-up makes:
  // "debugspawn" and "dravelquin.reload" are bound, "dravelquin.status" is not.
  testbed::FailAllocation(4);
  EXPECT_FALSE(TryLoadPlugin().succeeded);
  EXPECT_EQ(kBadAllocText, MessageOf(OnlyErrorLine()));
  EXPECT_EQ((std::vector<std::string>{
                "SetHook AShooterGameMode.InitGame",
                "SetHook APrimalDinoCharacter.GetRandomBaseLevel",
                "AddOnTimerCallback dravelquin",
                "AddConsoleCommand debugspawn",
                "AddConsoleCommand dravelquin.reload",
                "DisableHook AShooterGameMode.InitGame",
                "DisableHook APrimalDinoCharacter.GetRandomBaseLevel",
                "RemoveConsoleCommand dravelquin.reload",
                "RemoveConsoleCommand debugspawn",
                "RemoveOnTimerCallback dravelquin",
            }),
            testbed::Journal());
  EXPECT_EQ(0u, testbed::ConsoleCommandCount() + testbed::TimerCount());
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

// The plug-in's logger shares the host's sinks: the lines the host itself
// writes through them keep the host's format whatever the plug-in did.
TEST_F(PluginFrame, HostsOwnLogLinesKeepTheirFormatThroughFailedStartUpLoadAndUnload) {
  testbed::WriteHostLogLine("before");
  ASSERT_FALSE(TryLoadPlugin().succeeded);
  testbed::WriteHostLogLine("after a failed start-up");
  LoadWithConfig(ConfigWith("{}"));
  testbed::WriteHostLogLine("while loaded");
  ASSERT_TRUE(UnloadPlugin());
  testbed::WriteHostLogLine("after unload");

  const std::vector<std::string> lines = testbed::LogLines();
  ASSERT_EQ(5u, lines.size());
  EXPECT_EQ("Can't open config.json", MessageOf(lines[1]));
  EXPECT_EQ((std::vector<std::string>{
                "[ArkApi] info: before",
                "[ArkApi] info: after a failed start-up",
                "[ArkApi] info: while loaded",
                "[ArkApi] info: after unload",
            }),
            (std::vector<std::string>{lines[0], lines[2], lines[3], lines[4]}));
}

TEST_F(PluginFrame, UnloadedPluginLeavesTheGameAsThoughItWereAbsent) {
  testbed::GameClass* kind = testbed::AddKind(FullNameOfKind(u"Example"));
  LoadWithConfig(ConfigWith("{\"" + PathOfKind("Example") + "\":{\"Count\":0}}"));
  ASSERT_TRUE(UnloadPlugin());

  EXPECT_FALSE(SpawnIsDestroyed(kind));
  EXPECT_EQ(1u, testbed::OwnBaseLevelCalls().size());
  EXPECT_TRUE(testbed::InitGameMode().completed);
  EXPECT_EQ(1u, testbed::OwnInitGameCalls().size());
  APlayerController* admin = testbed::AddPlayer(testbed::PlayerKind::kAdmin);
  for (const char16_t* command : {u"debugspawn", u"dravelquin.reload", u"dravelquin.status"}) {
    EXPECT_FALSE(testbed::RunConsoleCommand(admin, command));
  }
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

}  // namespace dravelquin
