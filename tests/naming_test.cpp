// The blueprint path and the display name, built from creatures of the
// testbed game, so the game's natives are found by name and the strings they
// fill come from the game's allocator.

#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/fstring.h"
#include "engine/naming.h"
#include "game/engine_allocator.h"
#include "game/game_natives.h"
#include "game/game_objects.h"
#include "game/game_world.h"
#include "host/game.h"
#include "host_stand_in/testbed_host.h"
#include "support/engine_checks.h"
#include "support/testbed_fixture.h"

namespace dravelquin {

using engine_checks::CallsSince;
using engine_checks::EngineText;
using engine_checks::MarkCalls;
using engine_checks::ShapeOf;
using engine_checks::TextOf;
using Calls = std::vector<std::string>;

namespace {

constexpr char16_t kUnpairedSurrogate = 0xD800;

const std::u16string kWorkedExample =
    u"Example_BP_C /Game/Creatures/Example/Example_BP.Default__Example_BP_C";

// The four words, each two characters and a space: one (animal), young
// adult, cub, infant.
const std::u16string kOne = u"\u4E00\u53EA ";
const std::u16string kYoung = u"\u9752\u5E74 ";
const std::u16string kCub = u"\u5E7C\u5D3D ";
const std::u16string kInfant = u"\u5A74\u513F ";

testbed::GameCreature* CreatureOfKind(const std::u16string& full_name) {
  return testbed::PlaceCreature(testbed::AddKind(full_name), u"Raptor", 0);
}

APrimalDinoCharacter* CreatureNamed(const std::u16string& descriptive_name) {
  testbed::GameClass* kind = testbed::AddKind(u"Raptor_C /Game/Raptor.Raptor_C");
  return testbed::AsOpaque<APrimalDinoCharacter>(testbed::PlaceCreature(kind, descriptive_name, 0));
}

EngineText PathText(const std::u16string& full_name) {
  return TextOf(BlueprintPathOf(CreatureOfKind(full_name)));
}

EngineText DisplayText(const std::u16string& descriptive_name) {
  return TextOf(DinoDisplayName(CreatureNamed(descriptive_name)));
}

// Calls `routine` with the allocator told to fail its 1st, 2nd, ... block
// until a call completes; each failed call must raise std::bad_alloc and
// leave no engine block live.
template <typename Routine>
void ExpectNoLeakOnAnyFailedAllocation(Routine routine) {
  bool completed = false;
  for (std::size_t nth = 1; !completed; ++nth) {
    SCOPED_TRACE("allocation " + std::to_string(nth) + " fails");
    testbed::FailAllocation(nth);
    try {
      FString result = routine();
      completed = true;
    } catch (const std::bad_alloc&) {
      EXPECT_EQ(0u, testbed::LiveBlockCount());
    }
    testbed::FailAllocation(0);
    ASSERT_LT(nth, 40u) << "the routine never completed";
  }
}

}  // namespace

using BlueprintPath = TestbedTest;

TEST_F(BlueprintPath, WorkedExample) {
  const testbed::GameCreature* creature = CreatureOfKind(kWorkedExample);
  const FString path = BlueprintPathOf(creature);
  EXPECT_EQ(ENGINE_TEXT("blueprint'/Game/Creatures/Example/Example_BP.Example_BP'"), TextOf(path));
}

// "blueprint'" (capacity 31) joined with the 54-unit middle and then the
// closing quote grows to exactly 65 and then 66 units; the result is built
// by appending, so its block follows the growth rule.
TEST_F(BlueprintPath, WorkedExampleGrowsExactlyWhileJoining) {
  const testbed::GameCreature* creature = CreatureOfKind(kWorkedExample);
  const std::size_t mark = MarkCalls();
  const FString path = BlueprintPathOf(creature);
  std::vector<std::string> reallocs;
  for (const std::string& call : CallsSince(mark)) {
    if (call.rfind("Realloc", 0) == 0) {
      reallocs.push_back(call);
    }
  }
  EXPECT_EQ((Calls{"Realloc 130", "Realloc 132"}), reallocs);
  EXPECT_EQ("{block, 57, 79}", ShapeOf(path));
}

TEST_F(BlueprintPath, AsksForTheDefaultObjectWithItsCreateFlagSet) {
  const testbed::GameCreature* creature = CreatureOfKind(kWorkedExample);
  // A request without the flag, made here, is counted apart.
  Native<GetDefaultObjectFn>(GameFunction::kGetDefaultObject)(
      testbed::AsOpaque<UClass>(creature->object.klass), false);
  const FString path = BlueprintPathOf(creature);
  EXPECT_EQ(ENGINE_TEXT("blueprint'/Game/Creatures/Example/Example_BP.Example_BP'"), TextOf(path));
  EXPECT_EQ(1u, testbed::DefaultObjectRequestCounts().creating);
  EXPECT_EQ(1u, testbed::DefaultObjectRequestCounts().not_creating);
}

TEST_F(BlueprintPath, NullObjectCallsNothing) {
  testbed::ResetAddressLookupCounts();
  EXPECT_EQ("{null, 0, 0}", ShapeOf(BlueprintPathOf(nullptr)));
  EXPECT_EQ(0u, testbed::GetAddressLookupCounts().functions);
  EXPECT_EQ(0u, testbed::GetAddressLookupCounts().fields);
  EXPECT_EQ(Calls{}, CallsSince(0));
}

TEST_F(BlueprintPath, FullNameWithoutSpaceGivesNothingAndIsFreed) {
  const testbed::GameCreature* creature = CreatureOfKind(u"Example_BP_C");
  const std::size_t mark = MarkCalls();
  EXPECT_EQ("{null, 0, 0}", ShapeOf(BlueprintPathOf(creature)));
  ASSERT_EQ((Calls{"Malloc 26", "Free"}), CallsSince(mark));
  const auto& calls = testbed::AllocatorCalls();
  EXPECT_EQ(calls[mark].block_out, calls[mark + 1].block_in);
}

TEST_F(BlueprintPath, EmptyFullNameGivesNothing) {
  EXPECT_EQ("{null, 0, 0}", ShapeOf(BlueprintPathOf(CreatureOfKind(u""))));
}

TEST_F(BlueprintPath, OnlyTheSpaceCharacterSeparates) {
  EXPECT_EQ("{null, 0, 0}", ShapeOf(BlueprintPathOf(CreatureOfKind(u"K\t/Game/K.K_C"))));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(BlueprintPathOf(CreatureOfKind(u"K\u3000/Game/K.K_C"))));
}

