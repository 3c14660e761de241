// The testbed itself: the stand-in host and game must behave as the plug-in
// expects of the real ones, or every other test here proves nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include <spdlog/logger.h>

#include "game/binned_heap.h"
#include "game/engine_allocator.h"
#include "game/game_natives.h"
#include "game/game_players.h"
#include "game/game_world.h"
#include "game/garbage_collection.h"
#include "game/native_shapes.h"
#include "host/ark_api.h"
#include "host/game.h"
#include "host_stand_in/engine_layout.h"
#include "support/testbed_fixture.h"

namespace dravelquin {

namespace {

template <typename Fn>
Fn NativeNamed(const char* name) {
  return reinterpret_cast<Fn>(ArkApi::GetAddress(std::string(name)));
}

FString& AsFString(testbed::EngineTextLayout& layout) {
  return *reinterpret_cast<FString*>(&layout);
}

// The plug-in declares the game's functions (host/game.h) and the stand-in
// game declares them again on its own (native_shapes.h); the two sides name
// their types differently. Each argument and result is read as one of a few
// kinds, and the lists of kinds must agree: a wrong type, count or result on
// either side fails the build here rather than both sides sharing a mistake.
namespace call_shapes {

enum class Kind { kVoid, kObjectPointer, kText, kArray, kSigned32, kUnsigned32, kSize, kBool };

template <typename T>
struct IsEngineArray : std::false_type {};
template <typename T>
struct IsEngineArray<EngineArray<T>> : std::true_type {};
template <typename T>
struct IsEngineArray<testbed::EngineArrayLayout<T>> : std::true_type {};

template <typename T>
constexpr Kind KindOf() {
  if constexpr (std::is_void_v<T>) {
    return Kind::kVoid;
  } else if constexpr (std::is_same_v<T, bool>) {
    return Kind::kBool;
  } else if constexpr (std::is_same_v<T, std::int32_t>) {
    return Kind::kSigned32;
  } else if constexpr (std::is_same_v<T, std::uint32_t>) {
    return Kind::kUnsigned32;
  } else if constexpr (std::is_same_v<T, std::size_t>) {
    return Kind::kSize;
  } else if constexpr (std::is_pointer_v<T>) {
    using Pointee = std::remove_cv_t<std::remove_pointer_t<T>>;
    if constexpr (std::is_same_v<Pointee, FString>) {
      return Kind::kText;
    } else if constexpr (IsEngineArray<Pointee>::value) {
      return Kind::kArray;
    } else {
      return Kind::kObjectPointer;
    }
  } else {
    static_assert(!std::is_same_v<T, T>, "an argument or result of no known kind");
    return Kind::kVoid;
  }
}

template <Kind... Kinds>
struct KindList {};

// The result's kind, then each argument's.
template <typename Fn>
struct CallKinds;
template <typename Result, typename... Args>
struct CallKinds<Result (*)(Args...)> {
  using type = KindList<KindOf<Result>(), KindOf<Args>()...>;
};

template <typename PluginFn, typename GameFn>
constexpr bool kSameShape =
    std::is_same_v<typename CallKinds<PluginFn>::type, typename CallKinds<GameFn>::type>;

namespace game = testbed::game;
static_assert(kSameShape<MallocFn, game::MallocShape>, "FMemory.Malloc");
static_assert(kSameShape<ReallocFn, game::ReallocShape>, "FMemory.Realloc");
static_assert(kSameShape<FreeFn, game::FreeShape>, "FMemory.Free");
static_assert(kSameShape<GetDefaultObjectFn, game::GetDefaultObjectShape>,
              "UClass.GetDefaultObject");
static_assert(kSameShape<GetFullNameFn, game::GetFullNameShape>, "UObjectBaseUtility.GetFullName");
static_assert(kSameShape<GetDinoDescriptiveNameFn, game::GetDinoDescriptiveNameShape>,
              "APrimalDinoCharacter.GetDinoDescriptiveName");
static_assert(kSameShape<GetPrivateStaticClassFn, game::GetPrivateStaticClassShape>,
              "APrimalDinoCharacter.GetPrivateStaticClass");
static_assert(kSameShape<GetAllActorsOfClassFn, game::GetAllActorsOfClassShape>,
              "UGameplayStatics.GetAllActorsOfClass");
static_assert(kSameShape<DestroyFn, game::DestroyShape>, "AActor.Destroy");
static_assert(kSameShape<GetPlayerCharacterFn, game::GetPlayerCharacterShape>,
              "AShooterPlayerController.GetPlayerCharacter");
static_assert(kSameShape<InitGameFn, game::InitGameShape>, "AShooterGameMode.InitGame");
static_assert(kSameShape<GetRandomBaseLevelFn, game::GetRandomBaseLevelShape>,
              "APrimalDinoCharacter.GetRandomBaseLevel");

}  // namespace call_shapes

}  // namespace

class EngineAllocator : public TestbedTest {};

TEST_F(EngineAllocator, AccountsForEveryCallInOrder) {
  void* block = testbed::EngineMalloc(10, 0);
  void* grown = testbed::EngineRealloc(block, 30);
  EXPECT_EQ(1u, testbed::LiveBlockCount());
  EXPECT_EQ(30u, testbed::LiveBytes());
  testbed::EngineFree(grown);

  const std::vector<testbed::AllocatorCall>& calls = testbed::AllocatorCalls();
  ASSERT_EQ(3u, calls.size());
  EXPECT_EQ(testbed::AllocatorCallKind::kMalloc, calls[0].kind);
  EXPECT_EQ(block, calls[0].block_out);
  EXPECT_EQ(testbed::AllocatorCallKind::kRealloc, calls[1].kind);
  EXPECT_EQ(block, calls[1].block_in);
  EXPECT_EQ(grown, calls[1].block_out);
  EXPECT_EQ(30u, calls[1].bytes);
  EXPECT_EQ(testbed::AllocatorCallKind::kFree, calls[2].kind);
  EXPECT_EQ(grown, calls[2].block_in);
  EXPECT_EQ(0u, testbed::LiveBlockCount());
  EXPECT_EQ(0u, testbed::LiveBytes());
}

TEST_F(EngineAllocator, ReallocMovesTheBlockAndKeepsItsContents) {
  auto* block = static_cast<char*>(testbed::EngineMalloc(4, 0));
  std::copy_n("abcd", 4, block);
  auto* moved = static_cast<char*>(testbed::EngineRealloc(block, 2));
  EXPECT_NE(block, moved);
  EXPECT_EQ(0u, testbed::LiveBlockSize(block));
  EXPECT_EQ(2u, testbed::LiveBlockSize(moved));
  EXPECT_EQ("ab", std::string(moved, 2));
  testbed::EngineFree(moved);
}

TEST_F(EngineAllocator, DoubleFreeIsRecordedAndHarmless) {
  void* block = testbed::EngineMalloc(8, 0);
  testbed::EngineFree(block);
  testbed::EngineFree(block);
  const std::vector<std::string> errors = testbed::TakeAllocatorErrors();
  ASSERT_EQ(1u, errors.size());
  EXPECT_NE(std::string::npos, errors[0].find("Free of a block already freed")) << errors[0];
}

TEST_F(EngineAllocator, BlocksNeverHandedOutAreRecordedAndLeftAlone) {
  char not_from_the_allocator[16] = "stays intact";
  testbed::EngineFree(not_from_the_allocator);
  EXPECT_EQ(nullptr, testbed::EngineRealloc(not_from_the_allocator, 64));
  const std::vector<std::string> errors = testbed::TakeAllocatorErrors();
  ASSERT_EQ(2u, errors.size());
  EXPECT_NE(std::string::npos, errors[0].find("Free of a block never handed out")) << errors[0];
  EXPECT_NE(std::string::npos, errors[1].find("Realloc of a block never handed out")) << errors[1];
  EXPECT_EQ(std::string("stays intact"), not_from_the_allocator);
}

TEST_F(EngineAllocator, InjectedFailureHitsOnlyTheNthAllocation) {
  testbed::FailAllocation(2);
  void* first = testbed::EngineMalloc(8, 0);
  void* failed = testbed::EngineRealloc(first, 16);
  void* third = testbed::EngineMalloc(8, 0);
  EXPECT_NE(nullptr, first);
  EXPECT_EQ(nullptr, failed);
  EXPECT_NE(nullptr, third);
  EXPECT_EQ(8u, testbed::LiveBlockSize(first)) << "a failed realloc keeps the old block";
  testbed::EngineFree(first);
  testbed::EngineFree(third);
}

// The lean mode the benchmarks use: the same calls counted, blocks from the
// heap without accounting, and only the number of live ones kept.
class LeanEngineAllocator : public TestbedTest {
 protected:
  void SetUp() override {
    TestbedTest::SetUp();
    testbed::SetAllocatorMode(testbed::AllocatorMode::kLean);
  }
};

TEST_F(LeanEngineAllocator, CountsEachKindOfCallAndTheLiveBlocksWithoutRecording) {
  auto* block = static_cast<char*>(testbed::EngineMalloc(4, 0));
  std::copy_n("abcd", 4, block);
  auto* grown = static_cast<char*>(testbed::EngineRealloc(block, 64));
  EXPECT_EQ("abcd", std::string(grown, 4));
  void* fresh = testbed::EngineRealloc(nullptr, 8);
  EXPECT_EQ(2u, testbed::LiveBlockCount());
  EXPECT_EQ(0u, testbed::LiveBlockSize(grown));
  EXPECT_EQ(nullptr, testbed::EngineRealloc(fresh, 0)) << "Realloc to 0 bytes frees";
  testbed::EngineFree(grown);
  testbed::EngineFree(nullptr);
  EXPECT_EQ(0u, testbed::LiveBlockCount());
  const testbed::AllocatorCallCounts counts = testbed::CountAllocatorCalls();
  EXPECT_EQ(1u, counts.mallocs);
  EXPECT_EQ(3u, counts.reallocs);
  EXPECT_EQ(2u, counts.frees);
  EXPECT_TRUE(testbed::AllocatorCalls().empty());
}

TEST_F(LeanEngineAllocator, InjectedFailureHitsOnlyTheNthAllocation) {
  testbed::FailAllocation(2);
  auto* first = static_cast<char*>(testbed::EngineMalloc(8, 0));
  first[0] = 'k';
  EXPECT_EQ(nullptr, testbed::EngineRealloc(first, 16));
  EXPECT_EQ('k', first[0]) << "a failed realloc keeps the old block";
  EXPECT_EQ(1u, testbed::LiveBlockCount());
  testbed::EngineFree(first);
}

TEST_F(LeanEngineAllocator, AlignmentAboveSixteenIsRefusedAndRecorded) {
  EXPECT_EQ(nullptr, testbed::EngineMalloc(8, 32));
  EXPECT_EQ(0u, testbed::LiveBlockCount());
  const std::vector<std::string> errors = testbed::TakeAllocatorErrors();
  ASSERT_EQ(1u, errors.size());
  EXPECT_NE(std::string::npos, errors[0].find("alignment above 16")) << errors[0];
  void* block = testbed::EngineMalloc(8, 16);
  EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(block) % 16);
  testbed::EngineFree(block);
}

