// The command line: what each subcommand takes, and what makes an
// invocation bad (exit status 2).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "common/command_line.h"
#include "common/files.h"
#include "config/command_line.h"

namespace dravelquin {

namespace {

// The UsageError message for the arguments, or "" when they parse.
std::string UsageErrorOf(const std::vector<std::string>& args) {
  try {
    ParseCommandLine(args);
  } catch (const UsageError& error) {
    return error.what();
  }
  return "";
}

std::int64_t ScaleOf(const std::string& scale) {
  const Command command = ParseCommandLine({"from-dump", "d.txt", "--scale", scale});
  return std::get<FromDumpCommand>(command).options.scale_millionths;
}

}  // namespace

TEST(CheckCommandLine, OptionsMayComeBeforeOrAfterTheFile) {
  const auto check = std::get<CheckCommand>(
      ParseCommandLine({"check", "--strict", "config.json", "--dump", "dinoDump.txt"}));
  EXPECT_EQ("config.json", check.config);
  EXPECT_EQ("dinoDump.txt", check.dump.value_or(""));
  EXPECT_TRUE(check.strict);
}

TEST(CheckCommandLine, MissingOrExtraFileIsAUsageError) {
  EXPECT_EQ("check wants the settings file", UsageErrorOf({"check", "--strict"}));
  EXPECT_EQ("one file only, not also \"b.json\"", UsageErrorOf({"check", "a.json", "b.json"}));
  EXPECT_EQ("--dump wants a value", UsageErrorOf({"check", "a.json", "--dump"}));
  EXPECT_EQ("unknown option --Strict", UsageErrorOf({"check", "a.json", "--Strict"}));
}

TEST(FromDumpCommandLine, ScaleIsReadExactlyInMillionths) {
  EXPECT_EQ(1100000, ScaleOf("1.1"));
  EXPECT_EQ(2000000, ScaleOf("2"));
  EXPECT_EQ(1, ScaleOf("0.000001"));
  EXPECT_EQ(1000000000, ScaleOf("1000"));
}

TEST(FromDumpCommandLine, ScaleOutsideItsRangeOrFormIsAUsageError) {
  for (const std::string scale :
       {"0", "0.0", "1000.000001", "0.0000001", "-1", "1e2", ".5", "1.", "", "1,5"}) {
    EXPECT_NE("", UsageErrorOf({"from-dump", "d.txt", "--scale", scale})) << scale;
  }
}

TEST(FromDumpCommandLine, CapIsAWholeNumberFromOneTo32Bits) {
  const auto command =
      std::get<FromDumpCommand>(ParseCommandLine({"from-dump", "d.txt", "--cap", "2147483647"}));
  EXPECT_EQ(2147483647, command.options.cap.value_or(0));
  for (const std::string cap : {"0", "2147483648", "-5", "05", "1.5", "99999999999"}) {
    EXPECT_NE("", UsageErrorOf({"from-dump", "d.txt", "--cap", cap})) << cap;
  }
}

TEST(FromDumpCommandLine, CapAndScaleTogetherIsAUsageError) {
  EXPECT_EQ("--cap and --scale exclude each other",
            UsageErrorOf({"from-dump", "d.txt", "--scale", "2", "--cap", "5"}));
}

TEST(FromDumpCommandLine, OnlyMayBeRepeated) {
  const auto command = std::get<FromDumpCommand>(
      ParseCommandLine({"from-dump", "--only", "Rex", "d.txt", "--only", "Dodo"}));
  EXPECT_EQ((std::vector<std::string>{"Rex", "Dodo"}), command.options.only);
}

TEST(FromDumpCommandLine, MatchCaseIsAnOptionOffByDefault) {
  const auto plain = std::get<FromDumpCommand>(ParseCommandLine({"from-dump", "d.txt"}));
  EXPECT_FALSE(plain.options.match_case);
  const auto exact = std::get<FromDumpCommand>(
      ParseCommandLine({"from-dump", "--match-case", "d.txt", "--only", "Rex"}));
  EXPECT_TRUE(exact.options.match_case);
  EXPECT_EQ("unknown option --match-case", UsageErrorOf({"check", "a.json", "--match-case"}));
}

TEST(ToolInvocation, BadInvocationExitsWithTwoAndPrintsTheUsage) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(2, RunTool({"verify", "config.json"}, out, err));
  EXPECT_EQ("", out.str());
  EXPECT_EQ(std::string("dravelquin-config: unknown subcommand \"verify\"\n") + kUsage, err.str());
}

