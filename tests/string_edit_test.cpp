// Joining, cutting, searching, splitting and replacing engine strings: the
// texts they give, who owns which block afterwards, and the allocator calls
// they make.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "engine/engine_array.h"
#include "engine/fstring.h"
#include "engine/string_edit.h"
#include "game/engine_allocator.h"
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

std::vector<EngineText> TextsOf(const EngineArray<FString>& pieces) {
  std::vector<EngineText> texts;
  texts.reserve(static_cast<std::size_t>(pieces.count));
  for (std::int32_t i = 0; i < pieces.count; ++i) {
    texts.push_back(TextOf(pieces.data[i]));
  }
  return texts;
}

// The pieces SplitOn gives for `text` on `delimiter`, into a fresh output.
std::vector<EngineText> Split(const EngineText& text, const EngineUnit* delimiter) {
  const FString s = StringOfUnits(text);
  EngineArray<FString> pieces;
  const std::int32_t returned = SplitOn(s, delimiter, pieces);
  EXPECT_EQ(pieces.count, returned);
  return TextsOf(pieces);
}

EngineText Replaced(const EngineText& text, const EngineUnit* from, const EngineUnit* to) {
  return TextOf(ReplaceAll(StringOfUnits(text), from, to));
}

// The block addresses that the Free calls recorded from `mark` on released,
// in order.
std::vector<const void*> FreedSince(std::size_t mark) {
  std::vector<const void*> freed;
  const auto& calls = testbed::AllocatorCalls();
  for (std::size_t i = mark; i < calls.size(); ++i) {
    if (calls[i].kind == testbed::AllocatorCallKind::kFree) {
      freed.push_back(calls[i].block_in);
    }
  }
  return freed;
}

// Forty units without a zero, letter case and digits mixed, long enough for
// the scans that read several units at a time to take whole groups and a rest.
const EngineText kLongText = ENGINE_TEXT("blueprint'/Game/PrimalEarth/Dinos/Kind07");

// `text` with every occurrence of `needle` taken out, left to right, as the
// standard library's search finds them.
EngineText WithoutEvery(EngineText text, const EngineText& needle) {
  for (std::size_t at = text.find(needle); at != EngineText::npos; at = text.find(needle, at)) {
    text.erase(at, needle.size());
  }
  return text;
}

}  // namespace

using StringConcat = TestbedTest;

TEST_F(StringConcat, LeftWithoutStorageTakesTheRightsStorage) {
  FString left;
  FString right = FromNarrow("cd");
  const EngineUnit* block = right.data;
  const std::size_t mark = MarkCalls();
  const FString joined = Concat(left, right);
  EXPECT_EQ(block, joined.data);
  EXPECT_EQ("{block, 3, 4}", ShapeOf(joined));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(right));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(left));
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringConcat, TerminatorOnlyLeftIsLeftAloneWhileTheRightIsTaken) {
  FString left = TerminatorOnly(4);
  const EngineUnit* left_block = left.data;
  FString right = FromNarrow("cd");
  const EngineUnit* right_block = right.data;
  const std::size_t mark = MarkCalls();
  const FString joined = Concat(left, right);
  EXPECT_EQ(right_block, joined.data);
  EXPECT_EQ(ENGINE_TEXT("cd"), TextOf(joined));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(right));
  EXPECT_EQ(left_block, left.data);
  EXPECT_EQ("{block, 1, 4}", ShapeOf(left));
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringConcat, LeftWithRoomKeepsItsBlockAndTheRightStays) {
  FString left = FromNarrow("ab");
  const EngineUnit* block = left.data;
  FString right = FromNarrow("c");
  const std::size_t mark = MarkCalls();
  const FString joined = Concat(left, right);
  EXPECT_EQ(block, joined.data);
  EXPECT_EQ("{block, 4, 4}", ShapeOf(joined));
  EXPECT_EQ(ENGINE_TEXT("abc"), TextOf(joined));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(left));
  EXPECT_EQ("{block, 2, 4}", ShapeOf(right));
  EXPECT_EQ(ENGINE_TEXT("c"), TextOf(right));
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringConcat, LeftTooSmallGrowsToExactlyTheCombinedCountInOneRealloc) {
  FString left = FromNarrow("ab");
  FString right = FromNarrow("cde");
  const std::size_t mark = MarkCalls();
  const FString joined = Concat(left, right);
  EXPECT_EQ("{block, 6, 6}", ShapeOf(joined));
  EXPECT_EQ(ENGINE_TEXT("abcde"), TextOf(joined));
  EXPECT_EQ(0, joined.data[5]);
  EXPECT_EQ(Calls{Realloc(12)}, CallsSince(mark));
}