TEST_F(LeanEngineAllocator, ModeChangesOnlyWhileNoBlockIsLiveAndResetEndsIt) {
  void* block = testbed::EngineMalloc(8, 0);
  EXPECT_THROW(testbed::SetAllocatorMode(testbed::AllocatorMode::kAccounting), std::logic_error);
  EXPECT_EQ(testbed::AllocatorMode::kLean, testbed::CurrentAllocatorMode());
  testbed::EngineFree(block);
  testbed::ResetAllocator();
  EXPECT_EQ(testbed::AllocatorMode::kAccounting, testbed::CurrentAllocatorMode());
  testbed::EngineFree(testbed::EngineMalloc(8, 0));
  EXPECT_EQ(2u, testbed::AllocatorCalls().size());
}

// The binned heap behind the lean mode: size classes of 16 bytes up to
// 1,024, larger blocks from the process heap.
TEST(BinnedHeap, KeepsBlocksInTheirClassAndMovesThemBetweenClasses) {
  testbed::BinnedHeap heap;
  // Zero bytes still give a block of their own, aligned to 16.
  void* empty = heap.Allocate(0);
  void* other = heap.Allocate(0);
  EXPECT_NE(empty, other);
  EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(other) % 16);
  // Growing within the class (17 to 32 bytes) stays in place.
  auto* text = static_cast<char*>(heap.Allocate(17));
  std::copy_n("0123456789abcdefg", 17, text);
  EXPECT_EQ(text, heap.Resize(text, 32));
  // Past the class the block moves with its contents; the old one is reused
  // by the next request of its class.
  auto* grown = static_cast<char*>(heap.Resize(text, 33));
  EXPECT_NE(text, grown);
  EXPECT_EQ("0123456789abcdefg", std::string(grown, 17));
  EXPECT_EQ(text, heap.Allocate(20));
  // Shrinking into a smaller class keeps what fits.
  auto* shrunk = static_cast<char*>(heap.Resize(grown, 4));
  EXPECT_EQ("0123", std::string(shrunk, 4));
  // 1,024 bytes is the last class; 1,025 comes from the process heap and
  // moves back into a class with its first bytes.
  auto* last = static_cast<char*>(heap.Allocate(1024));
  auto* large = static_cast<char*>(heap.Resize(last, 1025));
  EXPECT_NE(last, large);
  large[1024] = 'z';
  std::copy_n("kept", 4, large);
  auto* back = static_cast<char*>(heap.Resize(large, 8));
  EXPECT_EQ("kept", std::string(back, 4));
  heap.Release(back);
  heap.Release(shrunk);
  heap.Release(empty);
  heap.Release(other);
  // A request beyond any heap is refused, not wrapped into a small class.
  EXPECT_EQ(nullptr, heap.Allocate(SIZE_MAX - 8));
}