TEST_F(BlueprintPath, PathStartsAfterTheFirstSpaceAndKeepsLaterOnes) {
  EXPECT_EQ(ENGINE_TEXT("blueprint'/Game/A B.C'"), PathText(u"K /Game/A B.C_C"));
}

TEST_F(BlueprintPath, SpaceAsLastCharacterGivesEmptyQuotes) {
  EXPECT_EQ(ENGINE_TEXT("blueprint''"), PathText(u"Example_BP_C "));
}

TEST_F(BlueprintPath, PathOfOnlyTheClassSuffixGivesEmptyQuotes) {
  EXPECT_EQ(ENGINE_TEXT("blueprint''"), PathText(u"K _C"));
}

TEST_F(BlueprintPath, FinalLowerCaseSuffixIsKept) {
  EXPECT_EQ(ENGINE_TEXT("blueprint'/Game/K.K_c'"), PathText(u"K_c /Game/K.K_c"));
}

TEST_F(BlueprintPath, ClassSuffixIsRemovedOnlyAtTheVeryEnd) {
  EXPECT_EQ(ENGINE_TEXT("blueprint'/Game/K_C/K.K'"), PathText(u"K_C /Game/K_C/K.K"));
  EXPECT_EQ(ENGINE_TEXT("blueprint'/Game/K_C/K.K'"), PathText(u"K /Game/K_C/K.K_C"));
}

TEST_F(BlueprintPath, DefaultPrefixIsRemovedEverywhere) {
  EXPECT_EQ(ENGINE_TEXT("blueprint'/Game/Dir/K.K'"),
            PathText(u"K /Game/Default__Dir/Default__Default__K.Default__K_C"));
}

