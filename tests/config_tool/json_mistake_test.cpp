// The usual hand-editing mistakes named beside the JSON library's message,
// and no name for the others. The offsets are those at which the settings
// parser stops (the corpus shows whole runs).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/checks.h"

namespace dravelquin {

namespace {

// The mistake named when the parser stops at the first `stop` in `text`.
std::string MistakeAt(const std::string& text, const std::string& stop) {
  return LikelyJsonMistake(text, text.find(stop)).value_or("none");
}

}  // namespace

TEST(JsonMistake, CommentsAreNamedByTheirKind) {
  EXPECT_EQ("a \"//\" comment, which JSON does not allow", MistakeAt("{ // a\n}", "//"));
  EXPECT_EQ("a \"/* */\" comment, which JSON does not allow",
            MistakeAt("{\"a\": 1 /* b */}", "/*"));
  // A lone "/" is no comment.
  EXPECT_EQ("none", MistakeAt("{\"a\": 1 / 2}", "/"));
}

TEST(JsonMistake, CommaBeforeAClosingBracketIsNamed) {
  EXPECT_EQ(
      "a comma before this \"}\", which JSON does not allow after the last member or "
      "element",
      MistakeAt("{\"a\": 1,\r\n  }", "}"));
  EXPECT_EQ(
      "a comma before this \"]\", which JSON does not allow after the last member or "
      "element",
      MistakeAt("[1, 2, ]", "]"));
}

TEST(JsonMistake, SingleQuoteIsNamed) {
  EXPECT_EQ("a single quote where JSON wants a double quote (\") around a name or a string",
            MistakeAt("{'General': {}}", "'"));
}

TEST(JsonMistake, Utf16IsNamedWithOrWithoutItsByteOrderMark) {
  const std::string utf16 = "the file is UTF-16 text (a Windows editor's \"Unicode\"), not UTF-8";
  EXPECT_EQ(utf16, LikelyJsonMistake(std::string("\xFF\xFE{\0}\0", 6), 0).value_or("none"));
  EXPECT_EQ(utf16, LikelyJsonMistake(std::string("\xFE\xFF\0{\0}", 6), 0).value_or("none"));
  EXPECT_EQ(utf16, LikelyJsonMistake(std::string("{\0}\0", 4), 1).value_or("none"));
  EXPECT_EQ(utf16, LikelyJsonMistake(std::string("\0{\0}", 4), 0).value_or("none"));
}

TEST(JsonMistake, MissingCommaBetweenMembersIsNamed) {
  // The parser stops at the closing quote of "b", after a number, a string
  // or an object.
  const std::string missing =
      "a comma missing before the name or string that ends here: JSON wants one between two "
      "members or elements";
  EXPECT_EQ(missing, LikelyJsonMistake("{\"a\": 1 \"b\": 2}", 10).value_or("none"));
  EXPECT_EQ(missing, LikelyJsonMistake("{\"a\": \"x\"\n \"b\": 2}", 13).value_or("none"));
  EXPECT_EQ(missing, LikelyJsonMistake("{\"a\": {} \"b\": 2}", 11).value_or("none"));
  // After a colon a string is what the parser wants: not this mistake.
  EXPECT_EQ("none", LikelyJsonMistake("[: \"b\"]", 5).value_or("none"));
}

TEST(JsonMistake, EveryUsualMistakeOutsideStringsIsFound) {
  // Comments, single quotes (a blueprint path's own quotes inside them
  // included) and commas before a closing bracket; the same marks inside a
  // double-quoted string, escaped quote and all, are not mistakes.
  const std::string text =
      "{ // a\n \"A\": 1, }\n/* b */ 'blueprint'/G.G'': [1,]\n\"x // 'y' /* \\\" ,}\"";
  EXPECT_EQ((std::vector<std::size_t>{2, 16, 18, 26, 48}), UsualJsonMistakes(text));
  EXPECT_EQ(std::vector<std::size_t>{}, UsualJsonMistakes(std::string("{\0/\0/\0", 6)));
}

TEST(JsonMistake, OtherSyntaxErrorsAreNotGivenAName) {
  // A missing closing brace (at the end), a bare word.
  EXPECT_EQ("none", LikelyJsonMistake("{\"a\": 1", 7).value_or("none"));
  EXPECT_EQ("none", MistakeAt("{General: {}}", "G"));
}

TEST(JsonMistake, NumberTooLongIsQuotedShortened) {
  // The JSON library quotes the number whole; a 100,000-digit one is cut.
  const std::string text = "{\"General\": {\"CheckInterval\": 1" + std::string(100000, '0') + "}}";
  const std::vector<Diagnostic> found = CheckConfigText("c.json", text, nullptr).diagnostics;
  ASSERT_EQ(1u, found.size());
  EXPECT_EQ(
      "not valid JSON: the plug-in fails to start with \"[json.exception.out_of_range.406] "
      "number overflow parsing '1" +
          std::string(39, '0') + "...'\"",
      found[0].message);
}

}  // namespace dravelquin