class HostHooks : public TestbedTest {
 protected:
  static int Own() { return 1; }
  static int (*first_original)();
  static int (*second_original)();
  static int First() { return 10 + first_original(); }
  static int Second() { return 100 + second_original(); }

  void SetUp() override {
    TestbedTest::SetUp();
    testbed::RegisterHookable("Test.Function", &entry_);
  }
  void TearDown() override {
    testbed::RemoveHookable("Test.Function");
    TestbedTest::TearDown();
  }

  int CallThroughEntry() const { return reinterpret_cast<int (*)()>(entry_)(); }

  static void* Address(int (*function)()) { return reinterpret_cast<void*>(function); }
  static void** Slot(int (**slot)()) { return reinterpret_cast<void**>(slot); }

  void* entry_ = reinterpret_cast<void*>(&Own);
};

int (*HostHooks::first_original)() = nullptr;
int (*HostHooks::second_original)() = nullptr;

TEST_F(HostHooks, DetoursChainAndDisablingRestoresTheGamesFunction) {
  ArkApi::IHooks& hooks = ArkApi::GetHooks();
  ASSERT_TRUE(hooks.SetHook("Test.Function", Address(&First), Slot(&first_original)));
  ASSERT_TRUE(hooks.SetHook("Test.Function", Address(&Second), Slot(&second_original)));
  EXPECT_EQ(111, CallThroughEntry());

  ASSERT_TRUE(hooks.DisableHook("Test.Function", Address(&First)));
  EXPECT_EQ(101, CallThroughEntry()) << "the later detour now leads to the game's function";
  ASSERT_TRUE(hooks.DisableHook("Test.Function", Address(&Second)));
  EXPECT_EQ(1, CallThroughEntry());
  EXPECT_EQ(0u, testbed::HookCount("Test.Function"));
}

