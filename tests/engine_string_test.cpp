// The engine string and array: the growth rule, construction, appending,
// copying, narrowing and release, each checked against the exact calls the
// game's allocator sees, and the behaviour when the allocator fails or
// cannot be found.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/engine_array.h"
#include "engine/engine_block.h"
#include "engine/fstring.h"
#include "game/engine_allocator.h"
#include "host_stand_in/testbed_host.h"
#include "support/engine_checks.h"
#include "support/testbed_fixture.h"

namespace dravelquin {

using engine_checks::CallsSince;
using engine_checks::EngineText;
using engine_checks::Malloc;
using engine_checks::MarkCalls;
using engine_checks::Realloc;
using engine_checks::ShapeOf;
using engine_checks::StringOfUnits;
using engine_checks::TerminatorOnly;
using engine_checks::TextOf;
using Calls = std::vector<std::string>;

namespace {

constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();

// The what() of the std::runtime_error that `operation` raises, or "" when
// it raises none.
template <typename Operation>
std::string RuntimeErrorOf(Operation operation) {
  try {
    operation();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "";
}

}  // namespace

using GrowthRule = TestbedTest;

TEST_F(GrowthRule, FirstBlockForUpToFourElementsHoldsFour) {
  EXPECT_EQ(4, GrownCapacity(0, 1));
  EXPECT_EQ(4, GrownCapacity(0, 4));
}

TEST_F(GrowthRule, AddsThreeEighthsAndSixteen) {
  EXPECT_EQ(22, GrownCapacity(0, 5));
  EXPECT_EQ(31, GrownCapacity(0, 11));
  EXPECT_EQ(22, GrownCapacity(4, 5));
  EXPECT_EQ(47, GrownCapacity(22, 23));
}

TEST_F(GrowthRule, SmallCountOverAnExistingBlockIsNotRoundedToFour) {
  EXPECT_EQ(18, GrownCapacity(1, 2));
  EXPECT_EQ(20, GrownCapacity(2, 3));
}

TEST_F(GrowthRule, LargestCountWhoseTripleFitsGrowsNormally) {
  EXPECT_EQ(984263353, GrownCapacity(0, 715827882));
}

TEST_F(GrowthRule, TripleWrappingNegativeGivesLargest) {
  EXPECT_EQ(kLargest, GrownCapacity(0, 715827883));
  EXPECT_EQ(kLargest, GrownCapacity(0, 1200000000));
}

// Past 1,431,655,765 the wrapped triple is small and positive again, so the
// 32-bit sum stays above the count and is taken as it is.
TEST_F(GrowthRule, TripleWrappingPastZeroGivesTheWrappedSum) {
  EXPECT_EQ(1431655782, GrownCapacity(0, 1431655766));
  EXPECT_EQ(1663129104, GrownCapacity(0, 1600000000));
}

TEST_F(GrowthRule, SumOverflowingGivesLargest) {
  EXPECT_EQ(kLargest, GrownCapacity(0, 2000000000));
  EXPECT_EQ(kLargest, GrownCapacity(0, kLargest));
  EXPECT_EQ(kLargest, GrownCapacity(kLargest - 1, kLargest));
}

using StringFromNarrow = TestbedTest;

TEST_F(StringFromNarrow, NullAndEmptyTextGiveNoStorageAndNoCall) {
  const std::size_t mark = MarkCalls();
  EXPECT_EQ("{null, 0, 0}", ShapeOf(FromNarrow(nullptr)));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(FromNarrow("")));
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringFromNarrow, ThreeCharactersTakeTheFirstBlockOfFour) {
  const std::size_t mark = MarkCalls();
  const FString s = FromNarrow("abc");
  EXPECT_EQ("{block, 4, 4}", ShapeOf(s));
  EXPECT_EQ(ENGINE_TEXT("abc"), TextOf(s));
  EXPECT_EQ(Calls{Malloc(8)}, CallsSince(mark));
}

TEST_F(StringFromNarrow, LongerTextsGrowByTheRuleFromNothing) {
  const std::size_t mark = MarkCalls();
  const FString four = FromNarrow("abcd");
  const FString ten = FromNarrow("abcdefghij");
  EXPECT_EQ("{block, 5, 22}", ShapeOf(four));
  EXPECT_EQ("{block, 11, 31}", ShapeOf(ten));
  EXPECT_EQ(ENGINE_TEXT("abcdefghij"), TextOf(ten));
  EXPECT_EQ((Calls{Malloc(44), Malloc(62)}), CallsSince(mark));
}

TEST_F(StringFromNarrow, WritesTheTerminator) {
  const FString s = FromNarrow("ab");
  EXPECT_EQ(0, s.data[2]);
}

TEST_F(StringFromNarrow, EveryByteFromHexEightyBecomesQuestionMark) {
  EXPECT_EQ(ENGINE_TEXT("??"), TextOf(FromNarrow("\xC3\xA9")));
  EXPECT_EQ(ENGINE_TEXT("\x7F??"), TextOf(FromNarrow("\x7F\x80\xFF")));
}

// A text of 2^31 - 1 bytes or more has no 32-bit count with its terminator.
// The lengths are stated rather than measured, so the few bytes behind them
// are never read.
TEST_F(StringFromNarrow, LengthPastA32BitCountIsRefusedBeforeAnyCall) {
  const std::size_t mark = MarkCalls();
  // 2^31 - 1 bytes: the count would come out negative.
  EXPECT_THROW(FromNarrowBytes("abc", std::size_t{kLargest}), std::length_error);
  // 2^32 + 2 bytes: the count would wrap to 3 and the block be overrun.
  EXPECT_THROW(FromNarrowBytes("abc", (std::size_t{1} << 32) + 2), std::length_error);
  // The same for a wide text of those lengths.
  EXPECT_THROW(FromUnits(ENGINE_TEXT("abc"), std::size_t{kLargest}), std::length_error);
  EXPECT_THROW(FromUnits(ENGINE_TEXT("abc"), (std::size_t{1} << 32) + 2), std::length_error);
  EXPECT_EQ(Calls{}, CallsSince(mark));
  // One byte fewer fits: the allocator is asked for the whole block (and
  // refuses it here).
  testbed::FailAllocation(1);
  EXPECT_THROW(FromNarrowBytes("abc", std::size_t{kLargest} - 1), std::bad_alloc);
  EXPECT_EQ(Calls{Malloc(std::size_t{2} * kLargest)}, CallsSince(mark));
}

using StringFromWide = TestbedTest;

TEST_F(StringFromWide, NullAndEmptyTextGiveNoStorageAndNoCall) {
  const std::size_t mark = MarkCalls();
  EXPECT_EQ("{null, 0, 0}", ShapeOf(FromWide(nullptr)));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(FromWide(ENGINE_TEXT(""))));
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringFromWide, CopiesEveryUnitAndTheTerminator) {
  const EngineUnit text[] = {u'a', 0x00E9, 0x4E00, 0xD800, u'b', 0};
  const std::size_t mark = MarkCalls();
  const FString s = FromWide(text);
  EXPECT_EQ("{block, 6, 24}", ShapeOf(s));
  EXPECT_EQ(EngineText(text, 5), TextOf(s));
  EXPECT_EQ(0, s.data[5]);
  EXPECT_EQ(Calls{Malloc(48)}, CallsSince(mark));
}

