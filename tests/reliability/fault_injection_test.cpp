// Faults injected through the testbed into the plug-in's three ways into
// the game: a census, a spawn gate call and a dump. A game name that does
// not resolve or a native that throws fails a census or a dump with an
// error that reaches the host and names the cause, and lets a spawning
// creature through; an allocation that fails at any point of any of them
// does the same; "FMemory.Free" missing costs the blocks it would have
// freed and nothing else. Whatever happens, no engine block is left live
// and none is freed twice (checked after every test by the fixture).

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "game/engine_allocator.h"
#include "game/game_natives.h"
#include "host_stand_in/testbed_host.h"
#include "support/plugin_world.h"

namespace dravelquin {

namespace {

constexpr const char* kCensusEntry = "hook AShooterGameMode.InitGame";
constexpr const char* kDumpEntry = "command debugspawn";

class GameFault : public PluginWorldTest {
 protected:
  void SetUp() override {
    PluginWorldTest::SetUp();
    example_ = testbed::AddKind(FullNameOfKind(u"Example"));
    Place(example_, kCap, 0, u"\u4E00\u53EA Alpha - Lvl 3");
    admin_ = testbed::AddPlayer(testbed::PlayerKind::kAdmin);
    LoadWithConfig(
        ConfigWith("{\"" + PathOfKind("Example") + "\":{\"Count\":" + std::to_string(kCap) + "}}"));
  }

  // Every native and field is back, and none throws, before the fixture
  // unloads the plug-in and checks the game's memory. Shut-down itself needs
  // none of them: it unbinds with the names it made when it bound them.
  void TearDown() override {
    testbed::ResetGame();
    PluginWorldTest::TearDown();
  }

  // The errors that reached the host since the last call, as "where: what".
  static std::vector<std::string> HostErrors() {
    std::vector<std::string> errors;
    for (const testbed::CallbackError& error : testbed::TakeCallbackErrors()) {
      errors.push_back(error.where + ": " + error.what);
    }
    return errors;
  }

  static std::string DumpOfExample() {
    return PathOfKind("Example") + "|Alpha |" + std::to_string(kCap) + "\n";
  }