TEST_F(HostHooks, UnknownNamesAreRefusedAndChangeNothing) {
  ArkApi::IHooks& hooks = ArkApi::GetHooks();
  first_original = &Own;
  EXPECT_FALSE(hooks.SetHook("Test.Missing", Address(&First), Slot(&first_original)));
  EXPECT_FALSE(hooks.DisableHook("Test.Function", Address(&First)));
  EXPECT_EQ(&Own, first_original);
  EXPECT_EQ(1, CallThroughEntry());
  EXPECT_EQ(
      (std::vector<std::string>{"SetHook Test.Missing failed", "DisableHook Test.Function failed"}),
      testbed::Journal());
}

TEST_F(HostHooks, ResetRestoresHookedEntries) {
  ASSERT_TRUE(ArkApi::GetHooks().SetHook("Test.Function", Address(&First), Slot(&first_original)));
  testbed::ResetHost();
  EXPECT_EQ(1, CallThroughEntry());
}

class HostAddresses : public TestbedTest {};

TEST_F(HostAddresses, UnknownNamesGiveNullAndZero) {
  int object = 0;
  EXPECT_EQ(nullptr, ArkApi::GetAddress(std::string("AActor.NoSuchFunction")));
  EXPECT_EQ(0u, ArkApi::GetAddress(&object, std::string("AActor.NoSuchField")));
}

TEST_F(HostAddresses, FieldAddressIsObjectPlusOffsetAndEveryCallCounts) {
  const testbed::GameCreature creature{};
  const std::uint64_t address = ArkApi::GetAddress(&creature, std::string("AActor.TargetingTeam"));
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&creature.targeting_team), address);
  ArkApi::GetAddress(std::string("FMemory.Malloc"));
  ArkApi::GetAddress(std::string("FMemory.Malloc"));
  EXPECT_EQ(2u, testbed::GetAddressLookupCounts().functions);
  EXPECT_EQ(1u, testbed::GetAddressLookupCounts().fields);
}

