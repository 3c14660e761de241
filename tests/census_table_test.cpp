// The census table's keys: which engine strings are one key (equal once A-Z
// are folded, each read up to its first zero unit), that the hash the table
// finds them by agrees, and which name keeps an entry of names equal but for
// letter case.

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "engine/fstring.h"
#include "host/case_folding.h"
#include "population/census_table.h"
#include "support/engine_checks.h"
#include "support/testbed_fixture.h"

namespace dravelquin {

using engine_checks::EngineText;
using engine_checks::StringOfUnits;
using engine_checks::TerminatorOnly;

namespace {

// Long enough for the hash to read whole groups of units and a rest.
const EngineText kPath =
    ENGINE_TEXT("blueprint'/Game/PrimalEarth/Dinos/Kind07/Kind07_Character_BP.Kind07_BP'");

// Whether the table takes the two strings for one key: its equality says
// so, and then their hashes must agree.
::testing::AssertionResult OneKey(const FString& left, const FString& right) {
  if (!CaseInsensitiveEqual()(left, right)) {
    return ::testing::AssertionFailure() << "not equal";
  }
  if (CaseInsensitiveHash()(left) != CaseInsensitiveHash()(right)) {
    return ::testing::AssertionFailure() << "equal, but hashed apart";
  }
  return ::testing::AssertionSuccess();
}

bool Equal(const EngineText& left, const EngineText& right) {
  return CaseInsensitiveEqual()(StringOfUnits(left), StringOfUnits(right));
}

}  // namespace

TEST(CaseFolding, OnlyCapitalsAToZChangeAndOnlyInTheCaseBit) {
  for (unsigned value = 0; value <= 0xFFFF; ++value) {
    const auto unit = static_cast<EngineUnit>(value);
    const bool capital = value >= 'A' && value <= 'Z';
    ASSERT_EQ(capital ? value + 0x20 : value, FoldedUnit(unit)) << value;
    ASSERT_EQ(value | kCaseBit, FoldedUnit(unit) | kCaseBit) << value;
  }
}

using CensusTableKeys = TestbedTest;

TEST_F(CensusTableKeys, TextsEqualButForTheCaseOfOneLetterAreOneKeyAtEveryPlace) {
  for (std::size_t length = 1; length <= kPath.size(); ++length) {
    const EngineText text = kPath.substr(0, length);
    for (std::size_t at = 0; at < length; ++at) {
      EngineText other_case = text;
      const EngineUnit unit = other_case[at];
      if (unit >= u'a' && unit <= u'z') {
        other_case[at] = static_cast<EngineUnit>(unit - 0x20);
      } else if (unit >= u'A' && unit <= u'Z') {
        other_case[at] = static_cast<EngineUnit>(unit + 0x20);
      } else {
        continue;
      }
      ASSERT_TRUE(OneKey(StringOfUnits(text), StringOfUnits(other_case)))
          << "length " << length << ", letter " << at;
    }
  }
}

TEST_F(CensusTableKeys, TextsThatDifferInOneUnitAreTwoKeysAtEveryPlace) {
  for (std::size_t at = 0; at < kPath.size(); ++at) {
    EngineText other = kPath;
    other[at] = other[at] == u'#' ? u'%' : u'#';
    EXPECT_FALSE(Equal(kPath, other)) << at;
    EXPECT_FALSE(Equal(kPath, kPath.substr(0, at))) << at;
  }
}

// The hash reads every unit with its case bit set, so these pairs hash
// alike; only A-Z fold, so they stay two keys.
TEST_F(CensusTableKeys, UnitsApartOnlyInTheCaseBitButNotLettersAreTwoKeys) {
  const std::vector<std::pair<EngineUnit, EngineUnit>> pairs = {
      {u'@', u'`'}, {u'[', u'{'}, {u'^', u'~'}, {u'_', 0x7F}, {0x00C9, 0x00E9}, {0x0141, 0x0161}};
  for (const auto& [left, right] : pairs) {
    for (const std::size_t at : {std::size_t{3}, std::size_t{20}, kPath.size() - 2}) {
      EngineText left_text = kPath;
      EngineText right_text = kPath;
      left_text[at] = left;
      right_text[at] = right;
      EXPECT_FALSE(Equal(left_text, right_text)) << unsigned{left} << " at " << at;
    }
  }
}

TEST_F(CensusTableKeys, TextEndsAtItsFirstZeroUnit) {
  EXPECT_TRUE(OneKey(StringOfUnits(EngineText(ENGINE_TEXT("Rex\0abc"), 7)), FromNarrow("REX")));
  EngineText with_zero = kPath + kPath;
  with_zero[kPath.size()] = 0;
  EngineText other_case = kPath;
  other_case[0] = ENGINE_TEXT('B');
  EXPECT_TRUE(OneKey(StringOfUnits(with_zero), StringOfUnits(other_case)));
  EXPECT_FALSE(Equal(with_zero, kPath + ENGINE_TEXT('x')));
}

TEST_F(CensusTableKeys, NoStorageAndTerminatorOnlyAreTheOneEmptyKey) {
  EXPECT_TRUE(OneKey(FString(), TerminatorOnly(4)));
  EXPECT_TRUE(OneKey(FString(), StringOfUnits(EngineText(ENGINE_TEXT("\0a"), 2))));
  EXPECT_FALSE(CaseInsensitiveEqual()(FString(), FromNarrow("a")));
}

TEST_F(CensusTableKeys, FirstNameInByteOrderKeepsTheEntryOfNamesEqualButForCase) {
  CapTableMap table;
  AddEntriesForNames(table, {"Blueprint'/Game/Rex.Rex'", "blueprint'/Game/REX.Rex'"});
  ASSERT_EQ(1u, table.size());
  const auto entry = table.find(FromNarrow("BLUEPRINT'/GAME/REX.REX'"));
  ASSERT_NE(table.end(), entry);
  EXPECT_EQ("Blueprint'/Game/Rex.Rex'", ToNarrow(entry->first));
  entry->second["blueprint'/Game/Rex.Rex'"].counted = 4;
  AddEntriesForNames(table, {"BLUEPRINT'/game/rex.rex'"});
  ASSERT_EQ(1u, table.size());
  EXPECT_EQ("Blueprint'/Game/Rex.Rex'", ToNarrow(table.begin()->first));
  EXPECT_EQ(4, table.begin()->second.at("blueprint'/Game/Rex.Rex'").counted);
}

// Paths of one length that end alike and differ only in a folder: each has
// its own entry and finds only it.
TEST_F(CensusTableKeys, PathsEndingAlikeKeepTheirOwnEntries) {
  std::vector<std::string> names;
  for (char folder = 'A'; folder <= 'Z'; ++folder) {
    names.push_back(std::string("blueprint'/Game/Mods/") + folder + "/Dodo/Dodo_BP.Dodo_BP'");
  }
  CapTableMap table;
  AddEntriesForNames(table, names);
  ASSERT_EQ(names.size(), table.size());
  for (const std::string& name : names) {
    std::string upper = name;
    for (char& c : upper) {
      c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c;
    }
    const auto entry = table.find(FromNarrow(upper.c_str()));
    ASSERT_NE(table.end(), entry) << upper;
    EXPECT_EQ(name, ToNarrow(entry->first));
  }
  EXPECT_EQ(table.end(), table.find(FromNarrow("blueprint'/Game/Mods/a/Dodo/Dodo_BP.Dodo_BP_'")));
}

// The counts under one entry are kept by exact path, and the paths there
// differ only in letter case: the hash reads every byte, the last ones of a
// length that is not a multiple of eight included.
TEST(PathCountsHash, PathsApartInTheCaseBitOfOneByteHashApartAtEveryPlace) {
  const std::string path = "blueprint'/Game/PrimalEarth/Dinos/Kind07/Kind07_BP.Kind07_BP'";
  for (std::size_t length = 1; length <= path.size(); ++length) {
    const std::string text = path.substr(0, length);
    for (std::size_t at = 0; at < length; ++at) {
      std::string other_case = text;
      other_case[at] = static_cast<char>(other_case[at] ^ 0x20);
      ASSERT_NE(PathHash()(text), PathHash()(other_case)) << "length " << length << ", at " << at;
    }
  }
}

}  // namespace dravelquin
