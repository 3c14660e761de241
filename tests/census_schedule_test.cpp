// When the census runs: after each initialisation of the game mode, and from
// the host's timer once the check interval has passed on the runtime clock.
// Whether a census ran is read back through the gate: the world changes
// between censuses, and a new creature is destroyed only when the last
// census counted its blueprint at the cap.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "host_stand_in/testbed_host.h"
#include "support/plugin_world.h"

namespace dravelquin {

namespace {

constexpr std::int64_t kSecond = testbed::kTicksPerSecond;

class CensusSchedule : public PluginWorldTest {
 protected:
  void SetUp() override {
    PluginWorldTest::SetUp();
    example_ = testbed::AddKind(FullNameOfKind(u"Example"));
  }

  // Loads with Example capped at 1 and `general` as the "General" member.
  void LoadWithGeneral(const std::string& general) {
    LoadWithConfig("{\"General\":" + general + ",\"Dinos\":{\"" + PathOfKind("Example") +
                   "\":{\"Count\":1}}}");
  }

  // Advances the clock, runs the timers once and tells whether the last
  // census counted Example at its cap of 1 (a newcomer is then destroyed).
  bool CappedAfterTimer(std::int64_t advance = 0) {
    testbed::AdvanceTicks(advance);
    testbed::RunTimers();
    return SpawnIsDestroyed(example_);
  }

  // Takes the first timer census with an empty world, then puts one wild
  // creature in it: from here on, a timer census is seen as a destroyed
  // newcomer.
  void CensusEmptyWorldThenPlaceOne() {
    testbed::RunTimers();
    Place(example_, 1);
  }

  // Whether one timer call with one wild creature in the world takes a
  // census; the world is emptied and the count forgotten afterwards.
  bool TimerTakesCensus() {
    Place(example_, 1);
    const bool census = CappedAfterTimer();
    for (testbed::GameCreature* creature : testbed::WorldActors()) {
      testbed::RemoveCreature(creature);
    }
    testbed::RunTimers();
    return census;
  }

