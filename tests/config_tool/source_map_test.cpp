// The scan that places members of a settings text: positions as editors
// count them, names as the JSON library decodes them, the repeats the parser
// drops, and the text after the value.

#include <gtest/gtest.h>

#include <string>

#include "config/report.h"

namespace dravelquin {

namespace {

std::string At(const SourceMap& map, const std::string& pointer) {
  const TextPosition at = map.PositionOf(pointer);
  return std::to_string(at.line) + ":" + std::to_string(at.column);
}

}  // namespace

TEST(SourceMapPositions, NestedMemberIsPlacedAtTheQuoteOfItsName) {
  const SourceMap map("{\n  \"Dinos\": {\n    \"x\": { \"Count\": 5 }\n  }\n}");
  EXPECT_EQ("2:3", At(map, "/Dinos"));
  EXPECT_EQ("3:5", At(map, "/Dinos/x"));
  EXPECT_EQ("3:12", At(map, "/Dinos/x/Count"));
}

TEST(SourceMapPositions, ByteOrderMarkTakesNoColumnAndLineEndsMayBeCrLf) {
  const SourceMap map("\xEF\xBB\xBF{\"a\": 1,\r\n \"b\": 2}");
  EXPECT_EQ("1:2", At(map, "/a"));
  EXPECT_EQ("2:2", At(map, "/b"));
}

TEST(SourceMapPositions, MemberNotWrittenIsPlacedAtItsNearestWrittenAncestor) {
  const SourceMap map("  {\"General\": {}}");
  EXPECT_EQ("1:4", At(map, "/General/CheckInterval"));
  EXPECT_EQ("1:3", At(map, "/Dinos/x"));
  EXPECT_EQ("1:3", At(map, ""));
}

TEST(SourceMapPositions, MembersInsideArraysAreNamedByIndex) {
  const SourceMap map("{\"a\": [{\"b\": 1}, {\"b\": 2}]}");
  EXPECT_EQ("1:19", At(map, "/a/1/b"));
}

TEST(SourceMapPositions, MemberAfterAVeryDeepValueKeepsItsPosition) {
  const std::string deep = std::string(5000, '[') + std::string(5000, ']');
  const std::string text = "{\"deep\": " + deep + ", \"after\": 1}";
  EXPECT_EQ("1:" + std::to_string(text.find("\"after\"") + 1), At(SourceMap(text), "/after"));
}

TEST(SourceMapPositions, MembersAfterLiteralValuesKeepTheirPositions) {
  // After false, true and null as member values, with and without a space
  // before the next member, at the end of an object, and in an array.
  const std::string text =
      R"({"x": {"ExactCaps": false, "Count": 5}, "t": true,"n": null,"f": false,)"
      R"("a": [false, {"b": 1}], "y": {"z": false}, "after": 1})";
  const SourceMap map(text);
  const auto column_of = [&](const std::string& quoted) {
    return "1:" + std::to_string(text.find(quoted) + 1);
  };
  EXPECT_EQ(column_of("\"Count\""), At(map, "/x/Count"));
  EXPECT_EQ(column_of("\"n\""), At(map, "/n"));
  EXPECT_EQ(column_of("\"f\""), At(map, "/f"));
  EXPECT_EQ(column_of("\"a\""), At(map, "/a"));
  EXPECT_EQ(column_of("\"b\""), At(map, "/a/1/b"));
  EXPECT_EQ(column_of("\"after\""), At(map, "/after"));
  // The value's own text ends with it.
  EXPECT_EQ("false", map.ValueTextOf("/x/ExactCaps"));
  EXPECT_EQ("false", map.ValueTextOf("/y/z"));
  EXPECT_EQ("null", map.ValueTextOf("/n"));
}

TEST(SourceMapNames, EscapedNamesAreDecodedAsTheParserDecodesThem) {
  const SourceMap map("{\"\\u0044inos\": {\"a/b~c\": 1}}");
  EXPECT_EQ("1:2", At(map, "/Dinos"));
  EXPECT_EQ("1:17", At(map, "/Dinos/a~1b~0c"));
}

TEST(SourceMapNames, BracketsAndEscapedQuotesInStringsAreNotStructure) {
  const SourceMap map("{\"a\": \"}\\\"{[\", \"b\": 1}");
  EXPECT_EQ("1:16", At(map, "/b"));
  EXPECT_EQ("\"}\\\"{[\"", map.ValueTextOf("/a"));
}

TEST(SourceMapRepeats, RepeatIsListedWithTheKeptMembersPositionAndBothValues) {
  const SourceMap map("{\"x\": {\"Count\": 5, \"Count\": [7]}}");
  ASSERT_EQ(1u, map.RepeatedMembers().size());
  const RepeatedMember& repeat = map.RepeatedMembers()[0];
  EXPECT_EQ("/x/Count", repeat.pointer);
  EXPECT_EQ(20, repeat.at.column);
  EXPECT_EQ(8, repeat.first_at.column);
  EXPECT_EQ("[7]", repeat.value_text);
  EXPECT_EQ("5", map.ValueTextOf("/x/Count"));
}

TEST(SourceMapRepeats, NamesRepeatedInsideADroppedValueAreNotListed) {
  const SourceMap map("{\"a\": {\"b\": 1}, \"a\": {\"b\": 2, \"b\": 3}}");
  ASSERT_EQ(1u, map.RepeatedMembers().size());
  EXPECT_EQ("/a", map.RepeatedMembers()[0].pointer);
  EXPECT_EQ("1:8", At(map, "/a/b"));
}

TEST(SourceMapRepeats, EqualNamesInDifferentObjectsAreNoRepeat) {
  const SourceMap map("{\"a\": {\"Count\": 1}, \"b\": {\"Count\": 1}}");
  EXPECT_TRUE(map.RepeatedMembers().empty());
}

TEST(SourceMapTextAfterValue, AnythingButWhiteSpaceAfterTheValueIsFound) {
  const SourceMap map("{\"a\": {}}\n\t x");
  ASSERT_TRUE(map.TextAfterValue().has_value());
  EXPECT_EQ(2, map.TextAfterValue()->line);
  EXPECT_EQ(3, map.TextAfterValue()->column);
}

TEST(SourceMapTextAfterValue, WhiteSpaceAloneIsNoText) {
  EXPECT_FALSE(SourceMap("{\"a\": [1, 2.5e3, -0, true, null]} \r\n\t").TextAfterValue());
}

TEST(SourceMapTextAfterValue, ScalarValueEndsWhereTheParserEndsIt) {
  const SourceMap map("-12.5e+3x");
  ASSERT_TRUE(map.TextAfterValue().has_value());
  EXPECT_EQ(9, map.TextAfterValue()->column);
}

}  // namespace dravelquin