using StringFromCounted = TestbedTest;

TEST_F(StringFromCounted, ZeroUnitsGiveNoStorageAndNoCall) {
  const std::size_t mark = MarkCalls();
  EXPECT_EQ("{null, 0, 0}", ShapeOf(FromCounted(0, ENGINE_TEXT("abc"))));
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringFromCounted, TakesTheFirstUnitsOfALongerText) {
  const std::size_t mark = MarkCalls();
  const FString s = FromCounted(3, ENGINE_TEXT("abcdef"));
  EXPECT_EQ("{block, 4, 4}", ShapeOf(s));
  EXPECT_EQ(ENGINE_TEXT("abc"), TextOf(s));
  EXPECT_EQ(0, s.data[3]);
  EXPECT_EQ(Calls{Malloc(8)}, CallsSince(mark));
}

TEST_F(StringFromCounted, StopsCopyingAtAZeroUnitButKeepsTheCount) {
  const EngineUnit text[] = {u'a', u'b', 0, u'c', u'd', 0};
  const std::size_t mark = MarkCalls();
  const FString s = FromCounted(5, text);
  EXPECT_EQ("{block, 6, 24}", ShapeOf(s));
  EXPECT_EQ(EngineText(text, 3), EngineText(s.data, 3));
  EXPECT_EQ(Calls{Malloc(48)}, CallsSince(mark));
}

