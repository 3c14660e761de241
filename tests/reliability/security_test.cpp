// Limits that neither an administrator's command nor a config file can push
// the plug-in past. The dump goes to its one fixed path under the server
// directory whatever follows the command's name. A config that is megabytes
// long, nested hundreds of thousands deep, or full of numbers beyond every
// range either loads and works or fails start-up cleanly: one error in the
// host's log and nothing bound.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/files.h"
#include "host_stand_in/testbed_host.h"
#include "support/plugin_world.h"

namespace dravelquin {

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kYear = 365LL * 24 * 3600 * testbed::kTicksPerSecond;

std::string ContentsOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::u16string Utf16Of(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

// The server directory is one level down, so that a file written anywhere
// around it would show up in the test's own directory.
class DumpPath : public PluginWorldTest {
 protected:
  void SetUp() override {
    PluginWorldTest::SetUp();
    server_ = ServerDir() / "server";
    plugin_dir_ = PluginFolderOf(server_);
    fs::create_directories(plugin_dir_);
    std::ofstream(plugin_dir_ / "config.json") << ConfigWith("{}");
    testbed::SetCurrentDir(server_.string());
    ASSERT_TRUE(LoadPlugin());
    testbed::PlaceCreature(testbed::AddKind(FullNameOfKind(u"Example")), u"Alpha", 0);
    admin_ = testbed::AddPlayer(testbed::PlayerKind::kAdmin);
  }

  // Every file under the test's directory, relative to it.
  std::vector<std::string> Files() const {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(ServerDir())) {
      if (!entry.is_directory()) {
        files.push_back(fs::relative(entry.path(), ServerDir()).generic_string());
      }
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  fs::path server_;
  fs::path plugin_dir_;
  APlayerController* admin_ = nullptr;
};

class HugeConfig : public PluginWorldTest {
 protected:
  void SetUp() override {
    PluginWorldTest::SetUp();
    example_ = testbed::AddKind(FullNameOfKind(u"Example"));
  }

  // Loads `config` and fails the test unless it loads.
  void Load(const std::string& config) { LoadWithConfig(config); }

  // Loading `config` fails with the library's error `error` in the log.
  void ExpectCleanFailure(const std::string& config, const std::string& error) {
    WriteConfig(config);
    EXPECT_FALSE(TryLoadPlugin().succeeded);
    const std::vector<std::string> lines = testbed::LogLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("[dravelquin][error] " + error))
        << lines[0].substr(0, 200);
    EXPECT_EQ(std::vector<std::string>{}, testbed::Journal());
  }

  // After a census of `wild` creatures of Example, whether a newcomer is destroyed.
  bool CappedAt(int wild) {
    Place(example_, wild);
    EXPECT_TRUE(testbed::InitGameMode().completed);
    return SpawnIsDestroyed(example_);
  }

  testbed::GameClass* example_ = nullptr;
};

std::string ExampleWithCount(const std::string& count) {
  return "{\"" + PathOfKind("Example") + "\":{\"Count\":" + count + "}}";
}

struct CountCase {
  std::string text;
  bool destroys_with_none_counted;
};

void PrintTo(const CountCase& count, std::ostream* out) { *out << count.text.substr(0, 40); }

class HugeCount : public HugeConfig, public ::testing::WithParamInterface<CountCase> {};

class OverflowingCount : public HugeConfig, public ::testing::WithParamInterface<std::string> {};

}  // namespace

TEST_F(DumpPath, CommandTextNeverChoosesTheFile) {
  const std::string config = ContentsOf(plugin_dir_ / "config.json");
  const std::string escape = (ServerDir() / "escape.txt").string();
  const std::vector<std::u16string> lines = {
      u"debugspawn " + Utf16Of(escape),
      u"debugspawn ../../../../escape.txt",
      u"debugspawn ..\\..\\..\\..\\escape.txt",
      u"debugspawn config.json",
      u"debugspawn ArkApi/Plugins/dravelquin/config.json > " + Utf16Of(escape),
      u"DebugSpawn\t" + Utf16Of(escape),
      u"debugspawn " + std::u16string(100000, u'/'),
  };
  for (const std::u16string& line : lines) {
    SCOPED_TRACE(testbed::Utf8FromUtf16(line.substr(0, 60)));
    EXPECT_TRUE(testbed::RunConsoleCommand(admin_, line));
    EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
    EXPECT_EQ((std::vector<std::string>{"server/ArkApi/Plugins/dravelquin/config.json",
                                        "server/ArkApi/Plugins/dravelquin/dinoDump.txt"}),
              Files());
    EXPECT_EQ(config, ContentsOf(plugin_dir_ / "config.json"));
    EXPECT_EQ(PathOfKind("Example") + "|Alpha|1\n", ContentsOf(plugin_dir_ / "dinoDump.txt"));
  }
}

TEST_F(HugeConfig, MegabytesOfTextAndThousandsOfBlueprintsLoadAndWork) {
  std::string dinos = "{";
  for (int i = 0; i < 20000; ++i) {
    dinos += "\"" + PathOfKind("Kind" + std::to_string(i)) + "\":{\"Count\":1},";
  }
  dinos += "\"" + PathOfKind("Example") + "\":{\"Count\":2}}";
  Load("{\"General\":{\"CheckInterval\":60},\"Notes\":\"" + std::string(8 << 20, 'x') +
       "\",\"Dinos\":" + dinos + "}");
  EXPECT_FALSE(CappedAt(1));
  EXPECT_TRUE(CappedAt(1));
}

TEST_F(HugeConfig, NestingHundredsOfThousandsDeepLoadsAndWorks) {
  const int depth = 100000;
  const std::string deep_arrays = std::string(depth, '[') + std::string(depth, ']');
  std::string deep_objects;
  for (int i = 0; i < depth; ++i) {
    deep_objects += "{\"a\":";
  }
  deep_objects += "0" + std::string(depth, '}');
  testbed::GameClass* other = testbed::AddKind(FullNameOfKind(u"Other"));
  Load("{\"General\":{\"Deep\":" + deep_objects + "},\"Dinos\":{\"" + PathOfKind("Example") +
       "\":{\"Count\":1,\"Deep\":" + deep_arrays + "},\"" + PathOfKind("Other") +
       "\":" + deep_arrays + "}}");
  Place(other, 1);
  EXPECT_TRUE(CappedAt(1));
  EXPECT_FALSE(SpawnIsDestroyed(other));  // its member is no object: the gate lets it be
}

TEST_P(HugeCount, LoadsAndReadsTheCapWithinThe32BitRange) {
  Load(ConfigWith(ExampleWithCount(GetParam().text)));
  EXPECT_EQ(GetParam().destroys_with_none_counted, CappedAt(0));
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, HugeCount,
    ::testing::Values(CountCase{"1e308", false},  // held at the largest cap
                      CountCase{"-1e308", true},  // held at the smallest
                      CountCase{"123456789012345678901234567890", false},         // a double, held
                      CountCase{"18446744073709551615", true},                    // low 32 bits: -1
                      CountCase{"-9223372036854775808", true},                    // low 32 bits: 0
                      CountCase{"4294967297", false},                             // low 32 bits: 1
                      CountCase{"0." + std::string(1 << 20, '0') + "1", true}));  // 0

TEST_P(OverflowingCount, FailsStartUpCleanly) {
  ExpectCleanFailure(
      ConfigWith(ExampleWithCount(GetParam())),
      "[json.exception.out_of_range.406] number overflow parsing '" + GetParam().substr(0, 20));
}

INSTANTIATE_TEST_SUITE_P(Numbers, OverflowingCount,
                         ::testing::Values("1e400", "-1e400", "1" + std::string(400, '0')));

TEST_F(HugeConfig, IntervalBeyondTheRangeWaitsLongestAndBelowItCensusesEveryCall) {
  Load("{\"General\":{\"CheckInterval\":1e308},\"Dinos\":" + ExampleWithCount("1") + "}");
  testbed::RunTimers();
  Place(example_, 1);
  testbed::AdvanceTicks(50 * kYear);
  testbed::RunTimers();
  EXPECT_FALSE(SpawnIsDestroyed(example_));
  ASSERT_TRUE(UnloadPlugin());

  Load("{\"General\":{\"CheckInterval\":-1e308},\"Dinos\":" + ExampleWithCount("1") + "}");
  testbed::RunTimers();
  for (testbed::GameCreature* creature : testbed::WorldActors()) {
    testbed::RemoveCreature(creature);
  }
  testbed::RunTimers();
  EXPECT_FALSE(SpawnIsDestroyed(example_));
  EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
}

}  // namespace dravelquin
