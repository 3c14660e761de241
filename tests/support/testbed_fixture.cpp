#include "support/testbed_fixture.h"

#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "common/files.h"
#include "game/engine_allocator.h"
#include "game/fresh_server.h"
#include "game/game_world.h"

namespace dravelquin {

namespace {

constexpr const char* kPluginPath = DRAVELQUIN_PLUGIN_PATH;

::testing::AssertionResult AsAssertion(const testbed::LoaderOutcome& outcome) {
  if (outcome.succeeded) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << outcome.error;
}

}  // namespace

void TestbedTest::SetUp() {
  server_dir_ = MakeTemporaryFolder("dravelquin-", "server directory");
  testbed::StartFreshServer(server_dir_, testbed::AllocatorRecord::kEveryCall);
}

void TestbedTest::TearDown() {
  if (testbed::IsPluginLoaded()) {
    EXPECT_TRUE(UnloadPlugin());
  }
  testbed::ResetGame();
  std::error_code ignored;
  std::filesystem::remove_all(server_dir_, ignored);
  EXPECT_EQ(0u, testbed::LiveBlockCount()) << "engine blocks left live";
  EXPECT_EQ(std::vector<std::string>{}, testbed::AllocatorErrors());
}

std::filesystem::path TestbedTest::PluginDir() const { return PluginFolderOf(server_dir_); }

void TestbedTest::WriteConfig(const std::string& text) const {
  std::filesystem::create_directories(PluginDir());
  std::ofstream out(PluginDir() / "config.json", std::ios::binary | std::ios::trunc);
  out << text;
}

bool TestbedTest::DumpExists() const {
  return std::filesystem::exists(PluginDir() / "dinoDump.txt");
}

std::string TestbedTest::ReadDump() const {
  std::ifstream in(PluginDir() / "dinoDump.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

::testing::AssertionResult TestbedTest::LoadPlugin() { return AsAssertion(TryLoadPlugin()); }

::testing::AssertionResult TestbedTest::UnloadPlugin() {
  return AsAssertion(testbed::UnloadPlugin());
}

testbed::LoaderOutcome TestbedTest::TryLoadPlugin() { return testbed::LoadPlugin(kPluginPath); }

}  // namespace dravelquin