TEST_F(HostAddresses, RemovedNativeIsUnknownUntilTheGameResets) {
  ASSERT_TRUE(testbed::RemoveNative("AActor.Destroy"));
  EXPECT_EQ(nullptr, ArkApi::GetAddress(std::string("AActor.Destroy")));
  testbed::ResetGame();
  EXPECT_NE(nullptr, ArkApi::GetAddress(std::string("AActor.Destroy")));
}

class HostCommands : public TestbedTest {
 protected:
  void AddCommand(std::u16string name, const ArkApi::ConsoleCommandCallback& callback) {
    testbed::EngineTextLayout layout = testbed::LayoutOver(name);
    ArkApi::GetCommands().AddConsoleCommand(AsFString(layout), callback);
  }
  void AddTimer(std::u16string key, const ArkApi::TimerCallback& callback) {
    testbed::EngineTextLayout layout = testbed::LayoutOver(key);
    ArkApi::GetCommands().AddOnTimerCallback(AsFString(layout), callback);
  }
};

TEST_F(HostCommands, ConsoleLineGoesToTheCommandOfItsFirstWord) {
  APlayerController* typist = testbed::AddPlayer(testbed::PlayerKind::kAdmin);
  APlayerController* seen_controller = nullptr;
  std::u16string seen_text;
  bool seen_flag = true;
  AddCommand(u"debugspawn", [&](APlayerController* controller, FString* text, bool flag) {
    seen_controller = controller;
    seen_text = testbed::TextOf(*reinterpret_cast<testbed::EngineTextLayout*>(text));
    seen_flag = flag;
  });

  EXPECT_TRUE(testbed::RunConsoleCommand(typist, u"  DebugSpawn all now"));
  EXPECT_EQ(typist, seen_controller);
  EXPECT_TRUE(seen_text == u"  DebugSpawn all now");
  EXPECT_FALSE(seen_flag);
  EXPECT_FALSE(testbed::RunConsoleCommand(typist, u"debugspawnx"));
  EXPECT_FALSE(testbed::RunConsoleCommand(typist, u"debug spawn"));
  EXPECT_EQ(std::vector<std::string>{"AddConsoleCommand debugspawn"}, testbed::Journal());
}

TEST_F(HostCommands, ErrorsLeavingCallbacksAreRecordedAndLaterTimersStillRun) {
  std::vector<std::string> ran;
  AddTimer(u"first", [&] {
    ran.push_back("first");
    throw std::runtime_error("first failed");
  });
  AddTimer(u"second", [&] { ran.push_back("second"); });
  AddCommand(u"boom", [](APlayerController*, FString*, bool) { throw 42; });

  testbed::RunTimers();
  testbed::RunConsoleCommand(nullptr, u"boom");

  EXPECT_EQ((std::vector<std::string>{"first", "second"}), ran);
  const std::vector<testbed::CallbackError> errors = testbed::TakeCallbackErrors();
  ASSERT_EQ(2u, errors.size());
  EXPECT_EQ("timer first", errors[0].where);
  EXPECT_EQ("first failed", errors[0].what);
  EXPECT_EQ("command boom", errors[1].where);
  EXPECT_EQ("unknown exception", errors[1].what);
}

TEST_F(HostCommands, RemovedCommandIsNoLongerRecognised) {
  AddCommand(u"debugspawn", [](APlayerController*, FString*, bool) {});
  std::u16string name = u"debugspawn";
  testbed::EngineTextLayout layout = testbed::LayoutOver(name);
  EXPECT_TRUE(ArkApi::GetCommands().RemoveConsoleCommand(AsFString(layout)));
  EXPECT_FALSE(ArkApi::GetCommands().RemoveConsoleCommand(AsFString(layout)));
  EXPECT_FALSE(testbed::RunConsoleCommand(nullptr, u"debugspawn"));
  EXPECT_EQ(
      (std::vector<std::string>{"AddConsoleCommand debugspawn", "RemoveConsoleCommand debugspawn",
                                "RemoveConsoleCommand debugspawn failed"}),
      testbed::Journal());
}

class HostUtf8Encode : public TestbedTest {};

TEST_F(HostUtf8Encode, SurrogatePairBecomesOneFourByteCharacter) {
  // U+1F600 as the platform's wide text holds it: a UTF-16 pair where
  // wchar_t is 16 bits, one code point where it is 32 bits.
  std::wstring text;
  if (sizeof(wchar_t) == 2) {
    text = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
  } else {
    text = {static_cast<wchar_t>(0x1F600)};
  }
  EXPECT_EQ("\xF0\x9F\x98\x80", ArkApi::Tools::Utf8Encode(text));
}

