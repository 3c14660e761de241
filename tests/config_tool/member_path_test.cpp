// How messages name a member: its names from the top level down as written
// in the file, not as a JSON pointer.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "config/report.h"

namespace dravelquin {

namespace {

const nlohmann::json kDocument = nlohmann::json::parse(R"({
  "General": { "CheckInterval": 3600 },
  "Dinos": { "blueprint'/Game/A/A_BP.A_BP'": { "Count": 5 } },
  "Lists": [ { "a~b": 1 }, [ 2 ] ],
  "2nd": {}
})");

}  // namespace

TEST(ReadableMemberPath, PlainNamesStandBareAndOthersAreQuoted) {
  // "/" and "~" are written as they are, not as "~1" and "~0".
  EXPECT_EQ("General > CheckInterval", ReadableMemberPath(kDocument, "/General/CheckInterval"));
  EXPECT_EQ("Dinos > \"blueprint'/Game/A/A_BP.A_BP'\" > Count",
            ReadableMemberPath(kDocument, "/Dinos/blueprint'~1Game~1A~1A_BP.A_BP'/Count"));
  // A name that begins with a digit could be taken for an index.
  EXPECT_EQ("\"2nd\"", ReadableMemberPath(kDocument, "/2nd"));
}

TEST(ReadableMemberPath, ArrayElementsAreIndexedAndTheirMembersNamed) {
  EXPECT_EQ("Lists > [0] > \"a~b\"", ReadableMemberPath(kDocument, "/Lists/0/a~0b"));
  EXPECT_EQ("Lists > [1] > [0]", ReadableMemberPath(kDocument, "/Lists/1/0"));
}

TEST(ReadableMemberPath, MembersTheFileDoesNotWriteAreNamedAsMembers) {
  // Lookups name members that are absent; "0" under an absent member is a
  // name, not an index.
  EXPECT_EQ("Dinos > \"blueprint'/B'\" > Count",
            ReadableMemberPath(kDocument, "/Dinos/blueprint'~1B'/Count"));
  EXPECT_EQ("Absent > \"0\"", ReadableMemberPath(kDocument, "/Absent/0"));
}

TEST(ReadableMemberPath, EmptyPointerIsTheTopLevel) {
  EXPECT_EQ("top level", ReadableMemberPath(kDocument, ""));
}

TEST(ReadableMemberPath, EmptyNameAndControlCharactersAreQuotedAsJsonStrings) {
  const nlohmann::json document = {{"", {{"a\tb", 1}}}};
  EXPECT_EQ("\"\" > \"a\\tb\"", ReadableMemberPath(document, "//a\tb"));
}

}  // namespace dravelquin