  testbed::GameClass* example_ = nullptr;
};

}  // namespace

TEST_F(CensusSchedule, FirstTimerCallAfterStartUpTakesACensus) {
  LoadWithGeneral(R"({"CheckInterval":3600})");
  Place(example_, 1);
  EXPECT_TRUE(CappedAfterTimer());
}

TEST_F(CensusSchedule, NextCensusComesOneIntervalAfterTheCheck) {
  LoadWithGeneral(R"({"CheckInterval":3600})");
  CensusEmptyWorldThenPlaceOne();
  EXPECT_FALSE(CappedAfterTimer(3599 * kSecond));
  EXPECT_TRUE(CappedAfterTimer(1 * kSecond));
}

TEST_F(CensusSchedule, MissingIntervalMeansOneDay) {
  LoadWithGeneral("{}");
  CensusEmptyWorldThenPlaceOne();
  EXPECT_FALSE(CappedAfterTimer(86399 * kSecond));
  EXPECT_TRUE(CappedAfterTimer(1 * kSecond));
}

TEST_F(CensusSchedule, ZeroOrNegativeIntervalCensusesAtEveryCall) {
  for (const char* general :
       {R"({"CheckInterval":0})", R"({"CheckInterval":-30})", R"({"CheckInterval":false})"}) {
    SCOPED_TRACE(general);
    LoadWithGeneral(general);
    EXPECT_TRUE(TimerTakesCensus());
    EXPECT_TRUE(TimerTakesCensus());
    ASSERT_TRUE(UnloadPlugin());
  }
}

TEST_F(CensusSchedule, FractionalIntervalIsTruncated) {
  LoadWithGeneral(R"({"CheckInterval":1.9})");
  CensusEmptyWorldThenPlaceOne();
  EXPECT_TRUE(CappedAfterTimer(1 * kSecond));
}

TEST_F(CensusSchedule, TrueIntervalIsOneSecond) {
  LoadWithGeneral(R"({"CheckInterval":true})");
  CensusEmptyWorldThenPlaceOne();
  EXPECT_FALSE(CappedAfterTimer(kSecond - 1));
  EXPECT_TRUE(CappedAfterTimer(1));
}

TEST_F(CensusSchedule, ClockSetBackDelaysTheCensus) {
  LoadWithGeneral(R"({"CheckInterval":60})");
  CensusEmptyWorldThenPlaceOne();
  // An hour back, then a full interval on: the census still waits for the
  // time it was due at.
  EXPECT_FALSE(CappedAfterTimer(-3600 * kSecond + 60 * kSecond));
  EXPECT_TRUE(CappedAfterTimer(3600 * kSecond));
}

TEST_F(CensusSchedule, ClockSetForwardBringsTheCensusToTheNextCall) {
  LoadWithGeneral(R"({"CheckInterval":86400})");
  CensusEmptyWorldThenPlaceOne();
  EXPECT_TRUE(CappedAfterTimer(std::int64_t{400} * 86400 * kSecond));
}

TEST_F(CensusSchedule, InitGameCensusesAfterTheGamesOwnFunctionAndKeepsTheTimer) {
  LoadWithGeneral(R"({"CheckInterval":3600})");
  testbed::RunTimers();
  Place(example_, 1);
  const testbed::InitGameOutcome outcome = testbed::InitGameMode();
  ASSERT_EQ(1u, testbed::OwnInitGameCalls().size());
  EXPECT_EQ(outcome.passed, testbed::OwnInitGameCalls()[0]);
  EXPECT_TRUE(SpawnIsDestroyed(example_));
  // The timer's next census is still an hour after its own check.
  testbed::RemoveCreature(testbed::WorldActors().front());
  testbed::AdvanceTicks(3599 * kSecond);
  testbed::RunTimers();
  EXPECT_TRUE(SpawnIsDestroyed(example_));
}

TEST_F(CensusSchedule, WithoutGeneralTheTimerNeverCensusesButInitGameDoes) {
  LoadWithConfig("{\"Dinos\":{\"" + PathOfKind("Example") + "\":{\"Count\":1}}}");
  Place(example_, 1);
  testbed::RunTimers();
  const auto errors = testbed::TakeCallbackErrors();
  ASSERT_EQ(1u, errors.size());
  EXPECT_EQ("timer dravelquin", errors[0].where);
  EXPECT_EQ("[json.exception.type_error.306] cannot use value() with null", errors[0].what);
  EXPECT_FALSE(SpawnIsDestroyed(example_));
  EXPECT_TRUE(testbed::InitGameMode().completed);
  EXPECT_TRUE(SpawnIsDestroyed(example_));
}

TEST_F(CensusSchedule, IntervalOfTheWrongTypeFailsEachTimerCall) {
  LoadWithGeneral(R"({"CheckInterval":"3600"})");
  testbed::RunTimers();
  testbed::RunTimers();
  const auto errors = testbed::TakeCallbackErrors();
  ASSERT_EQ(2u, errors.size());
  EXPECT_EQ("[json.exception.type_error.302] type must be number, but is string", errors[1].what);
}

TEST_F(CensusSchedule, FailedCensusStillMovesTheNextTime) {
  LoadWithConfig(R"({"General":{"CheckInterval":60},"Dinos":[1]})");
  testbed::RunTimers();
  testbed::RunTimers();
  EXPECT_EQ(1u, testbed::TakeCallbackErrors().size());
  testbed::AdvanceTicks(60 * kSecond);
  testbed::RunTimers();
  EXPECT_EQ(1u, testbed::TakeCallbackErrors().size());
}

// The next time is held at the ends of the clock's range rather than
// wrapped round: near the top, a census stays due at the top; near the
// bottom, with a negative interval, every call still takes one.
TEST_F(CensusSchedule, NextTimeNearTheEndsOfTheClockSaturates) {
  testbed::SetTicks(std::numeric_limits<std::int64_t>::max() - 10 * kSecond);
  LoadWithGeneral(R"({"CheckInterval":3600})");
  CensusEmptyWorldThenPlaceOne();
  EXPECT_FALSE(CappedAfterTimer(1 * kSecond));
  ASSERT_TRUE(UnloadPlugin());
  testbed::SetTicks(std::numeric_limits<std::int64_t>::min() + 10 * kSecond);
  LoadWithGeneral(R"({"CheckInterval":-3600})");
  EXPECT_TRUE(TimerTakesCensus());
  EXPECT_TRUE(TimerTakesCensus());
}

}  // namespace dravelquin