TEST_F(BlueprintPath, DefaultPrefixMatchesExactCaseOnly) {
  EXPECT_EQ(ENGINE_TEXT("blueprint'/Game/K.default__K'"), PathText(u"K /Game/K.default__K_C"));
}

TEST_F(BlueprintPath, DefaultPrefixJoinedByARemovalStays) {
  EXPECT_EQ(ENGINE_TEXT("blueprint'/Default__K'"), PathText(u"K /DefaDefault__ult__K"));
}

TEST_F(BlueprintPath, UnitsAboveLatinOneAndUnpairedSurrogatesAreKept) {
  std::u16string full_name = u"K /Game/\u72D7";
  full_name += kUnpairedSurrogate;
  full_name += u"\u00E9.X_C";
  EngineText expected = ENGINE_TEXT("blueprint'/Game/\u72D7");
  expected += EngineUnit{kUnpairedSurrogate};
  expected += ENGINE_TEXT("\u00E9.X'");
  EXPECT_EQ(expected, PathText(full_name));
}

TEST_F(BlueprintPath, ThrowingAllocatorLeaksNothing) {
  const testbed::GameCreature* creature = CreatureOfKind(kWorkedExample);
  testbed::MakeNativeThrow("FMemory.Realloc", "no memory to grow into");
  EXPECT_THROW(BlueprintPathOf(creature), std::runtime_error);
  EXPECT_EQ(0u, testbed::LiveBlockCount());
}

TEST_F(BlueprintPath, FailedAllocationAtAnyPointLeaksNothing) {
  const testbed::GameCreature* creature = CreatureOfKind(kWorkedExample);
  ExpectNoLeakOnAnyFailedAllocation([creature] { return BlueprintPathOf(creature); });
}

// One field lookup for the class; two natives for the default object and its
// name; and one allocator lookup for each of the routine's own 7 blocks
// ("_C", the middle, "blueprint'", two exact growths, "'", the result) and 5
// releases ("_C", the full name, the middle, "'", the joined path).
TEST_F(BlueprintPath, LooksEveryNameUpAgainOnEveryCall) {
  const testbed::GameCreature* creature = CreatureOfKind(kWorkedExample);
  for (int call = 1; call <= 2; ++call) {
    SCOPED_TRACE("call " + std::to_string(call));
    testbed::ResetAddressLookupCounts();
    const FString path = BlueprintPathOf(creature);
    EXPECT_EQ(14u, testbed::GetAddressLookupCounts().functions);
    EXPECT_EQ(1u, testbed::GetAddressLookupCounts().fields);
  }
}

using DisplayName = TestbedTest;

TEST_F(DisplayName, NullCreatureCallsNothing) {
  testbed::ResetAddressLookupCounts();
  EXPECT_EQ("{null, 0, 0}", ShapeOf(DinoDisplayName(nullptr)));
  EXPECT_EQ(0u, testbed::GetAddressLookupCounts().functions);
  EXPECT_EQ(Calls{}, CallsSince(0));
}

TEST_F(DisplayName, NameWithoutHyphenIsKeptWhole) {
  EXPECT_EQ(ENGINE_TEXT("Raptor Lvl 3"), DisplayText(kOne + u"Raptor Lvl 3"));
}

TEST_F(DisplayName, TextBeforeTheFirstHyphenKeepsItsTrailingSpace) {
  EXPECT_EQ(ENGINE_TEXT("Raptor "), DisplayText(u"Raptor - Lvl 3 - Tamed"));
}

TEST_F(DisplayName, LeadingHyphensAreSkipped) {
  EXPECT_EQ(ENGINE_TEXT("Raptor"), DisplayText(u"--Raptor-Lvl 3"));
}

TEST_F(DisplayName, NameWithoutAPieceGivesNothing) {
  EXPECT_EQ("{null, 0, 0}", ShapeOf(DinoDisplayName(CreatureNamed(u""))));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(DinoDisplayName(CreatureNamed(u"-"))));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(DinoDisplayName(CreatureNamed(u"---"))));
}