TEST(ToolInvocation, BytesOfABadArgumentThatAreNotUtf8AreEscaped) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(2, RunTool({"v\xE9rify"}, out, err));
  EXPECT_EQ(std::string("dravelquin-config: unknown subcommand \"v\\xE9rify\"\n") + kUsage,
            err.str());
}

TEST(ToolInvocation, HelpListsEveryOptionAndSucceeds) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(0, RunTool({"--help"}, out, err));
  EXPECT_EQ(HelpText(), out.str());
  EXPECT_EQ("", err.str());
  for (const char* option : {"--version", "check", "--dump", "--strict", "from-dump", "--cap",
                             "--scale", "--only", "--match-case", "--output", "--force"}) {
    EXPECT_NE(std::string::npos, out.str().find(option)) << option;
  }
}

TEST(ToolInvocation, DashReadsStandardInputAndNamesItStdin) {
  std::ostringstream out;
  std::ostringstream err;
  // A config: its findings and its summary name "<stdin>".
  std::istringstream config("{\"General\": {\"CheckInterval\": 0}, \"Dinos\": {}}");
  EXPECT_EQ(0, RunTool({"check", "-"}, config, out, err));
  EXPECT_EQ(0u, out.str().find("<stdin>:1:14: warning: General > CheckInterval: is 0"));
  EXPECT_NE(std::string::npos, out.str().find("\n<stdin>: 0 blueprints capped"));
  // A dump for from-dump, CR LF and all: its notes name "<stdin>:LINE".
  std::istringstream dump("|Ghost|2\r\nblueprint'/Game/A.A'|A|3\r\n");
  out.str("");
  EXPECT_EQ(0, RunTool({"from-dump", "-"}, dump, out, err));
  EXPECT_EQ("<stdin>:1:1: note: \"\" left out: it is not a blueprint path\n", err.str());
  EXPECT_NE(std::string::npos, out.str().find("\"blueprint'/Game/A.A'\": {\n      \"Count\": 3"));
  // One stream cannot be both files of check.
  EXPECT_EQ("standard input (\"-\") can be one of the files, not both",
            UsageErrorOf({"check", "-", "--dump", "-"}));
}

TEST(ToolInvocation, FromDumpOutputReplacesAFileOnlyWithForce) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "dravelquin-config-output";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::string target = (folder / "config.json").u8string();
  const auto text_of = [&target] {
    std::ifstream in(PathFromUtf8(target), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  std::ostringstream out;
  std::ostringstream err;
  // A new file: the settings, nothing on standard output.
  std::istringstream dump("blueprint'/Game/A.A'|A|3\n");
  EXPECT_EQ(0, RunTool({"from-dump", "-", "--output", target}, dump, out, err));
  EXPECT_EQ("", out.str());
  EXPECT_NE(std::string::npos, text_of().find("\"Count\": 3"));
  // An existing one without --force: refused before the dump is read, untouched.
  std::ofstream(PathFromUtf8(target), std::ios::binary) << "{\"live\": true}";
  std::istringstream unread("blueprint'/Game/A.A'|A|4\n");
  EXPECT_EQ(2, RunTool({"from-dump", "-", "--output", target}, unread, out, err));
  EXPECT_EQ("dravelquin-config: " + target + " exists already; give --force to replace it\n",
            err.str());
  EXPECT_EQ("{\"live\": true}", text_of());
  EXPECT_EQ(0, unread.tellg());
  // With --force: replaced.
  EXPECT_EQ(0, RunTool({"from-dump", "-", "--output", target, "--force"}, unread, out, err));
  EXPECT_NE(std::string::npos, text_of().find("\"Count\": 4"));
  // A dump that leaves nothing to write: the file stays as it was.
  std::istringstream empty("");
  EXPECT_EQ(1, RunTool({"from-dump", "-", "--output", target, "--force"}, empty, out, err));
  EXPECT_NE(std::string::npos, text_of().find("\"Count\": 4"));
  EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(folder), {}));
  std::filesystem::remove_all(folder);
}

}  // namespace dravelquin