TEST_F(StringConcat, RightWithoutTextLeavesTheLeftsText) {
  FString left = FromNarrow("ab");
  FString right;
  const std::size_t mark = MarkCalls();
  const FString joined = Concat(left, right);
  EXPECT_EQ("{block, 3, 4}", ShapeOf(joined));
  EXPECT_EQ(ENGINE_TEXT("ab"), TextOf(joined));
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringConcat, FailedGrowthLeavesBothOperandsAsTheyWere) {
  FString left = FromNarrow("ab");
  const EngineUnit* block = left.data;
  FString right = FromNarrow("cde");
  testbed::FailAllocation(1);
  EXPECT_THROW(Concat(left, right), std::bad_alloc);
  EXPECT_EQ(block, left.data);
  EXPECT_EQ("{block, 3, 4}", ShapeOf(left));
  EXPECT_EQ(ENGINE_TEXT("ab"), TextOf(left));
  EXPECT_EQ(ENGINE_TEXT("cde"), TextOf(right));
}

TEST_F(StringConcat, JoiningPastTheLargestCountIsRefusedAndLeavesBothOperands) {
  FString left = FromNarrow("ab");
  const EngineUnit* block = left.data;
  FString right = FromNarrow("cde");
  // Only the right operand's count claims its length: its units are never
  // read, since the join fails before copying.
  right.count = kLargest - 1;
  const std::size_t mark = MarkCalls();
  // Count 3 and kLargest - 2 more units: one past the largest count.
  EXPECT_THROW(Concat(left, right), std::length_error);
  EXPECT_EQ(Calls{}, CallsSince(mark));
  // One unit shorter joins to exactly the largest count: the left operand's
  // block is asked to hold it (and the allocator refuses here).
  right.count = kLargest - 2;
  testbed::FailAllocation(1);
  EXPECT_THROW(Concat(left, right), std::bad_alloc);
  EXPECT_EQ(Calls{Realloc(std::size_t{2} * kLargest)}, CallsSince(mark));
  EXPECT_EQ("{block, 3, 4}", ShapeOf(left));
  EXPECT_EQ(block, left.data);
  EXPECT_EQ(ENGINE_TEXT("ab"), TextOf(left));
  right.count = 4;
  EXPECT_EQ(ENGINE_TEXT("cde"), TextOf(right));
}

using StringSubstring = TestbedTest;

TEST_F(StringSubstring, TakesTheCountedUnitsFromTheStart) {
  const FString s = FromNarrow("abcdef");
  const std::size_t mark = MarkCalls();
  const FString part = Substring(s, 2, 3);
  EXPECT_EQ(ENGINE_TEXT("cde"), TextOf(part));
  EXPECT_EQ("{block, 4, 4}", ShapeOf(part));
  EXPECT_EQ(Calls{Malloc(8)}, CallsSince(mark));
}

TEST_F(StringSubstring, CountPastTheEndStopsAtTheEnd) {
  const FString s = FromNarrow("abcdef");
  EXPECT_EQ(ENGINE_TEXT("ef"), TextOf(Substring(s, 4, 100)));
  EXPECT_EQ(ENGINE_TEXT("def"), TextOf(Substring(s, 3, kLargest)));
}