TEST_F(HostUtf8Encode, UnpairedSurrogateBecomesReplacementCharacter) {
  const std::wstring text{L'a', static_cast<wchar_t>(0xD800), L'b'};
  EXPECT_EQ(
      "a\xEF\xBF\xBD"
      "b",
      ArkApi::Tools::Utf8Encode(text));
}

class HostLogSinks : public TestbedTest {};

TEST_F(HostLogSinks, EachLoggerOverTheHostsSinksWritesInItsOwnPattern) {
  ArkApi::LogSinks& sinks = ArkApi::GetLogSinks();
  spdlog::logger log("probe", sinks.begin(), sinks.end());
  log.set_pattern("[%n][%l] %v");
  testbed::WriteHostLogLine("before");
  log.warn("first {}", 1);
  testbed::WriteHostLogLine("after");
  EXPECT_EQ((std::vector<std::string>{"[ArkApi] info: before", "[probe][warning] first 1",
                                      "[ArkApi] info: after"}),
            testbed::LogLines());
  testbed::ResetHost();
  EXPECT_EQ(std::vector<std::string>{}, testbed::LogLines());
}

TEST_F(HostLogSinks, FlushesAreCountedWithTheLinesWrittenBeforeThem) {
  ArkApi::LogSinks& sinks = ArkApi::GetLogSinks();
  spdlog::logger log("probe", sinks.begin(), sinks.end());
  log.warn("first");
  EXPECT_EQ(0u, testbed::GetLogFlushes().calls);
  log.flush();
  log.warn("second");
  EXPECT_EQ(1u, testbed::GetLogFlushes().calls);
  EXPECT_EQ(1u, testbed::GetLogFlushes().lines_flushed);
  log.flush_on(spdlog::level::warn);
  log.warn("third");
  EXPECT_EQ(2u, testbed::GetLogFlushes().calls);
  EXPECT_EQ(3u, testbed::GetLogFlushes().lines_flushed);
  testbed::ResetHost();
  EXPECT_EQ(0u, testbed::GetLogFlushes().calls + testbed::GetLogFlushes().lines_flushed);
}

class GameNatives : public TestbedTest {};

TEST_F(GameNatives, FullNameFillsAnEngineStringFromTheAllocator) {
  const std::u16string full_name = u"BlueprintGeneratedClass /Game/Rex.Rex_C";  // 39 units
  testbed::GameClass* kind = testbed::AddKind(full_name);
  testbed::EngineTextLayout out;
  NativeNamed<GetFullNameFn>("UObjectBaseUtility.GetFullName")(
      reinterpret_cast<UObject*>(kind->default_object), &AsFString(out), nullptr);

  EXPECT_EQ(40, out.count);
  EXPECT_EQ(40, out.capacity);
  EXPECT_EQ(u'\0', out.data[39]);
  EXPECT_TRUE(testbed::TextOf(out) == full_name);
  EXPECT_EQ(80u, testbed::LiveBlockSize(out.data));
  NativeNamed<FreeFn>("FMemory.Free")(out.data);
}

TEST_F(GameNatives, EmptyDescriptiveNameLeavesTheStringWithoutStorage) {
  testbed::GameCreature* creature = testbed::PlaceCreature(testbed::AddKind(u"K /K"), u"", 0);
  testbed::EngineTextLayout out;
  NativeNamed<GetDinoDescriptiveNameFn>("APrimalDinoCharacter.GetDinoDescriptiveName")(
      reinterpret_cast<APrimalDinoCharacter*>(creature), &AsFString(out));
  EXPECT_EQ(nullptr, out.data);
  EXPECT_EQ(0, out.count);
  EXPECT_EQ(0u, testbed::AllocatorCalls().size());
}

TEST_F(GameNatives, ActorListHoldsTheWorldInOrderWithNullEntries) {
  testbed::GameClass* kind = testbed::AddKind(u"K /K");
  testbed::GameCreature* first = testbed::PlaceCreature(kind, u"a", 1);
  testbed::AddNullActor();
  testbed::GameCreature* second = testbed::PlaceCreature(kind, u"b", 60000);
  UClass* creature_class =
      NativeNamed<GetPrivateStaticClassFn>("APrimalDinoCharacter.GetPrivateStaticClass")();

  testbed::EngineArrayLayout<void*> out;
  NativeNamed<GetAllActorsOfClassFn>("UGameplayStatics.GetAllActorsOfClass")(
      testbed::World(), creature_class, reinterpret_cast<EngineArray<AActor*>*>(&out));

  ASSERT_EQ(3, out.count);
  EXPECT_EQ(static_cast<void*>(first), out.data[0]);
  EXPECT_EQ(nullptr, out.data[1]);
  EXPECT_EQ(static_cast<void*>(second), out.data[2]);
  NativeNamed<FreeFn>("FMemory.Free")(out.data);
}