  static constexpr int kCap = 3;
  testbed::GameClass* example_ = nullptr;
  APlayerController* admin_ = nullptr;
};

// A game function or field the plug-in reaches by name.
struct GameName {
  const char* name;
  bool field;
};

void PrintTo(const GameName& name, std::ostream* out) { *out << name.name; }

void MakeUnresolved(const GameName& name) {
  ASSERT_TRUE(name.field ? testbed::RemoveField(name.name) : testbed::RemoveNative(name.name));
}

std::string NotFound(const GameName& name) {
  return std::string(name.field ? "game field not found: " : "game function not found: ") +
         name.name;
}

// Names every creature's blueprint path is built from.
const GameName kNamingNatives[] = {
    {"UClass.GetDefaultObject", false},
    {"UObjectBaseUtility.GetFullName", false},
    {"FMemory.Malloc", false},
    {"FMemory.Realloc", false},
};
const GameName kNamingFields[] = {{"UObjectBase.Class", true}};

// Names a census and a dump use to list the creatures and tell the wild.
const GameName kWorldNatives[] = {
    {"APrimalDinoCharacter.GetPrivateStaticClass", false},
    {"UGameplayStatics.GetAllActorsOfClass", false},
};
const GameName kWorldFields[] = {{"AActor.TargetingTeam", true}};

// Names only the dump uses: the display name, and the administrator test,
// which comes before the file is opened.
const GameName kDisplayNatives[] = {{"APrimalDinoCharacter.GetDinoDescriptiveName", false}};
const GameName kAdministratorNames[] = {
    {"AController.PlayerState", true},
    {"AShooterPlayerController.GetPlayerCharacter", false},
    {"AShooterCharacter.bIsServerAdmin", true},
};

const GameName kGateNatives[] = {{"AActor.Destroy", false}};

}  // namespace

// ---------------------------------------------------------------------------
// A census: the game's own InitGame runs, then the census fails and its
// error reaches the host.

class CensusUnresolvedName : public GameFault, public ::testing::WithParamInterface<GameName> {};

TEST_P(CensusUnresolvedName, FailsTheCensusNamingIt) {
  MakeUnresolved(GetParam());
  EXPECT_FALSE(testbed::InitGameMode().completed);
  EXPECT_EQ(std::vector<std::string>{std::string(kCensusEntry) + ": " + NotFound(GetParam())},
            HostErrors());
  EXPECT_EQ(1u, testbed::OwnInitGameCalls().size());
}

INSTANTIATE_TEST_SUITE_P(NamingNative, CensusUnresolvedName, ::testing::ValuesIn(kNamingNatives));
INSTANTIATE_TEST_SUITE_P(NamingField, CensusUnresolvedName, ::testing::ValuesIn(kNamingFields));
INSTANTIATE_TEST_SUITE_P(WorldNative, CensusUnresolvedName, ::testing::ValuesIn(kWorldNatives));
INSTANTIATE_TEST_SUITE_P(WorldField, CensusUnresolvedName, ::testing::ValuesIn(kWorldFields));

class CensusThrowingNative : public GameFault, public ::testing::WithParamInterface<GameName> {};

TEST_P(CensusThrowingNative, FailsTheCensusWithItsError) {
  testbed::MakeNativeThrow(GetParam().name, "injected fault");
  EXPECT_FALSE(testbed::InitGameMode().completed);
  EXPECT_EQ(std::vector<std::string>{std::string(kCensusEntry) + ": injected fault"}, HostErrors());
}

INSTANTIATE_TEST_SUITE_P(Naming, CensusThrowingNative, ::testing::ValuesIn(kNamingNatives));
INSTANTIATE_TEST_SUITE_P(World, CensusThrowingNative, ::testing::ValuesIn(kWorldNatives));

// ---------------------------------------------------------------------------
// A dump: its error reaches the host; the file, once opened, stays empty.

class DumpGameFault : public GameFault {
 protected:
  void RunDumpExpectingError(const std::string& what) {
    EXPECT_TRUE(testbed::RunConsoleCommand(admin_, u"debugspawn"));
    EXPECT_EQ(std::vector<std::string>{std::string(kDumpEntry) + ": " + what}, HostErrors());
    EXPECT_TRUE(DumpExists());
    EXPECT_EQ("", ReadDump());
  }
};

class DumpUnresolvedName : public DumpGameFault, public ::testing::WithParamInterface<GameName> {};

TEST_P(DumpUnresolvedName, FailsTheDumpNamingIt) {
  MakeUnresolved(GetParam());
  RunDumpExpectingError(NotFound(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(NamingNative, DumpUnresolvedName, ::testing::ValuesIn(kNamingNatives));
INSTANTIATE_TEST_SUITE_P(NamingField, DumpUnresolvedName, ::testing::ValuesIn(kNamingFields));
INSTANTIATE_TEST_SUITE_P(WorldNative, DumpUnresolvedName, ::testing::ValuesIn(kWorldNatives));
INSTANTIATE_TEST_SUITE_P(WorldField, DumpUnresolvedName, ::testing::ValuesIn(kWorldFields));
INSTANTIATE_TEST_SUITE_P(DisplayNative, DumpUnresolvedName, ::testing::ValuesIn(kDisplayNatives));

class DumpThrowingNative : public DumpGameFault, public ::testing::WithParamInterface<GameName> {};

TEST_P(DumpThrowingNative, FailsTheDumpWithItsError) {
  testbed::MakeNativeThrow(GetParam().name, "injected fault");
  RunDumpExpectingError("injected fault");
}

INSTANTIATE_TEST_SUITE_P(Naming, DumpThrowingNative, ::testing::ValuesIn(kNamingNatives));
INSTANTIATE_TEST_SUITE_P(World, DumpThrowingNative, ::testing::ValuesIn(kWorldNatives));
INSTANTIATE_TEST_SUITE_P(Display, DumpThrowingNative, ::testing::ValuesIn(kDisplayNatives));

class DumpAdministratorUnresolvedName : public GameFault,
                                        public ::testing::WithParamInterface<GameName> {};

TEST_P(DumpAdministratorUnresolvedName, FailsBeforeTheFileIsTouched) {
  MakeUnresolved(GetParam());
  EXPECT_TRUE(testbed::RunConsoleCommand(admin_, u"debugspawn"));
  EXPECT_EQ(std::vector<std::string>{std::string(kDumpEntry) + ": " + NotFound(GetParam())},
            HostErrors());
  EXPECT_FALSE(DumpExists());
}

INSTANTIATE_TEST_SUITE_P(Administrator, DumpAdministratorUnresolvedName,
                         ::testing::ValuesIn(kAdministratorNames));

// ---------------------------------------------------------------------------
// A spawn gate call after a census that reached the cap: any fault lets the
// creature through with the game's own level, and nothing reaches the game.
// (An unresolved "UObjectBase.Class" and a throwing "AActor.Destroy" are in
// the spawn gate's own tests.)

class GateGameFault : public GameFault {
 protected:
  void SetUp() override {
    GameFault::SetUp();
    ASSERT_TRUE(testbed::InitGameMode().completed);
  }

  void ExpectLetThrough() {
    const testbed::SpawnResult result = testbed::SpawnCreature(example_, u"Newcomer", 0, 9);
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(9, result.level);
    EXPECT_TRUE(testbed::InWorld(result.creature));
    EXPECT_EQ(std::vector<std::string>{}, HostErrors());
  }
};

class GateUnresolvedName : public GateGameFault, public ::testing::WithParamInterface<GameName> {};

TEST_P(GateUnresolvedName, LetsTheCreatureThrough) {
  MakeUnresolved(GetParam());
  ExpectLetThrough();
}

INSTANTIATE_TEST_SUITE_P(NamingNative, GateUnresolvedName, ::testing::ValuesIn(kNamingNatives));
INSTANTIATE_TEST_SUITE_P(Destroy, GateUnresolvedName, ::testing::ValuesIn(kGateNatives));

class GateThrowingNative : public GateGameFault, public ::testing::WithParamInterface<GameName> {};

TEST_P(GateThrowingNative, LetsTheCreatureThrough) {
  testbed::MakeNativeThrow(GetParam().name, "injected fault");
  ExpectLetThrough();
}

INSTANTIATE_TEST_SUITE_P(Naming, GateThrowingNative, ::testing::ValuesIn(kNamingNatives));

// ---------------------------------------------------------------------------
// Without "FMemory.Free" the plug-in cannot give blocks back: it leaves them
// with the game and carries on; counts, caps and the dump stay right.

TEST_F(GameFault, UnresolvedFreeLeavesBlocksAndChangesNothingElse) {
  ASSERT_TRUE(testbed::RemoveNative("FMemory.Free"));
  EXPECT_TRUE(testbed::InitGameMode().completed);
  EXPECT_TRUE(SpawnIsDestroyed(example_));
  EXPECT_TRUE(testbed::RunConsoleCommand(admin_, u"debugspawn"));
  EXPECT_EQ(DumpOfExample(), ReadDump());
  EXPECT_EQ(std::vector<std::string>{}, HostErrors());
  EXPECT_LT(0u, testbed::LiveBlockCount());
  EXPECT_EQ(std::vector<std::string>{}, testbed::AllocatorErrors());
  testbed::ResetGame();
  ASSERT_TRUE(UnloadPlugin());
  testbed::ResetAllocator();  // the blocks the plug-in had to leave behind
}

// ---------------------------------------------------------------------------
// The allocator gives no block at the nth call, for every n from the first
// call of a whole census, gate call or dump to its last. Each run is
// measured first with no failure, so every allocation it makes is hit once.

class AllocatorFailureEveryCall : public GameFault {
 protected:
  // Malloc and Realloc calls (the ones a failure can hit) made by `run`.
  template <typename Run>
  static std::size_t AllocationsOf(Run&& run) {
    const std::size_t mark = testbed::AllocatorCalls().size();
    run();
    const auto& calls = testbed::AllocatorCalls();
    std::size_t allocations = 0;
    for (std::size_t i = mark; i < calls.size(); ++i) {
      allocations += calls[i].kind == testbed::AllocatorCallKind::kFree ? 0 : 1;
    }
    return allocations;
  }
};

TEST_F(AllocatorFailureEveryCall, CensusReportsEachFailureToTheHost) {
  const std::size_t total = AllocationsOf([] { EXPECT_TRUE(testbed::InitGameMode().completed); });
  const std::size_t live_after_census = testbed::LiveBlockCount();
  ASSERT_LT(0u, total);
  for (std::size_t nth = 1; nth <= total; ++nth) {
    SCOPED_TRACE(nth);
    testbed::FailAllocation(nth);
    EXPECT_FALSE(testbed::InitGameMode().completed);
    testbed::FailAllocation(0);
    EXPECT_EQ(std::vector<std::string>{std::string(kCensusEntry) + ": std::bad_alloc"},
              HostErrors());
  }
  EXPECT_TRUE(testbed::InitGameMode().completed);
  EXPECT_EQ(live_after_census, testbed::LiveBlockCount());
  EXPECT_TRUE(SpawnIsDestroyed(example_));
}

TEST_F(AllocatorFailureEveryCall, GateLetsTheCreatureThroughAtEachFailure) {
  ASSERT_TRUE(testbed::InitGameMode().completed);
  const std::size_t live_after_census = testbed::LiveBlockCount();
  const std::size_t total = AllocationsOf([this] { EXPECT_TRUE(SpawnIsDestroyed(example_)); });
  ASSERT_LT(0u, total);
  for (std::size_t nth = 1; nth <= total; ++nth) {
    SCOPED_TRACE(nth);
    testbed::FailAllocation(nth);
    const testbed::SpawnResult result = testbed::SpawnCreature(example_, u"Newcomer", 0, 9);
    testbed::FailAllocation(0);
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(9, result.level);
    EXPECT_TRUE(testbed::InWorld(result.creature));
  }
  EXPECT_EQ(std::vector<std::string>{}, HostErrors());
  EXPECT_EQ(live_after_census, testbed::LiveBlockCount());
  EXPECT_TRUE(SpawnIsDestroyed(example_));
}

TEST_F(AllocatorFailureEveryCall, DumpReportsEachFailureAndLeavesAnEmptyFile) {
  const std::size_t live_before = testbed::LiveBlockCount();
  const std::size_t total =
      AllocationsOf([this] { EXPECT_TRUE(testbed::RunConsoleCommand(admin_, u"debugspawn")); });
  ASSERT_EQ(DumpOfExample(), ReadDump());
  ASSERT_LT(0u, total);
  for (std::size_t nth = 1; nth <= total; ++nth) {
    SCOPED_TRACE(nth);
    testbed::FailAllocation(nth);
    EXPECT_TRUE(testbed::RunConsoleCommand(admin_, u"debugspawn"));
    testbed::FailAllocation(0);
    EXPECT_EQ(std::vector<std::string>{std::string(kDumpEntry) + ": std::bad_alloc"}, HostErrors());
    EXPECT_EQ("", ReadDump());
  }
  EXPECT_EQ(live_before, testbed::LiveBlockCount());
  EXPECT_TRUE(testbed::RunConsoleCommand(admin_, u"debugspawn"));
  EXPECT_EQ(DumpOfExample(), ReadDump());
}

}  // namespace dravelquin
