// The usual hand-editing mistakes named beside the JSON library's message,
// and no name for the others. The offsets are those at which the settings
// parser stops (the corpus shows whole runs).

#include <gtest/gtest.h>

#include <string>

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
  EXPECT_EQ("a comma before this \"}\", which JSON does not allow after the last member or "
            "element",
            MistakeAt("{\"a\": 1,\r\n  }", "}"));
  EXPECT_EQ("a comma before this \"]\", which JSON does not allow after the last member or "
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

TEST(JsonMistake, OtherSyntaxErrorsAreNotGivenAName) {
  // A missing comma (the parser stops at the closing quote of "b"), a
  // missing closing brace (at the end), a bare word.
  EXPECT_EQ("none", LikelyJsonMistake("{\"a\": 1 \"b\": 2}", 10).value_or("none"));
  EXPECT_EQ("none", LikelyJsonMistake("{\"a\": 1", 7).value_or("none"));
  EXPECT_EQ("none", MistakeAt("{General: {}}", "G"));
}

}  // namespace dravelquin