TEST_F(GameNatives, DestroyTakesTheCreatureOutOfTheWorld) {
  testbed::GameClass* kind = testbed::AddKind(u"K /K");
  testbed::GameCreature* creature = testbed::PlaceCreature(kind, u"a", 1);
  NativeNamed<DestroyFn>("AActor.Destroy")(reinterpret_cast<AActor*>(creature), true, true);
  EXPECT_FALSE(testbed::InWorld(creature));
  EXPECT_EQ(0u, testbed::CountCreatures(kind, testbed::Wildness::kAny));
  ASSERT_EQ(1u, testbed::DestroyCalls().size());
  EXPECT_EQ(static_cast<const void*>(creature), testbed::DestroyCalls()[0].actor);
}

TEST_F(GameNatives, WorldKeepsItsOrderThroughManyRemovalsAndCollections) {
  testbed::GameClass* kind = testbed::AddKind(u"K /K");
  std::vector<testbed::GameCreature*> placed;
  for (int i = 0; i < 300; ++i) {
    placed.push_back(testbed::PlaceCreature(kind, u"", i));
    if (i == 10) {
      testbed::AddNullActor();
    }
  }
  // Every other creature leaves, then most of the rest: the list closes its
  // gaps on the way, and each creature must still be found where it is.
  std::vector<testbed::GameCreature*> expected = {placed[1], nullptr};
  for (int i = 0; i < 300; i += 2) {
    EXPECT_TRUE(testbed::RemoveCreature(placed[i]));
  }
  for (int i = 3; i < 300; i += 2) {
    if (i % 7 != 0) {
      EXPECT_TRUE(testbed::RemoveCreature(placed[i]));
    } else {
      expected.insert(i < 10 ? expected.begin() + 1 : expected.end(), placed[i]);
    }
  }
  EXPECT_EQ(expected, testbed::WorldActors());
  EXPECT_FALSE(testbed::RemoveCreature(placed[0]));
  EXPECT_FALSE(testbed::InWorld(placed[3]));
  EXPECT_TRUE(testbed::InWorld(placed[7]));
  // Until collected, a creature gone keeps its memory and is still the
  // game's; collected, it is no creature of the game.
  EXPECT_EQ(300u, testbed::CreaturesHeld());
  testbed::RetameCreature(placed[0], 60000);
  testbed::CollectGarbage();
  EXPECT_EQ(expected.size() - 1, testbed::CreaturesHeld());
  EXPECT_THROW(testbed::RetameCreature(placed[0], 60000), std::invalid_argument);
  int not_a_creature = 0;
  EXPECT_FALSE(testbed::InWorld(reinterpret_cast<testbed::GameCreature*>(&not_a_creature)));
}

TEST_F(GameNatives, InjectedFaultRaisesFromTheNative) {
  testbed::MakeNativeThrow("APrimalDinoCharacter.GetPrivateStaticClass", "no class today");
  const auto static_class =
      NativeNamed<GetPrivateStaticClassFn>("APrimalDinoCharacter.GetPrivateStaticClass");
  EXPECT_THROW(static_class(), std::runtime_error);
}

class GamePatchPoints : public TestbedTest {
 protected:
  static GetRandomBaseLevelFn game_base_level;
  static std::int32_t Doubled(APrimalDinoCharacter* creature) {
    return 2 * game_base_level(creature);
  }
  static std::int32_t Raising(APrimalDinoCharacter*) { throw std::runtime_error("gate broke"); }
};

GetRandomBaseLevelFn GamePatchPoints::game_base_level = nullptr;

TEST_F(GamePatchPoints, UnhookedSpawnGetsTheGamesOwnLevel) {
  testbed::GameClass* kind = testbed::AddKind(u"K /K");
  const testbed::SpawnResult spawned = testbed::SpawnCreature(kind, u"a", 1, 17);
  EXPECT_EQ(17, spawned.level);
  EXPECT_FALSE(spawned.destroyed);
  EXPECT_EQ(std::vector<const testbed::GameCreature*>{spawned.creature},
            testbed::OwnBaseLevelCalls());
  // Bounded, the journal keeps the latest calls and still counts them all.
  testbed::KeepLatestGameCalls(2);
  std::vector<const testbed::GameCreature*> latest;
  latest.reserve(5);
  for (int i = 0; i < 5; ++i) {
    latest.push_back(testbed::SpawnCreature(kind, u"b", 1, 17).creature);
  }
  EXPECT_EQ((std::vector<const testbed::GameCreature*>{latest[3], latest[4]}),
            testbed::OwnBaseLevelCalls());
  EXPECT_EQ(6u, testbed::CountGameCalls().own_base_levels);
}

