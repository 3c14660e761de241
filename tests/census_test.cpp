// The census as the game drives it: after each initialisation of the game
// mode, the gate acts on what the census counted. A census count is read
// back through the gate: with "Count" n, a new creature of the blueprint is
// destroyed exactly when the census counted n or more.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "game/engine_allocator.h"
#include "game/game_natives.h"
#include "host_stand_in/testbed_host.h"
#include "support/plugin_world.h"

namespace dravelquin {

namespace {

class Census : public PluginWorldTest {
 protected:
  void SetUp() override {
    PluginWorldTest::SetUp();
    example_ = testbed::AddKind(FullNameOfKind(u"Example"));
    other_ = testbed::AddKind(FullNameOfKind(u"Other"));
  }

  // Loads with "Dinos" capping Example at `cap` under `key`, takes a census.
  void CensusWithCap(int cap, const std::string& key = PathOfKind("Example")) {
    LoadWithConfig(ConfigWith("{\"" + key + "\":{\"Count\":" + std::to_string(cap) + "}}"));
    EXPECT_TRUE(testbed::InitGameMode().completed);
  }

  // Three wild and two tamed creatures of Example, five wild of Other.
  void PlaceExampleWorld() {
    Place(example_, 3);
    Place(example_, 2, 50000);
    Place(other_, 5);
  }