// The scan for a zero unit reads several units at a time: a zero at any
// place of a longer text, before, inside and after whole groups, ends the copy.
TEST_F(StringFromCounted, ZeroUnitAnywhereInALongTextEndsTheCopy) {
  const EngineText letters(ENGINE_TEXT("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN"));
  for (std::size_t zero_at = 0; zero_at < letters.size(); ++zero_at) {
    SCOPED_TRACE(zero_at);
    EngineText text = letters;
    text[zero_at] = 0;
    const auto n = static_cast<std::int32_t>(text.size());
    const FString s = FromCounted(n, text.data());
    EXPECT_EQ(n + 1, s.count);
    EXPECT_EQ(letters.substr(0, zero_at), EngineText(s.data));
  }
}

TEST_F(StringFromCounted, TextWithoutZeroIsCopiedWholeAtEveryLength) {
  const EngineText letters(ENGINE_TEXT("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN"));
  for (std::size_t n = 1; n <= letters.size(); ++n) {
    SCOPED_TRACE(n);
    const FString s = FromCounted(static_cast<std::int32_t>(n), letters.data());
    EXPECT_EQ(letters.substr(0, n), TextOf(s));
    EXPECT_EQ(0, s.data[n]);
  }
}

TEST_F(StringFromCounted, CountBeyondTheLargestIsRefusedBeforeAnyCall) {
  const std::size_t mark = MarkCalls();
  // The largest n leaves no count for the terminator; the units are never read.
  EXPECT_THROW(FromCounted(kLargest, ENGINE_TEXT("abc")), std::length_error);
  EXPECT_EQ(Calls{}, CallsSince(mark));
  // One unit fewer fits: the allocator is asked for the whole block (and
  // refuses it here).
  testbed::FailAllocation(1);
  EXPECT_THROW(FromCounted(kLargest - 1, ENGINE_TEXT("abc")), std::bad_alloc);
  EXPECT_EQ(Calls{Malloc(std::size_t{2} * kLargest)}, CallsSince(mark));
}

using StringFromLiteral = TestbedTest;

// The naming routines make their fixed pieces from literals: the same string
// and the same call as FromNarrow makes of the same text.
TEST_F(StringFromLiteral, MakesWhatFromNarrowMakesWithTheSameCall) {
  std::size_t mark = MarkCalls();
  const FString narrow = FromNarrow("blueprint'");
  const Calls narrow_calls = CallsSince(mark);
  mark = MarkCalls();
  const FString literal = FromLiteral(ENGINE_TEXT("blueprint'"));
  EXPECT_EQ(narrow_calls, CallsSince(mark));
  EXPECT_EQ(Calls{Malloc(62)}, narrow_calls);
  EXPECT_EQ(ShapeOf(narrow), ShapeOf(literal));
  EXPECT_EQ(TextOf(narrow), TextOf(literal));
  EXPECT_EQ(0, literal.data[Length(literal)]);
  EXPECT_EQ("{block, 3, 4}", ShapeOf(FromLiteral(ENGINE_TEXT("_C"))));
  EXPECT_EQ("{block, 2, 4}", ShapeOf(FromLiteral(ENGINE_TEXT("'"))));
}

TEST_F(StringFromLiteral, UnitsOfAGivenLengthNoneMeansNoStorage) {
  const std::size_t mark = MarkCalls();
  EXPECT_EQ("{null, 0, 0}", ShapeOf(FromUnits(ENGINE_TEXT("abc"), 0)));
  EXPECT_EQ(Calls{}, CallsSince(mark));
  EXPECT_EQ(ENGINE_TEXT("ab"), TextOf(FromUnits(ENGINE_TEXT("abc"), 2)));
}

using StringAppendText = TestbedTest;