TEST_F(DisplayName, PieceOfOnlyTheCubWordGivesNothing) {
  EXPECT_EQ("{null, 0, 0}", ShapeOf(DinoDisplayName(CreatureNamed(kCub))));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(DinoDisplayName(CreatureNamed(kCub + u"- Lvl 5"))));
}

TEST_F(DisplayName, WordWithoutItsSpaceIsKept) {
  const std::u16string one_without_space = kOne.substr(0, 2);
  EXPECT_EQ(ENGINE_TEXT("\u4E00\u53EARaptor"), DisplayText(one_without_space + u"Raptor"));
}

TEST_F(DisplayName, WordJoinedByAnEarlierPassIsRemovedByItsOwnPass) {
  EXPECT_EQ(ENGINE_TEXT("Rex"), DisplayText(u"\u9752" + kOne + u"\u5E74 Rex"));
  EXPECT_EQ(ENGINE_TEXT("Rex"), DisplayText(u"\u5A74" + kCub + u"\u513F Rex"));
}

TEST_F(DisplayName, WordJoinedByItsOwnPassStays) {
  EXPECT_EQ(ENGINE_TEXT("\u9752\u5E74 Rex"), DisplayText(u"\u9752" + kYoung + u"\u5E74 Rex"));
  EXPECT_EQ(ENGINE_TEXT("\u4E00\u53EA Rex"), DisplayText(u"\u4E00" + kOne + u"\u53EA Rex"));
}

TEST_F(DisplayName, WordJoinedByALaterPassStays) {
  EXPECT_EQ(ENGINE_TEXT("\u4E00\u53EA Rex"), DisplayText(u"\u4E00" + kCub + u"\u53EA Rex"));
  EXPECT_EQ(ENGINE_TEXT("\u9752\u5E74 Rex"), DisplayText(u"\u9752" + kInfant + u"\u5E74 Rex"));
}

TEST_F(DisplayName, ThrowingAllocatorAfterTheGameFilledTheNameLeaksNothing) {
  APrimalDinoCharacter* creature = CreatureNamed(kOne + u"Raptor - Lvl 3");
  testbed::MakeNativeThrow("FMemory.Malloc", "no memory");
  EXPECT_THROW(DinoDisplayName(creature), std::runtime_error);
  EXPECT_EQ(0u, testbed::LiveBlockCount());
}

TEST_F(DisplayName, FailedAllocationAtAnyPointLeaksNothing) {
  APrimalDinoCharacter* creature = CreatureNamed(kOne + kYoung + u"Raptor" + kCub + u"- Lvl 3");
  ExpectNoLeakOnAnyFailedAllocation([creature] { return DinoDisplayName(creature); });
}

// The descriptive name native, and one allocator lookup for each of the
// routine's own 7 blocks (two pieces, the pieces' block, four passes) and 7
// releases (the descriptive name, three replaced passes, two pieces, the
// pieces' block).
TEST_F(DisplayName, LooksEveryNameUpAgainOnEveryCall) {
  APrimalDinoCharacter* creature = CreatureNamed(u"Raptor - Lvl 3");
  for (int call = 1; call <= 2; ++call) {
    SCOPED_TRACE("call " + std::to_string(call));
    testbed::ResetAddressLookupCounts();
    const FString name = DinoDisplayName(creature);
    EXPECT_EQ(15u, testbed::GetAddressLookupCounts().functions);
    EXPECT_EQ(0u, testbed::GetAddressLookupCounts().fields);
  }
}

class DisplayNameWord : public TestbedTest, public ::testing::WithParamInterface<std::u16string> {};

TEST_P(DisplayNameWord, IsRemovedWhereverItStands) {
  const std::u16string& word = GetParam();
  EXPECT_EQ(ENGINE_TEXT("Raptor Rex"), DisplayText(word + u"Raptor " + word + u"Rex" + word));
}

INSTANTIATE_TEST_SUITE_P(FourWords, DisplayNameWord,
                         ::testing::Values(kOne, kYoung, kCub, kInfant));

}  // namespace dravelquin
