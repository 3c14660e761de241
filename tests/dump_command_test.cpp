// The administrators' "debugspawn": who may run it and the exact file it
// writes.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "game/engine_allocator.h"
#include "game/game_natives.h"
#include "host_stand_in/testbed_host.h"
#include "support/plugin_world.h"

namespace dravelquin {

namespace {

class DumpCommand : public PluginWorldTest {
 protected:
  void SetUp() override {
    PluginWorldTest::SetUp();
    LoadWithConfig(ConfigWith("{}"));
    admin_ = testbed::AddPlayer(testbed::PlayerKind::kAdmin);
  }

  // Runs "debugspawn" as the administrator; the dump it wrote.
  std::string Dump(const std::u16string& line = u"debugspawn") {
    EXPECT_TRUE(testbed::RunConsoleCommand(admin_, line));
    EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
    return ReadDump();
  }

  APlayerController* admin_ = nullptr;
};

// The dump's line ending as the platform's text streams write it.
#if defined(_WIN32)
const std::string kEol = "\r\n";
#else
const std::string kEol = "\n";
#endif

}  // namespace

TEST_F(DumpCommand, ListsEachPathAndNameWithItsCount) {
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  testbed::GameClass* other = testbed::AddKind(FullNameOfKind(u"Other"));
  Place(example, 2, 0, u"Alpha");
  Place(example, 1, 0, u"Beta");
  Place(other, 4, 0, u"Alpha");
  Place(other, 3, 50000, u"Alpha");
  EXPECT_EQ(PathOfKind("Example") + "|Alpha|2" + kEol + PathOfKind("Example") + "|Beta|1" + kEol +
                PathOfKind("Other") + "|Alpha|4" + kEol,
            Dump());
}

TEST_F(DumpCommand, EmptyWorldGivesAnEmptyFile) {
  EXPECT_EQ("", Dump());
  EXPECT_TRUE(DumpExists());
}

TEST_F(DumpCommand, TeamBoundaryAndNullEntries) {
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(example, 1, 49999, u"A");
  Place(example, 1, 50000, u"B");
  Place(example, 1, -1, u"C");
  testbed::AddNullActor();
  EXPECT_EQ(PathOfKind("Example") + "|A|1" + kEol + PathOfKind("Example") + "|C|1" + kEol, Dump());
}

TEST_F(DumpCommand, LinesSortByTheBytesOfPathAndName) {
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(example, 1, 0, u"beta");
  Place(example, 1, 0, u"Beta");
  Place(example, 1, 0, u"\u00c9clair");
  Place(example, 1, 0, u"Alpha");
  const std::string path = PathOfKind("Example");
  EXPECT_EQ(path + "|Alpha|1" + kEol + path + "|Beta|1" + kEol + path + "|beta|1" + kEol + path +
                "|\xC3\x89"
                "clair|1" +
                kEol,
            Dump());
}

TEST_F(DumpCommand, DisplayNamesAreCleanedAndWrittenAsUtf8) {
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(example, 1, 0, u"\u4e00\u53ea \u5e7c\u5d3d \u7ffc\u9f99 - Lvl 30");
  Place(example, 1, 0, u"\u7ffc\u9f99 - Lvl 2");
  EXPECT_EQ(PathOfKind("Example") + "|\xE7\xBF\xBC\xE9\xBE\x99 |2" + kEol, Dump());
}

TEST_F(DumpCommand, EmptyNameAndEmptyPathLeaveEmptyFields) {
  testbed::GameClass* nameless = testbed::AddKind(u"NoSpaceAnywhere");
  Place(nameless, 1, 0, u"Solo");
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(example, 1, 0, u"");
  Place(example, 1, 0, u"---");
  // "|" sorts after every letter, so the line without a path comes last.
  EXPECT_EQ(PathOfKind("Example") + "||2" + kEol + "|Solo|1" + kEol, Dump());
}

TEST_F(DumpCommand, PathCharacterOutsideNarrowSetBecomesQuestionMark) {
  testbed::GameClass* kind = testbed::AddKind(u"Long_C /Game/\u9f99.\u9f99_C");
  Place(kind, 1, 0, u"X");
  EXPECT_EQ("blueprint'/Game/?.?'|X|1" + kEol, Dump());
}

TEST_F(DumpCommand, SurrogatePairsInANameBecomeFourByteCharacters) {
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  // The lowest pair, U+10000, and the highest, U+10FFFF, between letters.
  const char16_t name[] = {u'A', 0xD800, 0xDC00, u'B', 0xDBFF, 0xDFFF, u'C', 0};
  Place(example, 1, 0, name);
  EXPECT_EQ(PathOfKind("Example") +
                "|A\xF0\x90\x80\x80"
                "B\xF4\x8F\xBF\xBF"
                "C|1" +
                kEol,
            Dump());
}

TEST_F(DumpCommand, UnpairedSurrogateInANameBecomesReplacementCharacter) {
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  // A high surrogate between letters.
  const char16_t lone_high[] = {u'A', 0xD800, u'B', 0};
  // A high surrogate followed by another high one, which pairs with the low
  // one after it.
  const char16_t high_then_pair[] = {u'C', 0xD800, 0xDBFF, 0xDFFF, u'D', 0};
  // Low surrogates without a high one before them.
  const char16_t lone_lows[] = {u'E', 0xDC00, u'F', 0xDFFF, u'G', 0};
  // A high surrogate that ends the name.
  const char16_t high_at_end[] = {u'H', 0xDBFF, 0};
  for (const char16_t* name : {lone_high, high_then_pair, lone_lows, high_at_end}) {
    Place(example, 1, 0, name);
  }
  const std::string replacement = "\xEF\xBF\xBD";
  const auto line = [](const std::string& name) {
    return PathOfKind("Example") + "|" + name + "|1" + kEol;
  };
  EXPECT_EQ(line("A" + replacement + "B") +
                line("C" + replacement +
                     "\xF4\x8F\xBF\xBF"
                     "D") +
                line("E" + replacement + "F" + replacement + "G") + line("H" + replacement),
            Dump());
}

TEST_F(DumpCommand, TrailingTextChangesNothing) {
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(example, 1, 0, u"Alpha");
  const std::string plain = Dump();
  EXPECT_EQ(plain, Dump(u"debugspawn ../../../etc/passwd now"));
  EXPECT_EQ(plain, Dump(u"DebugSpawn"));
}

TEST_F(DumpCommand, EachRunReplacesTheWholeFile) {
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(example, 3, 0, u"Alpha");
  Dump();
  for (testbed::GameCreature* creature : testbed::WorldActors()) {
    testbed::RemoveCreature(creature);
  }
  EXPECT_EQ("", Dump());
}

TEST_F(DumpCommand, NobodyButAnAdministratorTouchesTheFile) {
  WriteConfig(ConfigWith("{}"));
  const std::string earlier = "earlier dump\n";
  {
    std::ofstream out(PluginDir() / "dinoDump.txt", std::ios::binary);
    out << earlier;
  }
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(example, 1);
  for (testbed::PlayerKind kind : {testbed::PlayerKind::kPlayer, testbed::PlayerKind::kNoCharacter,
                                   testbed::PlayerKind::kNoPlayerState}) {
    EXPECT_TRUE(testbed::RunConsoleCommand(testbed::AddPlayer(kind), u"debugspawn"));
  }
  EXPECT_TRUE(testbed::RunConsoleCommand(nullptr, u"debugspawn"));
  EXPECT_EQ(earlier, ReadDump());
  EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
}

TEST_F(DumpCommand, MissingDirectoryLosesTheDumpWithoutError) {
  std::filesystem::remove_all(PluginDir());
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(example, 2);
  EXPECT_TRUE(testbed::RunConsoleCommand(admin_, u"debugspawn"));
  EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
  EXPECT_FALSE(DumpExists());
}

TEST_F(DumpCommand, AllocatorFailureIsReportedAndLeavesAnEmptyFile) {
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(example, 2, 0, u"Alpha - x");
  const std::size_t allocations =
      AllocationsOf([this] { testbed::RunConsoleCommand(admin_, u"debugspawn"); });
  ASSERT_LT(0u, allocations);
  for (std::size_t nth = 1; nth <= allocations; ++nth) {
    SCOPED_TRACE(nth);
    testbed::FailAllocation(nth);
    testbed::RunConsoleCommand(admin_, u"debugspawn");
    testbed::FailAllocation(0);
    EXPECT_EQ(1u, testbed::TakeCallbackErrors().size());
    EXPECT_EQ("", ReadDump());
  }
  EXPECT_TRUE(testbed::AllocatorErrors().empty());
}

// The team is read first and a tamed creature is never named: naming that
// fails leaves a dump of tamed creatures alone untouched, and with a wild
// creature the unknown team field is the error, not the naming.
TEST_F(DumpCommand, ReadsTheTeamFirstAndNeverNamesATamedCreature) {
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(example, 2, 50000, u"Tamed");
  testbed::MakeNativeThrow("UObjectBaseUtility.GetFullName", "naming failed");
  EXPECT_EQ("", Dump());
  Place(example, 1, 0, u"Wild");
  testbed::RemoveField("AActor.TargetingTeam");
  testbed::RunConsoleCommand(admin_, u"debugspawn");
  const auto errors = testbed::TakeCallbackErrors();
  ASSERT_EQ(1u, errors.size());
  EXPECT_EQ("game field not found: AActor.TargetingTeam", errors[0].what);
}

// Each run asks the host for its utilities and the world anew and makes one
// actor query.
TEST_F(DumpCommand, EachRunQueriesTheActorsOnceWithTheWorldAskedAnew) {
  testbed::GameClass* example = testbed::AddKind(FullNameOfKind(u"Example"));
  Place(example, 3, 0, u"Alpha");
  for (int run = 0; run < 2; ++run) {
    const testbed::WorldLookupCounts before = testbed::GetWorldLookupCounts();
    const std::uint64_t queries = testbed::ActorQueryCount();
    Dump();
    EXPECT_EQ(before.api_utils + 1, testbed::GetWorldLookupCounts().api_utils);
    EXPECT_EQ(before.worlds + 1, testbed::GetWorldLookupCounts().worlds);
    EXPECT_EQ(queries + 1, testbed::ActorQueryCount());
  }
}

}  // namespace dravelquin