TEST_F(StringAppendText, NothingAppendedChangesNothing) {
  FString empty;
  FString ab = FromNarrow("ab");
  const EngineUnit* block = ab.data;
  const std::size_t mark = MarkCalls();
  AppendText(empty, ENGINE_TEXT("xyz"), 0);
  AppendText(ab, ENGINE_TEXT("xyz"), 0);
  EXPECT_EQ("{null, 0, 0}", ShapeOf(empty));
  EXPECT_EQ("{block, 3, 4}", ShapeOf(ab));
  EXPECT_EQ(block, ab.data);
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringAppendText, OntoNothingAddsRoomForTheTerminator) {
  FString s;
  const std::size_t mark = MarkCalls();
  AppendText(s, ENGINE_TEXT("abc"), 3);
  EXPECT_EQ("{block, 4, 4}", ShapeOf(s));
  EXPECT_EQ(ENGINE_TEXT("abc"), TextOf(s));
  EXPECT_EQ(0, s.data[3]);
  EXPECT_EQ(Calls{Malloc(8)}, CallsSince(mark));
}

TEST_F(StringAppendText, WithinCapacityWritesOverTheTerminatorWithoutACall) {
  FString s = FromNarrow("ab");
  const EngineUnit* block = s.data;
  const std::size_t mark = MarkCalls();
  AppendText(s, ENGINE_TEXT("c"), 1);
  EXPECT_EQ("{block, 4, 4}", ShapeOf(s));
  EXPECT_EQ(block, s.data);
  EXPECT_EQ(ENGINE_TEXT("abc"), TextOf(s));
  EXPECT_EQ(0, s.data[3]);
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringAppendText, PastCapacityReallocatesByTheGrowthRule) {
  FString s = FromNarrow("ab");
  const std::size_t mark = MarkCalls();
  AppendText(s, ENGINE_TEXT("cde"), 3);
  EXPECT_EQ("{block, 6, 24}", ShapeOf(s));
  EXPECT_EQ(ENGINE_TEXT("abcde"), TextOf(s));
  EXPECT_EQ(Calls{Realloc(48)}, CallsSince(mark));
}

TEST_F(StringAppendText, OntoATerminatorOnlyStringWritesFromTheStart) {
  FString s = TerminatorOnly(2);
  const std::size_t mark = MarkCalls();
  AppendText(s, ENGINE_TEXT("xy"), 2);
  EXPECT_EQ("{block, 3, 20}", ShapeOf(s));
  EXPECT_EQ(ENGINE_TEXT("xy"), TextOf(s));
  EXPECT_EQ(Calls{Realloc(40)}, CallsSince(mark));
}

TEST_F(StringAppendText, CopiesZeroUnitsAmongTheCountedUnits) {
  const EngineText units(ENGINE_TEXT("a\0b"), 3);
  const FString s = StringOfUnits(units);
  EXPECT_EQ("{block, 4, 4}", ShapeOf(s));
  EXPECT_EQ(units, TextOf(s));
}

using StringCopyOf = TestbedTest;

TEST_F(StringCopyOf, NoStorageGivesNoStorageAndNoCall) {
  const FString empty;
  const std::size_t mark = MarkCalls();
  EXPECT_EQ("{null, 0, 0}", ShapeOf(CopyOf(empty)));
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringCopyOf, CapacityIsExactlyTheCount) {
  const FString source = FromNarrow("abcd");
  const std::size_t mark = MarkCalls();
  const FString copy = CopyOf(source);
  EXPECT_EQ("{block, 5, 5}", ShapeOf(copy));
  EXPECT_NE(source.data, copy.data);
  EXPECT_EQ(ENGINE_TEXT("abcd"), TextOf(copy));
  EXPECT_EQ(0, copy.data[4]);
  EXPECT_EQ(Calls{Malloc(10)}, CallsSince(mark));
}

TEST_F(StringCopyOf, TerminatorOnlyStringCopiesItsOneUnit) {
  const FString source = TerminatorOnly(4);
  const std::size_t mark = MarkCalls();
  const FString copy = CopyOf(source);
  EXPECT_EQ("{block, 1, 1}", ShapeOf(copy));
  EXPECT_EQ(0, copy.data[0]);
  EXPECT_EQ(Calls{Malloc(2)}, CallsSince(mark));
}

TEST_F(StringCopyOf, CopiesZeroUnitsInsideTheText) {
  const EngineText units(ENGINE_TEXT("a\0b"), 3);
  const FString copy = CopyOf(StringOfUnits(units));
  EXPECT_EQ(units, TextOf(copy));
  EXPECT_EQ(0, copy.data[3]);
}

using StringReading = TestbedTest;

