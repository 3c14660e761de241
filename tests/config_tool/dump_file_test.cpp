// Reading the census dump: the fields of a line, line ends, what makes a
// line malformed, and the blueprints merged from its lines.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/dump_file.h"

namespace dravelquin {

namespace {

// The line number and message of the error that reading `text` raises.
std::string ErrorOf(const std::string& text) {
  try {
    ParseDump(text);
  } catch (const DumpFormatError& error) {
    return std::to_string(error.line()) + ": " + error.what();
  }
  return "no error";
}

}  // namespace

TEST(DumpLines, NameHoldingBarsIsReadWholeBetweenTheFirstAndLastBar) {
  const std::vector<DumpLine> lines = ParseDump("bp'/A'|Alpha|Rex|| x|12\n");
  ASSERT_EQ(1u, lines.size());
  EXPECT_EQ("bp'/A'", lines[0].path);
  EXPECT_EQ("Alpha|Rex|| x", lines[0].name);
  EXPECT_EQ(12, lines[0].count);
}

TEST(DumpLines, CrLfAndAMissingLastLineEndAreAccepted) {
  const std::vector<DumpLine> lines = ParseDump("a||1\r\nb|B|2");
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ("", lines[0].name);
  EXPECT_EQ(1, lines[0].count);
  EXPECT_EQ(2, lines[1].line);
  EXPECT_EQ(2, lines[1].count);
}

TEST(DumpLines, EmptyDumpHasNoLine) { EXPECT_TRUE(ParseDump("").empty()); }

TEST(DumpLines, ByteOrderMarkAtTheStartIsNotPartOfTheFirstPath) {
  // As a Windows editor saves the file; a mark further on is kept.
  const std::vector<DumpLine> lines = ParseDump(
      "\xEF\xBB\xBF"
      "bp'/A'|Deer|3\r\n\xEF\xBB\xBF|B|1\r\n");
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ("bp'/A'", lines[0].path);
  EXPECT_EQ(1, lines[0].line);
  EXPECT_EQ("\xEF\xBB\xBF", lines[1].path);
}

TEST(DumpLines, MalformedLineIsReportedWithItsNumber) {
  EXPECT_EQ("2: not \"PATH|NAME|COUNT\": fewer than two \"|\"", ErrorOf("a|A|1\na|A\n"));
  // A blank line, such as an editor's last one, is passed over but counted.
  EXPECT_EQ("no error", ErrorOf("a|A|1\nb|B|2\n\n \r\n"));
  EXPECT_EQ("4: not \"PATH|NAME|COUNT\": fewer than two \"|\"", ErrorOf("a|A|1\n\n\t\nb\n"));
  // A dump saved as UTF-16 is named so, not cut at its first zero byte.
  const std::string utf16(
      "\xFF\xFE"
      "a\0|\0A\0|\0"
      "1\0",
      12);
  EXPECT_EQ(
      "1: the file is UTF-16 text (a Windows editor's \"Unicode\"), not the UTF-8 the "
      "plug-in writes: save it as UTF-8",
      ErrorOf(utf16));
}

TEST(DumpLines, CountMustBeDigitsFromOneWithoutLeadingZero) {
  EXPECT_EQ("1: the count \"\" is not a number from 1 up", ErrorOf("a|A|\n"));
  EXPECT_EQ("1: the count \"0\" is not a number from 1 up", ErrorOf("a|A|0\n"));
  EXPECT_EQ("1: the count \"07\" is not a number from 1 up", ErrorOf("a|A|07\n"));
  EXPECT_EQ("1: the count \"+7\" is not a number from 1 up", ErrorOf("a|A|+7\n"));
  EXPECT_EQ("1: the count \"7 \" is not a number from 1 up", ErrorOf("a|A|7 \n"));
}

TEST(DumpLines, CountBeyond32BitsIsMalformed) {
  EXPECT_EQ(2147483647, ParseDump("a|A|2147483647")[0].count);
  EXPECT_EQ("1: the count 2147483648 is beyond 32 bits", ErrorOf("a|A|2147483648"));
  EXPECT_EQ("1: the count 99999999999999999999 is beyond 32 bits",
            ErrorOf("a|A|99999999999999999999"));
  // A count of any length is quoted shortened.
  EXPECT_EQ("1: the count 99999999999999999999... is beyond 32 bits",
            ErrorOf("a|A|" + std::string(100000, '9')));
}

TEST(DumpBlueprints, LinesOfOnePathAreAddedUpInByteOrderOfPath) {
  const std::vector<DumpBlueprint> blueprints =
      BlueprintsOf(ParseDump("b|Rex|2147483647\na|X|1\nb|Alpha|2147483647\nB|Y|5\n"));
  ASSERT_EQ(3u, blueprints.size());
  EXPECT_EQ("B", blueprints[0].path);
  EXPECT_EQ("a", blueprints[1].path);
  EXPECT_EQ("b", blueprints[2].path);
  EXPECT_EQ(4294967294, blueprints[2].wild);
  EXPECT_EQ(1, blueprints[2].first_line);
  EXPECT_EQ((std::vector<std::string>{"Rex", "Alpha"}), blueprints[2].names);
}

TEST(DumpBlueprints, LargeDumpOutOfOrderIsMergedWhole) {
  // 50,000 paths, each on two lines, the second half of the file repeating
  // the first in reverse order. Correctness only: timings belong elsewhere.
  constexpr int kPaths = 50000;
  std::string text;
  for (int i = 0; i < kPaths; ++i) {
    text += "p" + std::to_string(100000 + i) + "|a|1\n";
  }
  for (int i = kPaths - 1; i >= 0; --i) {
    text += "p" + std::to_string(100000 + i) + "|b|" + std::to_string(i + 1) + "\n";
  }
  const std::vector<DumpBlueprint> blueprints = BlueprintsOf(ParseDump(text));
  ASSERT_EQ(static_cast<std::size_t>(kPaths), blueprints.size());
  EXPECT_EQ("p100000", blueprints.front().path);
  EXPECT_EQ(2, blueprints.front().wild);
  EXPECT_EQ("p149999", blueprints.back().path);
  EXPECT_EQ(1 + kPaths, blueprints.back().wild);
  EXPECT_EQ(kPaths, blueprints.back().first_line);
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), blueprints.back().names);
}

}  // namespace dravelquin