TEST_F(StringSubstring, StartAtOrPastTheEndGivesNoStorageAndNoCall) {
  const FString s = FromNarrow("abcdef");
  const std::size_t mark = MarkCalls();
  EXPECT_EQ("{null, 0, 0}", ShapeOf(Substring(s, 6, 1)));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(Substring(s, 10, 2)));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(Substring(s, 0, 0)));
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringSubstring, NegativeStartCountsAsPastTheEnd) {
  const FString s = FromNarrow("abcdef");
  EXPECT_EQ("{null, 0, 0}", ShapeOf(Substring(s, -1, 3)));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(Substring(s, -10, 20)));
}

TEST_F(StringSubstring, NegativeCountEndingBeforeTheStartGivesNothing) {
  const FString s = FromNarrow("abcdef");
  EXPECT_EQ("{null, 0, 0}", ShapeOf(Substring(s, 2, -1)));
}

// start + count below zero is a huge unsigned end, clamped to the length.
TEST_F(StringSubstring, NegativeCountReachingBelowZeroRunsToTheEnd) {
  const FString s = FromNarrow("abcdef");
  EXPECT_EQ(ENGINE_TEXT("cdef"), TextOf(Substring(s, 2, -3)));
}

TEST_F(StringSubstring, SourceWithoutStorageGivesNothing) {
  EXPECT_EQ("{null, 0, 0}", ShapeOf(Substring(FString(), 0, 5)));
}

TEST_F(StringSubstring, ZeroUnitInsideEndsTheCopyButNotTheCount) {
  const FString s = StringOfUnits(EngineText(ENGINE_TEXT("ab\0cd"), 5));
  const FString part = Substring(s, 1, 3);
  EXPECT_EQ("{block, 4, 4}", ShapeOf(part));
  EXPECT_EQ(EngineText(ENGINE_TEXT("b\0"), 2), EngineText(part.data, 2));
}

using StringHasSuffix = TestbedTest;

TEST_F(StringHasSuffix, EndingInTheSuffixMatches) {
  EXPECT_TRUE(HasSuffix(FromNarrow("Bird_C"), FromNarrow("_C")));
  EXPECT_TRUE(HasSuffix(FromNarrow("_C"), FromNarrow("_C")));
}

TEST_F(StringHasSuffix, LetterCaseCounts) {
  EXPECT_FALSE(HasSuffix(FromNarrow("Bird_c"), FromNarrow("_C")));
  EXPECT_FALSE(HasSuffix(FromNarrow("Bird_C"), FromNarrow("_c")));
}

TEST_F(StringHasSuffix, SuffixElsewhereDoesNotMatch) {
  EXPECT_FALSE(HasSuffix(FromNarrow("Bird_CX"), FromNarrow("_C")));
  EXPECT_FALSE(HasSuffix(FromNarrow("C"), FromNarrow("_C")));
}

TEST_F(StringHasSuffix, EmptyStringHasNoSuffix) {
  EXPECT_FALSE(HasSuffix(FString(), FromNarrow("_C")));
  EXPECT_FALSE(HasSuffix(TerminatorOnly(4), FromNarrow("_C")));
}

TEST_F(StringHasSuffix, EmptySuffixNeverMatches) {
  EXPECT_FALSE(HasSuffix(FromNarrow("abc"), FString()));
  EXPECT_FALSE(HasSuffix(FromNarrow("abc"), TerminatorOnly(4)));
  EXPECT_FALSE(HasSuffix(FString(), FString()));
}

using StringIndexOfChar = TestbedTest;

TEST_F(StringIndexOfChar, GivesTheFirstMatchingIndex) {
  EXPECT_EQ(1, IndexOfChar(FromNarrow("a b c"), EngineUnit{' '}));
}

TEST_F(StringIndexOfChar, MissingUnitGivesMinusOne) {
  EXPECT_EQ(-1, IndexOfChar(FromNarrow("a\tb"), EngineUnit{' '}));
  EXPECT_EQ(-1, IndexOfChar(FString(), EngineUnit{0}));
}

TEST_F(StringIndexOfChar, LooksAtTheTerminatorAndPastZeroUnitsInside) {
  EXPECT_EQ(2, IndexOfChar(FromNarrow("ab"), EngineUnit{0}));
  EXPECT_EQ(2, IndexOfChar(StringOfUnits(EngineText(ENGINE_TEXT("a\0 b"), 4)), EngineUnit{' '}));
}

