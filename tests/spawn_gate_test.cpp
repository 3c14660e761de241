// The spawn gate: which creatures asking for their base level are destroyed,
// what the game sees when they are, and that every error lets them through.

#include <gtest/gtest.h>

#include <string>

#include "game/engine_allocator.h"
#include "game/game_natives.h"
#include "host_stand_in/testbed_host.h"
#include "support/plugin_world.h"

namespace dravelquin {

namespace {

class SpawnGate : public PluginWorldTest {
 protected:
  void SetUp() override {
    PluginWorldTest::SetUp();
    example_ = testbed::AddKind(FullNameOfKind(u"Example"));
  }

  // Loads with Example's member value given as JSON text, places `wild`
  // wild creatures of it and takes a census.
  void CensusWithMember(const std::string& member, int wild) {
    Place(example_, wild);
    LoadWithConfig(ConfigWith("{\"" + PathOfKind("Example") + "\":" + member + "}"));
    ASSERT_TRUE(testbed::InitGameMode().completed);
  }

  testbed::GameClass* example_ = nullptr;
};

}  // namespace

TEST_F(SpawnGate, DestroyedCreatureGetsLevelZeroAndTheGameFunctionIsNotCalled) {
  CensusWithMember(R"({"Count":3})", 3);
  const testbed::SpawnResult result = testbed::SpawnCreature(example_, u"New", 0, 9);
  EXPECT_EQ(0, result.level);
  EXPECT_TRUE(result.destroyed);
  EXPECT_TRUE(testbed::OwnBaseLevelCalls().empty());
  ASSERT_EQ(1u, testbed::DestroyCalls().size());
  EXPECT_EQ(static_cast<const void*>(result.creature), testbed::DestroyCalls()[0].actor);
  EXPECT_TRUE(testbed::DestroyCalls()[0].net_force);
  EXPECT_TRUE(testbed::DestroyCalls()[0].should_modify_level);
}

TEST_F(SpawnGate, CreatureLetThroughGetsTheGamesOwnLevelUnchanged) {
  CensusWithMember(R"({"Count":4})", 3);
  const testbed::SpawnResult result = testbed::SpawnCreature(example_, u"New", 0, 9);
  EXPECT_EQ(9, result.level);
  EXPECT_EQ(1u, testbed::OwnBaseLevelCalls().size());
  EXPECT_TRUE(testbed::DestroyCalls().empty());
}

TEST_F(SpawnGate, CountBelowCapLetsEveryCreatureThroughUntilTheNextCensus) {
  CensusWithMember(R"({"Count":4})", 3);
  for (int i = 0; i < 5; ++i) {
    EXPECT_FALSE(SpawnIsDestroyed(example_));
  }
  testbed::InitGameMode();
  EXPECT_TRUE(SpawnIsDestroyed(example_));
}

TEST_F(SpawnGate, UnconfiguredBlueprintIsLeftToTheGame) {
  CensusWithMember(R"({"Count":0})", 1);
  testbed::GameClass* other = testbed::AddKind(FullNameOfKind(u"Other"));
  EXPECT_FALSE(SpawnIsDestroyed(other));
}

TEST_F(SpawnGate, TamedNewcomerIsJudgedToo) {
  CensusWithMember(R"({"Count":1})", 1);
  EXPECT_TRUE(testbed::SpawnCreature(example_, u"Pet", 50001, 3).destroyed);
}

struct CapCase {
  const char* member;
  int wild;
  bool destroyed;
};

class SpawnGateCap : public SpawnGate, public ::testing::WithParamInterface<CapCase> {};

TEST_P(SpawnGateCap, DestroysExactlyWhenTheCountReachesTheCap) {
  CensusWithMember(GetParam().member, GetParam().wild);
  EXPECT_EQ(GetParam().destroyed, SpawnIsDestroyed(example_));
  EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Caps, SpawnGateCap,
    ::testing::Values(CapCase{R"({"Count":0})", 0, true},     // zero destroys even with none
                      CapCase{R"({"Count":-5})", 0, true},    // so does a negative cap
                      CapCase{R"({"Count":true})", 1, true},  // true is a cap of 1
                      CapCase{R"({"Count":true})", 0, false},
                      CapCase{R"({"Count":2.9})", 2, true},  // 2.9 is a cap of 2
                      CapCase{R"({"Count":false})", 0, true},
                      CapCase{R"({})", 999, false},  // no "Count": 1000
                      CapCase{R"({})", 1000, true},
                      CapCase{R"({"Count":"3"})", 5, false},  // a string never destroys
                      CapCase{R"({"Count":null})", 5, false},
                      CapCase{R"(7)", 5, false},  // nor does a non-object member
                      CapCase{R"({"Count":1e300})", 5, false},
                      CapCase{R"({"Count":4294967296})", 0, true}));  // low 32 bits: 0

TEST_F(SpawnGate, NativeThatThrowsLetsTheCreatureThrough) {
  CensusWithMember(R"({"Count":0})", 0);
  testbed::MakeNativeThrow("AActor.Destroy", "destroy refused");
  const testbed::SpawnResult result = testbed::SpawnCreature(example_, u"New", 0, 9);
  EXPECT_TRUE(result.completed);
  EXPECT_EQ(9, result.level);
  EXPECT_TRUE(testbed::InWorld(result.creature));
}

TEST_F(SpawnGate, UnresolvedFieldLetsTheCreatureThrough) {
  CensusWithMember(R"({"Count":0})", 0);
  testbed::RemoveField("UObjectBase.Class");
  EXPECT_FALSE(SpawnIsDestroyed(example_));
}

TEST_F(SpawnGate, AllocatorFailureAtAnyStepLetsTheCreatureThrough) {
  CensusWithMember(R"({"Count":0})", 0);
  // Every allocation of a gate call comes before the creature would be
  // destroyed, so each failure lets it through.
  const std::size_t allocations =
      AllocationsOf([this] { testbed::SpawnCreature(example_, u"New", 0, 9); });
  ASSERT_LT(0u, allocations);
  for (std::size_t nth = 1; nth <= allocations; ++nth) {
    SCOPED_TRACE(nth);
    testbed::FailAllocation(nth);
    const testbed::SpawnResult result = testbed::SpawnCreature(example_, u"New", 0, 9);
    testbed::FailAllocation(0);
    EXPECT_TRUE(result.completed);
    EXPECT_FALSE(result.destroyed);
    EXPECT_EQ(9, result.level);
  }
  EXPECT_TRUE(testbed::AllocatorErrors().empty());
}

TEST_F(SpawnGate, GamesOwnErrorPassesToTheGame) {
  CensusWithMember(R"({"Count":5})", 0);
  testbed::MakeNativeThrow("APrimalDinoCharacter.GetRandomBaseLevel", "game failure");
  const testbed::SpawnResult result = testbed::SpawnCreature(example_, u"New", 0, 9);
  EXPECT_FALSE(result.completed);
  const auto errors = testbed::TakeCallbackErrors();
  ASSERT_EQ(1u, errors.size());
  EXPECT_EQ("game failure", errors[0].what);
}

}  // namespace dravelquin
