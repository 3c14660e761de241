// The plug-in's two files when the file system is against it. A config
// that cannot be opened stops start-up with "Can't open config.json" in the
// host's log and nothing bound; a dump file that cannot be written loses
// the dump and nothing else. The tests run as root, for whom permissions
// are no obstacle, so the obstacles are of another kind: dangling and
// looping links, and a file standing where a directory must be.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host_stand_in/testbed_host.h"
#include "support/plugin_world.h"

namespace dravelquin {

namespace {

namespace fs = std::filesystem;

std::string ContentsOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

class UnreadableConfig : public PluginWorldTest {
 protected:
  void ExpectStartUpFailsToOpen() {
    EXPECT_FALSE(TryLoadPlugin().succeeded);
    const std::vector<std::string> lines = testbed::LogLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("[dravelquin][error] Can't open config.json"))
        << lines[0];
    EXPECT_EQ(std::vector<std::string>{}, testbed::Journal());
  }
};

class UnwritableDump : public PluginWorldTest {
 protected:
  void SetUp() override {
    PluginWorldTest::SetUp();
    LoadWithConfig(ConfigWith("{}"));
    testbed::PlaceCreature(testbed::AddKind(FullNameOfKind(u"Example")), u"Alpha", 0);
    admin_ = testbed::AddPlayer(testbed::PlayerKind::kAdmin);
  }

  void RunDumpExpectingNoError() {
    EXPECT_TRUE(testbed::RunConsoleCommand(admin_, u"debugspawn"));
    EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
  }

  APlayerController* admin_ = nullptr;
};

}  // namespace

TEST_F(UnreadableConfig, DanglingLinkIsNotOpened) {
  fs::create_directories(PluginDir());
  fs::create_symlink(ServerDir() / "nowhere.json", PluginDir() / "config.json");
  ExpectStartUpFailsToOpen();
}

TEST_F(UnreadableConfig, LinkToItselfIsNotOpened) {
  fs::create_directories(PluginDir());
  fs::create_symlink("config.json", PluginDir() / "config.json");
  ExpectStartUpFailsToOpen();
}

TEST_F(UnreadableConfig, FileWhereThePluginDirectoryBelongsIsNotOpened) {
  fs::create_directories(PluginDir().parent_path());
  WriteFile(PluginDir(), ConfigWith("{}"));
  ExpectStartUpFailsToOpen();
}

TEST_F(UnwritableDump, FileWhereThePluginDirectoryBelongsStaysAsItWas) {
  fs::remove_all(PluginDir());
  WriteFile(PluginDir(), "not a directory");
  RunDumpExpectingNoError();
  EXPECT_EQ("not a directory", ContentsOf(PluginDir()));
}

TEST_F(UnwritableDump, DirectoryWhereTheDumpBelongsStaysAsItWas) {
  fs::create_directories(PluginDir() / "dinoDump.txt" / "inside");
  RunDumpExpectingNoError();
  EXPECT_TRUE(fs::is_directory(PluginDir() / "dinoDump.txt" / "inside"));
}

}  // namespace dravelquin