TEST_F(StringIndexOfChar, FindsTheUnitAtEveryPlaceOfALongText) {
  for (std::size_t at = 0; at < kLongText.size(); ++at) {
    EngineText text = kLongText;
    text[at] = u' ';
    EXPECT_EQ(static_cast<std::int32_t>(at), IndexOfChar(StringOfUnits(text), EngineUnit{' '}));
  }
  EXPECT_EQ(-1, IndexOfChar(StringOfUnits(kLongText), EngineUnit{' '}));
}

TEST_F(StringIndexOfChar, DoesNotLookPastTheCount) {
  FString s = FromNarrow("ab");
  ASSERT_EQ(4, s.capacity);
  s.data[3] = ' ';
  EXPECT_EQ(-1, IndexOfChar(s, EngineUnit{' '}));
}

using StringSplitOn = TestbedTest;

TEST_F(StringSplitOn, EmptyPiecesAreDropped) {
  EXPECT_EQ((std::vector<EngineText>{ENGINE_TEXT("a"), ENGINE_TEXT("b")}),
            Split(ENGINE_TEXT("a--b-"), ENGINE_TEXT("-")));
  EXPECT_EQ((std::vector<EngineText>{ENGINE_TEXT("ab"), ENGINE_TEXT("cd")}),
            Split(ENGINE_TEXT("-ab-cd"), ENGINE_TEXT("-")));
}

TEST_F(StringSplitOn, OnlyDelimitersGiveNoPieceAndNoCall) {
  const FString one = FromNarrow("-");
  const FString three = FromNarrow("---");
  EngineArray<FString> pieces;
  const std::size_t mark = MarkCalls();
  EXPECT_EQ(0, SplitOn(one, ENGINE_TEXT("-"), pieces));
  EXPECT_EQ(0, SplitOn(three, ENGINE_TEXT("-"), pieces));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(pieces));
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringSplitOn, TextWithoutTheDelimiterIsOnePiece) {
  EXPECT_EQ(std::vector<EngineText>{ENGINE_TEXT("abc")},
            Split(ENGINE_TEXT("abc"), ENGINE_TEXT("-")));
}

TEST_F(StringSplitOn, PiecesAndOutputAreAllocatedByTheGrowthRule) {
  const FString s = FromNarrow("a--b-");
  EngineArray<FString> pieces;
  const std::size_t mark = MarkCalls();
  SplitOn(s, ENGINE_TEXT("-"), pieces);
  ASSERT_EQ(2, pieces.count);
  EXPECT_EQ(4, pieces.capacity);
  EXPECT_EQ("{block, 2, 4}", ShapeOf(pieces.data[0]));
  EXPECT_EQ("{block, 2, 4}", ShapeOf(pieces.data[1]));
  EXPECT_EQ((Calls{Malloc(8), Malloc(64), Malloc(8)}), CallsSince(mark));
}

TEST_F(StringSplitOn, FifthPieceGrowsTheOutputBySixteenByteElements) {
  const FString s = FromNarrow("a-b-c-d-e");
  EngineArray<FString> pieces;
  const std::size_t mark = MarkCalls();
  EXPECT_EQ(5, SplitOn(s, ENGINE_TEXT("-"), pieces));
  EXPECT_EQ(22, pieces.capacity);
  EXPECT_EQ(
      (Calls{Malloc(8), Malloc(64), Malloc(8), Malloc(8), Malloc(8), Malloc(8), Realloc(352)}),
      CallsSince(mark));
}

TEST_F(StringSplitOn, LongerDelimiterOccurrencesDoNotOverlap) {
  EXPECT_EQ((std::vector<EngineText>{ENGINE_TEXT("a"), ENGINE_TEXT("-b")}),
            Split(ENGINE_TEXT("a---b"), ENGINE_TEXT("--")));
}

TEST_F(StringSplitOn, DelimiterMatchIsCaseSensitive) {
  EXPECT_EQ((std::vector<EngineText>{ENGINE_TEXT("aXb"), ENGINE_TEXT("c")}),
            Split(ENGINE_TEXT("aXbxc"), ENGINE_TEXT("x")));
}