  testbed::GameClass* example_ = nullptr;
  testbed::GameClass* other_ = nullptr;
};

}  // namespace

TEST_F(Census, CountsWildCreaturesOfTheConfiguredBlueprintOnly) {
  PlaceExampleWorld();
  CensusWithCap(3);
  EXPECT_TRUE(SpawnIsDestroyed(example_));
  EXPECT_FALSE(SpawnIsDestroyed(other_));
}

TEST_F(Census, CountBelowTheCapLetsEveryNewcomerThrough) {
  PlaceExampleWorld();
  CensusWithCap(4);
  EXPECT_FALSE(SpawnIsDestroyed(example_));
  EXPECT_FALSE(SpawnIsDestroyed(example_));
}

TEST_F(Census, TeamJustBelowPlayerTeamsIsWild) {
  Place(example_, 1, 49999);
  Place(example_, 1, -1);
  Place(example_, 1, 50000);
  CensusWithCap(2);
  EXPECT_TRUE(SpawnIsDestroyed(example_));
}

TEST_F(Census, TeamOfPlayerTeamsIsNotCounted) {
  Place(example_, 1, 49999);
  Place(example_, 1, -1);
  Place(example_, 1, 50000);
  CensusWithCap(3);
  EXPECT_FALSE(SpawnIsDestroyed(example_));
}

TEST_F(Census, ConfiguredNameMatchesWithoutRegardToLetterCase) {
  Place(example_, 2);
  // Counted under the entry of the upper-case name; its "Count" is not found
  // under the creature's exact path, so the cap is 1000.
  std::string upper = PathOfKind("Example");
  upper[0] = 'B';
  CensusWithCap(2, upper);
  EXPECT_FALSE(SpawnIsDestroyed(example_));
}

TEST_F(Census, NamesEqualButForCaseShareOneEntry) {
  Place(example_, 2);
  std::string upper = PathOfKind("Example");
  upper[0] = 'B';
  LoadWithConfig(ConfigWith("{\"" + upper + "\":{\"Count\":1},\"" + PathOfKind("Example") +
                            "\":{\"Count\":2}}"));
  testbed::InitGameMode();
  EXPECT_TRUE(SpawnIsDestroyed(example_));
}

TEST_F(Census, CountsDoNotAccumulateAcrossCensuses) {
  Place(example_, 2);
  CensusWithCap(3);
  testbed::InitGameMode();
  testbed::InitGameMode();
  EXPECT_FALSE(SpawnIsDestroyed(example_));
}

TEST_F(Census, CreaturesThatLeftAreNoLongerCounted) {
  Place(example_, 3);
  CensusWithCap(3);
  ASSERT_TRUE(SpawnIsDestroyed(example_));
  testbed::RemoveCreature(testbed::WorldActors().front());
  testbed::InitGameMode();
  EXPECT_FALSE(SpawnIsDestroyed(example_));
}

TEST_F(Census, NullEntriesInTheActorListAreSkipped) {
  testbed::AddNullActor();
  Place(example_, 1);
  testbed::AddNullActor();
  CensusWithCap(1);
  EXPECT_TRUE(SpawnIsDestroyed(example_));
  EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
}

TEST_F(Census, NameWithNonAsciiBytesNeverMatches) {
  testbed::GameClass* accented = testbed::AddKind(u"Cafe_C /Game/Caf\u00e9.Caf\u00e9");
  Place(accented, 2);
  LoadWithConfig(ConfigWith("{\"blueprint'/Game/Caf\u00e9.Caf\u00e9'\":{\"Count\":0}}"));
  testbed::InitGameMode();
  // Count 0 destroys a creature of a configured blueprint whatever was
  // counted: this one goes through, so its blueprint matched no entry.
  EXPECT_FALSE(SpawnIsDestroyed(accented));
}

TEST_F(Census, BeforeTheFirstCensusEveryCreatureIsLetThrough) {
  Place(example_, 5);
  LoadWithConfig(ConfigWith("{\"" + PathOfKind("Example") + "\":{\"Count\":0}}"));
  EXPECT_FALSE(SpawnIsDestroyed(example_));
}

TEST_F(Census, MissingDinosCapsNothingAndRaisesNothing) {
  Place(example_, 5);
  LoadWithConfig(R"({"General":{}})");
  EXPECT_TRUE(testbed::InitGameMode().completed);
  EXPECT_FALSE(SpawnIsDestroyed(example_));
}

TEST_F(Census, EmptyArrayDinosCapsNothing) {
  LoadWithConfig(ConfigWith("[]"));
  EXPECT_TRUE(testbed::InitGameMode().completed);
  EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
}

TEST_F(Census, NonEmptyArrayOrNumberDinosFailsEveryCensus) {
  for (const char* dinos : {"[1]", "[null]", "7", "\"text\"", "true"}) {
    SCOPED_TRACE(dinos);
    LoadWithConfig(ConfigWith(dinos));
    EXPECT_FALSE(testbed::InitGameMode().completed);
    const auto errors = testbed::TakeCallbackErrors();
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ("[json.exception.invalid_iterator.207] cannot use key() for non-object iterators",
              errors[0].what);
    ASSERT_TRUE(UnloadPlugin());
  }
}

TEST_F(Census, TopLevelThatIsNotAnObjectFailsWithTypeError305) {
  LoadWithConfig("[1, 2]");
  EXPECT_FALSE(testbed::InitGameMode().completed);
  const auto errors = testbed::TakeCallbackErrors();
  ASSERT_EQ(1u, errors.size());
  EXPECT_EQ(0u, errors[0].what.find("[json.exception.type_error.305] cannot use operator[]"));
}

TEST_F(Census, AllocatorFailureAnywhereInACensusReachesTheCaller) {
  Place(example_, 4);
  CensusWithCap(2);
  // Fail each allocation of a census in turn: the error reaches the game's
  // caller every time, and whatever the census held is given back.
  const std::size_t allocations = AllocationsOf([] { testbed::InitGameMode(); });
  ASSERT_LT(0u, allocations);
  for (std::size_t nth = 1; nth <= allocations; ++nth) {
    SCOPED_TRACE(nth);
    testbed::FailAllocation(nth);
    EXPECT_FALSE(testbed::InitGameMode().completed);
    testbed::FailAllocation(0);
    EXPECT_EQ(1u, testbed::TakeCallbackErrors().size());
  }
  EXPECT_TRUE(testbed::AllocatorErrors().empty());
  testbed::InitGameMode();
  EXPECT_TRUE(SpawnIsDestroyed(example_));
}

// The example config of the release, with the CR LF line ends it has in the
// archive and with the LF it has in the repository: either loads, and the
// census and the gate read the cap it gives Example, 150, not the default.
TEST_F(Census, ExampleConfigCapsAlikeWithCrLfOrLfLineEnds) {
  std::ifstream in(DRAVELQUIN_EXAMPLE_CONFIG, std::ios::binary);
  const std::string lf{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_NE(std::string::npos, lf.find('\n')) << DRAVELQUIN_EXAMPLE_CONFIG;
  ASSERT_EQ(std::string::npos, lf.find('\r'));
  std::string crlf;
  for (const char c : lf) {
    crlf += c == '\n' ? "\r\n" : std::string(1, c);
  }
  Place(example_, 150);
  for (const std::string& text : {crlf, lf}) {
    SCOPED_TRACE(text == crlf ? "CR LF" : "LF");
    LoadWithConfig(text);
    EXPECT_TRUE(testbed::InitGameMode().completed);
    EXPECT_TRUE(SpawnIsDestroyed(example_));
    ASSERT_TRUE(UnloadPlugin());
  }
}

// Every creature is named before its team is read, tamed ones included:
// naming that fails fails a census of tamed creatures alone, and fails it
// before the unknown team field is reached.
TEST_F(Census, NamesEveryCreatureBeforeReadingItsTeam) {
  Place(example_, 2, 50000);
  LoadWithConfig(ConfigWith("{\"" + PathOfKind("Example") + "\":{\"Count\":1}}"));
  testbed::MakeNativeThrow("UObjectBaseUtility.GetFullName", "naming failed");
  EXPECT_FALSE(testbed::InitGameMode().completed);
  testbed::RemoveField("AActor.TargetingTeam");
  EXPECT_FALSE(testbed::InitGameMode().completed);
  const auto errors = testbed::TakeCallbackErrors();
  ASSERT_EQ(2u, errors.size());
  EXPECT_EQ("naming failed", errors[0].what);
  EXPECT_EQ("naming failed", errors[1].what);
}

// Each census asks the host for its utilities and the world anew and makes
// one actor query.
TEST_F(Census, EachCensusQueriesTheActorsOnceWithTheWorldAskedAnew) {
  Place(example_, 3);
  CensusWithCap(3);
  for (int census = 0; census < 2; ++census) {
    const testbed::WorldLookupCounts before = testbed::GetWorldLookupCounts();
    const std::uint64_t queries = testbed::ActorQueryCount();
    testbed::InitGameMode();
    EXPECT_EQ(before.api_utils + 1, testbed::GetWorldLookupCounts().api_utils);
    EXPECT_EQ(before.worlds + 1, testbed::GetWorldLookupCounts().worlds);
    EXPECT_EQ(queries + 1, testbed::ActorQueryCount());
  }
}

// A census that fails part-way keeps the counts it made before the error.
TEST_F(Census, CountsMadeBeforeAnErrorStay) {
  Place(example_, 2);
  CensusWithCap(2);
  const std::size_t allocations = AllocationsOf([] { testbed::InitGameMode(); });
  // A census of an empty world counts nothing; the same two creatures come
  // back, and a third whose naming runs out of memory comes after them.
  for (testbed::GameCreature* creature : testbed::WorldActors()) {
    testbed::RemoveCreature(creature);
  }
  testbed::InitGameMode();
  Place(example_, 2);
  Place(other_, 1);
  testbed::FailAllocation(allocations + 1);
  EXPECT_FALSE(testbed::InitGameMode().completed);
  testbed::FailAllocation(0);
  EXPECT_EQ(1u, testbed::TakeCallbackErrors().size());
  EXPECT_TRUE(SpawnIsDestroyed(example_));
}

}  // namespace dravelquin