TEST_F(StringReading, NoStorageReadsAsEmptyText) {
  const FString empty;
  EXPECT_EQ(0, Length(empty));
  ASSERT_NE(nullptr, TextPointer(empty));
  EXPECT_EQ(0, TextPointer(empty)[0]);
}

TEST_F(StringReading, TerminatorOnlyReadsAsEmptyTextFromItsBlock) {
  const FString s = TerminatorOnly(4);
  EXPECT_EQ(0, Length(s));
  EXPECT_EQ(s.data, TextPointer(s));
}

TEST_F(StringReading, LengthLeavesOutTheTerminator) {
  const FString s = FromNarrow("abc");
  EXPECT_EQ(3, Length(s));
  EXPECT_EQ(s.data, TextPointer(s));
}

using StringToNarrow = TestbedTest;

TEST_F(StringToNarrow, NoStorageAndTerminatorOnlyGiveEmptyText) {
  EXPECT_EQ("", ToNarrow(FString()));
  EXPECT_EQ("", ToNarrow(TerminatorOnly(4)));
}

TEST_F(StringToNarrow, UnitsUpToHexFFKeepTheirValueOthersBecomeQuestionMark) {
  const EngineUnit text[] = {u'h', 0x00E9, 0x00FF, 0x0100, 0x4E00, 0xD800, 0};
  EXPECT_EQ("h\xE9\xFF???", ToNarrow(FromWide(text)));
}

// Narrowing takes several units at a time when none is above U+00FF: a
// unit that is, at any place of a longer text, still becomes "?" alone, and
// U+0100 is not taken for U+00FF.
TEST_F(StringToNarrow, UnitAboveLatinOneAnywhereInALongTextBecomesQuestionMark) {
  const EngineText letters(ENGINE_TEXT("abcdefghijklmnopqrstuvwxyz\u00E0\u00E9\u00FFABCDEFGHIJKL"));
  const std::string narrow_letters =
      "abcdefghijklmnopqrstuvwxyz\xE0\xE9\xFF"
      "ABCDEFGHIJKL";
  for (const EngineUnit wide : {EngineUnit{0x0100}, EngineUnit{0x4E00}, EngineUnit{0xFFFF}}) {
    for (std::size_t at = 0; at < letters.size(); ++at) {
      SCOPED_TRACE(at);
      EngineText text = letters;
      text[at] = wide;
      std::string expected = narrow_letters;
      expected[at] = '?';
      EXPECT_EQ(expected, ToNarrow(StringOfUnits(text)));
    }
  }
}

TEST_F(StringToNarrow, EveryLengthOfALongTextIsNarrowedWhole) {
  const EngineText letters(ENGINE_TEXT("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN"));
  const std::string narrow_letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN";
  for (std::size_t n = 1; n <= letters.size(); ++n) {
    EXPECT_EQ(narrow_letters.substr(0, n), ToNarrow(StringOfUnits(letters.substr(0, n))));
  }
}

TEST_F(StringToNarrow, NarrowingIntoAStringReplacesWhatItHeld) {
  std::string out = "a longer text than the next one";
  NarrowInto(FromNarrow("abc"), out);
  EXPECT_EQ("abc", out);
  NarrowInto(FString(), out);
  EXPECT_EQ("", out);
  NarrowInto(FromNarrow("blueprint'/Game/Longer.Longer'"), out);
  EXPECT_EQ("blueprint'/Game/Longer.Longer'", out);
}

TEST_F(StringToNarrow, KeepsZeroUnitsInsideTheText) {
  EXPECT_EQ(std::string("a\0b", 3), ToNarrow(StringOfUnits(EngineText(ENGINE_TEXT("a\0b"), 3))));
}

using StringRelease = TestbedTest;

TEST_F(StringRelease, FreesTheBlockAndLeavesNoStorage) {
  FString s = FromNarrow("abc");
  const void* block = s.data;
  const std::size_t mark = MarkCalls();
  Release(s);
  EXPECT_EQ("{null, 0, 0}", ShapeOf(s));
  ASSERT_EQ(Calls{"Free"}, CallsSince(mark));
  EXPECT_EQ(block, testbed::AllocatorCalls()[mark].block_in);
}