TEST_F(StringSplitOn, ZeroUnitInsideEndsTheText) {
  EXPECT_EQ((std::vector<EngineText>{ENGINE_TEXT("a"), ENGINE_TEXT("b")}),
            Split(EngineText(ENGINE_TEXT("a-b\0-c"), 6), ENGINE_TEXT("-")));
}

TEST_F(StringSplitOn, DelimiterAtEveryPlaceOfALongTextSplitsThere) {
  for (std::size_t at = 0; at < kLongText.size(); ++at) {
    SCOPED_TRACE(at);
    EngineText text = kLongText;
    text[at] = u'-';
    std::vector<EngineText> expected;
    for (const EngineText& piece : {text.substr(0, at), text.substr(at + 1)}) {
      if (!piece.empty()) {
        expected.push_back(piece);
      }
    }
    EXPECT_EQ(expected, Split(text, ENGINE_TEXT("-")));
  }
}

TEST_F(StringSplitOn, EarlierElementsAreReleasedInOrderAndTheBlockKept) {
  EngineArray<FString> pieces;
  pieces.Append(FromNarrow("old1"));
  pieces.Append(FString());
  pieces.Append(FromNarrow("old2"));
  const FString* block = pieces.data;
  const std::vector<const void*> old_elements = {pieces.data[0].data, pieces.data[2].data};
  const FString s = FromNarrow("x-y");
  const std::size_t mark = MarkCalls();
  EXPECT_EQ(2, SplitOn(s, ENGINE_TEXT("-"), pieces));
  EXPECT_EQ(old_elements, FreedSince(mark));
  EXPECT_EQ(block, pieces.data);
  EXPECT_EQ(4, pieces.capacity);
  EXPECT_EQ((std::vector<EngineText>{ENGINE_TEXT("x"), ENGINE_TEXT("y")}), TextsOf(pieces));
}

TEST_F(StringSplitOn, EmptySourceEmptiesTheOutputAndGivesZero) {
  EngineArray<FString> pieces;
  pieces.Append(FromNarrow("old"));
  const FString* block = pieces.data;
  EXPECT_EQ(0, SplitOn(FString(), ENGINE_TEXT("-"), pieces));
  EXPECT_EQ(0, pieces.count);
  pieces.Append(FromNarrow("old"));
  EXPECT_EQ(0, SplitOn(TerminatorOnly(4), ENGINE_TEXT("-"), pieces));
  EXPECT_EQ(0, pieces.count);
  EXPECT_EQ(block, pieces.data);
  EXPECT_EQ(4, pieces.capacity);
}

TEST_F(StringSplitOn, FailedAllocationAtAnyPointLeaksNothing) {
  const FString s = FromNarrow("ab-cd-ef-gh-ij");
  bool completed = false;
  for (std::size_t nth = 1; !completed; ++nth) {
    SCOPED_TRACE("allocation " + std::to_string(nth) + " fails");
    {
      EngineArray<FString> pieces;
      testbed::FailAllocation(nth);
      try {
        EXPECT_EQ(5, SplitOn(s, ENGINE_TEXT("-"), pieces));
        completed = true;
      } catch (const std::bad_alloc&) {
        EXPECT_LE(pieces.count, pieces.capacity);
      }
      testbed::FailAllocation(0);
    }
    EXPECT_EQ(1u, testbed::LiveBlockCount());
    ASSERT_LT(nth, 20u) << "SplitOn never completed";
  }
  EXPECT_EQ(ENGINE_TEXT("ab-cd-ef-gh-ij"), TextOf(s));
}

using StringReplaceAll = TestbedTest;

TEST_F(StringReplaceAll, OccurrencesDoNotOverlap) {
  EXPECT_EQ(ENGINE_TEXT("a"), Replaced(ENGINE_TEXT("aaa"), ENGINE_TEXT("aa"), ENGINE_TEXT("")));
}