TEST_F(GamePatchPoints, SpawnRunsTheDetourAndRecordsWhatLeavesIt) {
  testbed::GameClass* kind = testbed::AddKind(u"K /K");
  ArkApi::IHooks& hooks = ArkApi::GetHooks();
  ASSERT_TRUE(hooks.SetHook("APrimalDinoCharacter.GetRandomBaseLevel",
                            reinterpret_cast<void*>(&Doubled),
                            reinterpret_cast<void**>(&game_base_level)));
  EXPECT_EQ(34, testbed::SpawnCreature(kind, u"a", 1, 17).level);

  ASSERT_TRUE(hooks.DisableHook("APrimalDinoCharacter.GetRandomBaseLevel",
                                reinterpret_cast<void*>(&Doubled)));
  ASSERT_TRUE(hooks.SetHook("APrimalDinoCharacter.GetRandomBaseLevel",
                            reinterpret_cast<void*>(&Raising),
                            reinterpret_cast<void**>(&game_base_level)));
  EXPECT_FALSE(testbed::SpawnCreature(kind, u"b", 1, 17).completed);
  const std::vector<testbed::CallbackError> errors = testbed::TakeCallbackErrors();
  ASSERT_EQ(1u, errors.size());
  EXPECT_EQ("hook APrimalDinoCharacter.GetRandomBaseLevel", errors[0].where);
  EXPECT_EQ("gate broke", errors[0].what);
}

TEST_F(GamePatchPoints, InitGamePassesItsArgumentsToTheGamesOwnFunction) {
  const testbed::InitGameOutcome outcome = testbed::InitGameMode();
  EXPECT_TRUE(outcome.completed);
  ASSERT_EQ(1u, testbed::OwnInitGameCalls().size());
  EXPECT_TRUE(outcome.passed == testbed::OwnInitGameCalls()[0]);
}

class HostLoader : public TestbedTest {};

TEST_F(HostLoader, MissingLibraryFailsWithTheLoadersMessage) {
  const testbed::LoaderOutcome outcome = testbed::LoadPlugin("/nonexistent/libnothing.so");
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_NE(std::string::npos, outcome.error.find("libnothing.so")) << outcome.error;
  EXPECT_FALSE(testbed::IsPluginLoaded());
}

TEST_F(HostLoader, FailedAttachUnloadsTheLibraryAgain) {
  // Without config.json the plug-in's start-up fails.
  const testbed::LoaderOutcome outcome = TryLoadPlugin();
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ("attach failed", outcome.error);
  EXPECT_FALSE(testbed::IsPluginLoaded());
}

TEST_F(HostLoader, LoadedPluginBindsAndUnbindsCompletely) {
  WriteConfig(R"({"General":{"CheckInterval":60},"Dinos":{}})");
  ASSERT_TRUE(LoadPlugin());
  EXPECT_TRUE(testbed::IsPluginLoaded());
  EXPECT_EQ(4u, testbed::ConsoleCommandCount() + testbed::TimerCount());
  ASSERT_TRUE(UnloadPlugin());
  EXPECT_EQ((std::vector<std::string>{
                "SetHook AShooterGameMode.InitGame",
                "SetHook APrimalDinoCharacter.GetRandomBaseLevel",
                "AddOnTimerCallback dravelquin",
                "AddConsoleCommand debugspawn",
                "AddConsoleCommand dravelquin.reload",
                "AddConsoleCommand dravelquin.status",
                "DisableHook AShooterGameMode.InitGame",
                "DisableHook APrimalDinoCharacter.GetRandomBaseLevel",
                "RemoveConsoleCommand dravelquin.status",
                "RemoveConsoleCommand dravelquin.reload",
                "RemoveConsoleCommand debugspawn",
                "RemoveOnTimerCallback dravelquin",
            }),
            testbed::Journal());
  EXPECT_FALSE(testbed::IsPluginLoaded());
}

TEST_F(HostLoader, UnloadWithoutPluginIsAnError) {
  EXPECT_FALSE(testbed::UnloadPlugin().succeeded);
}

}  // namespace dravelquin