TEST_F(StringRelease, NoStorageMakesNoCall) {
  FString s;
  const std::size_t mark = MarkCalls();
  Release(s);
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

using StringAllocatorFailure = TestbedTest;

TEST_F(StringAllocatorFailure, NewStringRaisesBadAllocAndHoldsNothing) {
  testbed::FailAllocation(1);
  EXPECT_THROW(FromNarrow("abc"), std::bad_alloc);
  testbed::FailAllocation(1);
  EXPECT_THROW(FromWide(ENGINE_TEXT("abc")), std::bad_alloc);
  testbed::FailAllocation(1);
  EXPECT_THROW(FromCounted(2, ENGINE_TEXT("abc")), std::bad_alloc);
  EXPECT_EQ(0u, testbed::LiveBlockCount());
}

TEST_F(StringAllocatorFailure, FailedGrowthLeavesTheStringAsItWas) {
  FString s = FromNarrow("ab");
  const EngineUnit* block = s.data;
  testbed::FailAllocation(1);
  EXPECT_THROW(AppendText(s, ENGINE_TEXT("cde"), 3), std::bad_alloc);
  EXPECT_EQ("{block, 3, 4}", ShapeOf(s));
  EXPECT_EQ(block, s.data);
  EXPECT_EQ(ENGINE_TEXT("ab"), TextOf(s));
  EXPECT_EQ(1u, testbed::LiveBlockCount());
}

TEST_F(StringAllocatorFailure, FailedFirstAppendLeavesNoStorage) {
  FString s;
  testbed::FailAllocation(1);
  EXPECT_THROW(AppendText(s, ENGINE_TEXT("abc"), 3), std::bad_alloc);
  EXPECT_EQ("{null, 0, 0}", ShapeOf(s));
}

TEST_F(StringAllocatorFailure, FailedCopyLeavesTheSourceAsItWas) {
  const FString source = FromNarrow("abcd");
  testbed::FailAllocation(1);
  EXPECT_THROW(CopyOf(source), std::bad_alloc);
  EXPECT_EQ("{block, 5, 22}", ShapeOf(source));
  EXPECT_EQ(ENGINE_TEXT("abcd"), TextOf(source));
  EXPECT_EQ(1u, testbed::LiveBlockCount());
}

TEST_F(StringAllocatorFailure, UnknownMallocRaisesRuntimeErrorNamingIt) {
  ASSERT_TRUE(testbed::RemoveNative("FMemory.Malloc"));
  const std::size_t mark = MarkCalls();
  const std::string what = RuntimeErrorOf([] { FromNarrow("abc"); });
  EXPECT_NE(std::string::npos, what.find("FMemory.Malloc")) << what;
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringAllocatorFailure, UnknownReallocRaisesRuntimeErrorNamingItAndKeepsTheString) {
  FString s = FromNarrow("ab");
  const EngineUnit* block = s.data;
  ASSERT_TRUE(testbed::RemoveNative("FMemory.Realloc"));
  const std::string what = RuntimeErrorOf([&s] { AppendText(s, ENGINE_TEXT("cde"), 3); });
  EXPECT_NE(std::string::npos, what.find("FMemory.Realloc")) << what;
  EXPECT_EQ("{block, 3, 4}", ShapeOf(s));
  EXPECT_EQ(block, s.data);
}

using EngineArrayLimit = TestbedTest;

TEST_F(EngineArrayLimit, FullArrayRefusesToGrowAndKeepsItsElements) {
  FString s = FromNarrow("abc");
  const EngineUnit* block = s.data;
  // Only the fields claim the largest count: a refused growth touches
  // nothing past the block's four units.
  s.count = kLargest;
  s.capacity = kLargest;
  const std::size_t mark = MarkCalls();
  EXPECT_THROW(s.Append(EngineUnit{'x'}), std::length_error);
  EXPECT_THROW(AppendText(s, ENGINE_TEXT("x"), 1), std::length_error);
  EXPECT_THROW(s.Reserve(std::int64_t{kLargest} + 1), std::length_error);
  EXPECT_EQ("{block, 2147483647, 2147483647}", ShapeOf(s));
  EXPECT_EQ(block, s.data);
  // Room for the largest count itself is there already.
  EXPECT_NO_THROW(s.Reserve(kLargest));
  EXPECT_EQ(Calls{}, CallsSince(mark));
  s.count = 4;
  s.capacity = 4;
  EXPECT_EQ(ENGINE_TEXT("abc"), TextOf(s));
}

TEST_F(EngineArrayLimit, GrowingToTheLargestCountAsksForItAndOneMoreIsRefused) {
  FString s = FromNarrow("abc");
  const EngineUnit* block = s.data;
  const std::size_t mark = MarkCalls();
  // Count 4 plus kLargest - 4 units is the largest count: the allocator is
  // asked for a block of that many units (and refuses it here). The units
  // appended are never read, as no block holds them.
  testbed::FailAllocation(1);
  EXPECT_THROW(AppendText(s, ENGINE_TEXT("d"), kLargest - 4), std::bad_alloc);
  // One unit more is refused before the allocator is asked.
  EXPECT_THROW(AppendText(s, ENGINE_TEXT("d"), kLargest - 3), std::length_error);
  EXPECT_EQ(Calls{Realloc(std::size_t{2} * kLargest)}, CallsSince(mark));
  EXPECT_EQ("{block, 4, 4}", ShapeOf(s));
  EXPECT_EQ(block, s.data);
  EXPECT_EQ(ENGINE_TEXT("abc"), TextOf(s));
}

using EngineArrayOwnership = TestbedTest;

TEST_F(EngineArrayOwnership, MoveLeavesTheSourceWithoutStorage) {
  FString source = FromNarrow("abc");
  const EngineUnit* block = source.data;
  const std::size_t mark = MarkCalls();
  const FString moved(std::move(source));
  // The moved-from string's state is what this test checks.
  // NOLINTNEXTLINE(bugprone-use-after-move)
  EXPECT_EQ("{null, 0, 0}", ShapeOf(source));
  EXPECT_EQ("{block, 4, 4}", ShapeOf(moved));
  EXPECT_EQ(block, moved.data);
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(EngineArrayOwnership, MoveAssignFreesTheDestinationsBlockFirst) {
  FString destination = FromNarrow("old");
  FString source = FromNarrow("newer");
  const void* old_block = destination.data;
  const EngineUnit* new_block = source.data;
  const std::size_t mark = MarkCalls();
  destination = std::move(source);
  ASSERT_EQ(Calls{"Free"}, CallsSince(mark));
  EXPECT_EQ(old_block, testbed::AllocatorCalls()[mark].block_in);
  EXPECT_EQ(new_block, destination.data);
  EXPECT_EQ("{block, 6, 24}", ShapeOf(destination));
  // The moved-from string's state is checked on purpose.
  // NOLINTNEXTLINE(bugprone-use-after-move)
  EXPECT_EQ("{null, 0, 0}", ShapeOf(source));
}

TEST_F(EngineArrayOwnership, MoveAssignOntoNoStorageMakesNoCall) {
  FString destination;
  FString source = FromNarrow("abc");
  const std::size_t mark = MarkCalls();
  destination = std::move(source);
  EXPECT_EQ(Calls{}, CallsSince(mark));
  EXPECT_EQ(ENGINE_TEXT("abc"), TextOf(destination));
}

TEST_F(EngineArrayOwnership, ArrayOfStringsGrowsInSixteenByteElements) {
  EngineArray<FString> strings;
  const std::size_t mark = MarkCalls();
  for (int i = 0; i < 5; ++i) {
    strings.Append(FString());
  }
  EXPECT_EQ(5, strings.count);
  EXPECT_EQ(22, strings.capacity);
  EXPECT_EQ((Calls{Malloc(64), Realloc(352)}), CallsSince(mark));
}

TEST_F(EngineArrayOwnership, ReleasingStringsFreesElementsInIndexOrderThenTheBlock) {
  std::vector<const void*> expected;
  std::size_t mark = 0;
  {
    EngineArray<FString> strings;
    strings.Append(FromNarrow("first"));
    strings.Append(FString());
    strings.Append(FromNarrow("third"));
    strings.Append(FromNarrow("fourth"));
    expected = {strings.data[0].data, strings.data[2].data, strings.data[3].data, strings.data};
    mark = MarkCalls();
  }
  std::vector<const void*> freed;
  for (std::size_t i = mark; i < testbed::AllocatorCalls().size(); ++i) {
    const testbed::AllocatorCall& call = testbed::AllocatorCalls()[i];
    EXPECT_EQ(testbed::AllocatorCallKind::kFree, call.kind);
    freed.push_back(call.block_in);
  }
  EXPECT_EQ(expected, freed);
}

}  // namespace dravelquin