TEST_F(StringReplaceAll, RemovesEveryOccurrence) {
  const FString s = FromNarrow("abXabYab");
  const std::size_t mark = MarkCalls();
  const FString result = ReplaceAll(s, ENGINE_TEXT("ab"), ENGINE_TEXT(""));
  EXPECT_EQ(ENGINE_TEXT("XY"), TextOf(result));
  EXPECT_EQ("{block, 3, 4}", ShapeOf(result));
  EXPECT_EQ(Calls{Malloc(8)}, CallsSince(mark));
}

TEST_F(StringReplaceAll, MatchIsCaseSensitiveAndAnUnchangedTextIsRebuiltByTheGrowthRule) {
  const FString s = FromNarrow("xAbx");
  const std::size_t mark = MarkCalls();
  const FString result = ReplaceAll(s, ENGINE_TEXT("ab"), ENGINE_TEXT(""));
  EXPECT_EQ(ENGINE_TEXT("xAbx"), TextOf(result));
  EXPECT_EQ("{block, 5, 22}", ShapeOf(result));
  EXPECT_EQ(Calls{Malloc(44)}, CallsSince(mark));
}

TEST_F(StringReplaceAll, TextMadeOnlyOfOccurrencesGivesNoStorageAndNoCall) {
  const FString once = FromNarrow("ab");
  const FString twice = FromNarrow("abab");
  const std::size_t mark = MarkCalls();
  EXPECT_EQ("{null, 0, 0}", ShapeOf(ReplaceAll(once, ENGINE_TEXT("ab"), ENGINE_TEXT(""))));
  EXPECT_EQ("{null, 0, 0}", ShapeOf(ReplaceAll(twice, ENGINE_TEXT("ab"), ENGINE_TEXT(""))));
  EXPECT_EQ(Calls{}, CallsSince(mark));
}

TEST_F(StringReplaceAll, EmptySearchTextGivesAnExactCopy) {
  const FString s = FromNarrow("abcd");
  const std::size_t mark = MarkCalls();
  const FString empty_search = ReplaceAll(s, ENGINE_TEXT(""), ENGINE_TEXT("x"));
  const FString null_search = ReplaceAll(s, nullptr, ENGINE_TEXT("x"));
  EXPECT_EQ("{block, 5, 5}", ShapeOf(empty_search));
  EXPECT_EQ(ENGINE_TEXT("abcd"), TextOf(empty_search));
  EXPECT_EQ("{block, 5, 5}", ShapeOf(null_search));
  EXPECT_EQ((Calls{Malloc(10), Malloc(10)}), CallsSince(mark));
}

TEST_F(StringReplaceAll, EmptySourceGivesACopyOfIt) {
  const FString terminator_only = TerminatorOnly(4);
  const std::size_t mark = MarkCalls();
  EXPECT_EQ("{null, 0, 0}", ShapeOf(ReplaceAll(FString(), ENGINE_TEXT("a"), ENGINE_TEXT("b"))));
  EXPECT_EQ("{block, 1, 1}",
            ShapeOf(ReplaceAll(terminator_only, ENGINE_TEXT("a"), ENGINE_TEXT("b"))));
  EXPECT_EQ((Calls{Malloc(2), "Free"}), CallsSince(mark));
}

TEST_F(StringReplaceAll, InsertedTextIsNotSearchedAgain) {
  EXPECT_EQ(ENGINE_TEXT("aaXaa"),
            Replaced(ENGINE_TEXT("aXa"), ENGINE_TEXT("a"), ENGINE_TEXT("aa")));
  EXPECT_EQ(ENGINE_TEXT("a--b--c"),
            Replaced(ENGINE_TEXT("a.b.c"), ENGINE_TEXT("."), ENGINE_TEXT("--")));
}

TEST_F(StringReplaceAll, TextJoinedByARemovalIsNotSearchedAgain) {
  EXPECT_EQ(ENGINE_TEXT("ab"), Replaced(ENGINE_TEXT("aabb"), ENGINE_TEXT("ab"), ENGINE_TEXT("")));
}

TEST_F(StringReplaceAll, ZeroUnitInsideEndsTheText) {
  const FString result = ReplaceAll(StringOfUnits(EngineText(ENGINE_TEXT("ab\0ab"), 5)),
                                    ENGINE_TEXT("b"), ENGINE_TEXT(""));
  EXPECT_EQ(ENGINE_TEXT("a"), TextOf(result));
  EXPECT_EQ(2, result.count);
}

// The search reads several units at a time: an occurrence at any place of a
// longer text, whole or cut short by the end of the text, and its first unit
// standing alone, are each found or passed over.
TEST_F(StringReplaceAll, OccurrenceAtEveryPlaceOfALongTextIsRemoved) {
  const EngineText needle = ENGINE_TEXT("Default__");
  for (std::size_t at = 0; at <= kLongText.size(); ++at) {
    SCOPED_TRACE(at);
    const EngineText text = kLongText.substr(0, at) + needle + kLongText.substr(at);
    EXPECT_EQ(kLongText, Replaced(text, needle.c_str(), ENGINE_TEXT("")));
    const EngineText cut_short = kLongText.substr(0, at) + needle.substr(0, 8);
    EXPECT_EQ(cut_short, Replaced(cut_short, needle.c_str(), ENGINE_TEXT("")));
  }
}

TEST_F(StringReplaceAll, FirstUnitsOfTheSearchTextAloneAreNotOccurrences) {
  const EngineText text = ENGINE_TEXT("DDeDefDefaultDefault__DDefault__De_Default_D");
  EXPECT_EQ(WithoutEvery(text, ENGINE_TEXT("Default__")),
            Replaced(text, ENGINE_TEXT("Default__"), ENGINE_TEXT("")));
  EXPECT_EQ(ENGINE_TEXT("DDeDefDefaultDDe_Default_D"),
            Replaced(text, ENGINE_TEXT("Default__"), ENGINE_TEXT("")));
}

TEST_F(StringReplaceAll, ZeroUnitAnywhereInALongTextEndsIt) {
  const EngineText text = kLongText + ENGINE_TEXT("Default__") + kLongText;
  for (std::size_t zero_at = 0; zero_at < text.size(); ++zero_at) {
    SCOPED_TRACE(zero_at);
    EngineText with_zero = text;
    with_zero[zero_at] = 0;
    const EngineText expected = WithoutEvery(text.substr(0, zero_at), ENGINE_TEXT("Default__"));
    EXPECT_EQ(expected, Replaced(with_zero, ENGINE_TEXT("Default__"), ENGINE_TEXT("")));
  }
}

TEST_F(StringReplaceAll, ResultGrowsByTheGrowthRule) {
  const FString s = FromNarrow("abc-defg");
  const std::size_t mark = MarkCalls();
  const FString result = ReplaceAll(s, ENGINE_TEXT("-"), ENGINE_TEXT(""));
  EXPECT_EQ(ENGINE_TEXT("abcdefg"), TextOf(result));
  EXPECT_EQ("{block, 8, 27}", ShapeOf(result));
  EXPECT_EQ((Calls{Malloc(8), Realloc(54)}), CallsSince(mark));
}

TEST_F(StringReplaceAll, FailedAllocationAtAnyPointLeaksNothing) {
  const FString s = FromNarrow("abc-defghijklmnopqrstuvwxyz-0123456789");
  bool completed = false;
  for (std::size_t nth = 1; !completed; ++nth) {
    SCOPED_TRACE("allocation " + std::to_string(nth) + " fails");
    testbed::FailAllocation(nth);
    try {
      EXPECT_EQ(ENGINE_TEXT("abcdefghijklmnopqrstuvwxyz0123456789"),
                TextOf(ReplaceAll(s, ENGINE_TEXT("-"), ENGINE_TEXT(""))));
      completed = true;
    } catch (const std::bad_alloc&) {
      EXPECT_EQ(1u, testbed::LiveBlockCount());
    }
    testbed::FailAllocation(0);
    ASSERT_LT(nth, 20u) << "ReplaceAll never completed";
  }
  EXPECT_EQ(ENGINE_TEXT("abc-defghijklmnopqrstuvwxyz-0123456789"), TextOf(s));
}

}  // namespace dravelquin
