// Settings written from a dump: the caps, the choice of blueprints, and the
// round trip dump -> settings -> check without a warning.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "config/checks.h"
#include "config/dump.h"
#include "plugin_rules/plugin_rules.h"
#include "support/testbed_fixture.h"

namespace dravelquin {

namespace {

const std::string kRex = "blueprint'/Game/Creatures/Rex/Rex_BP.Rex_BP'";
const std::string kDodo = "blueprint'/Game/Creatures/Dodo/Dodo_BP.Dodo_BP'";
const std::string kFish = "blueprint'/Game/Creatures/Fish/Fish_BP.Fish_BP'";

// A dump with CRLF line ends, a display name holding "|", one path over
// two lines and one count that scaling takes past 32 bits.
const std::string kDump = kDodo + "|Dodo|100\r\n" + kFish + "|Coel|2000000000\r\n" + kRex +
                          "|Alpha|Rex|3\r\n" + kRex + "|Rex|7\r\n";

std::vector<std::string> Formatted(const std::vector<Diagnostic>& diagnostics) {
  std::vector<std::string> lines;
  lines.reserve(diagnostics.size());
  for (const Diagnostic& diagnostic : diagnostics) {
    lines.push_back(FormatDiagnostic(diagnostic));
  }
  return lines;
}

class SettingsFromDumpTest : public TestbedTest {
 protected:
  WrittenSettings Written(const FromDumpOptions& options) const {
    return SettingsFromDump("dinoDump.txt", BlueprintsOf(ParseDump(kDump)), options);
  }

  std::vector<std::string> NamesWritten(const FromDumpOptions& options) const {
    return SettingsReader(nlohmann::json::parse(Written(options).text)).ConfiguredNames().names;
  }
};

}  // namespace

TEST(ScaledCapRule, DecimalScaleRoundsUpWithoutFloatingPointError) {
  EXPECT_EQ(110, ScaledCap(100, 1100000));
  EXPECT_EQ(3, ScaledCap(10, 300000));
  EXPECT_EQ(5, ScaledCap(3, 1500000));
  EXPECT_EQ(4, ScaledCap(3, 1000001));
}

TEST(ScaledCapRule, CapStaysWithinOneAnd32Bits) {
  EXPECT_EQ(1, ScaledCap(1, 1));
  EXPECT_EQ(2147483647, ScaledCap(2147483647, 1000000));
  EXPECT_EQ(2147483647, ScaledCap(2000000000, 2000000));
  EXPECT_EQ(2147483647, ScaledCap(4294967294, 1000000000));
}

TEST_F(SettingsFromDumpTest, EachPathIsWrittenOnceWithItsLinesAddedUp) {
  const nlohmann::json settings = nlohmann::json::parse(Written(FromDumpOptions{}).text);
  EXPECT_EQ(10, settings["Dinos"][kRex]["Count"]);
  EXPECT_EQ(100, settings["Dinos"][kDodo]["Count"]);
  EXPECT_EQ(3u, settings["Dinos"].size());
  EXPECT_EQ(kWrittenCheckInterval, settings["General"]["CheckInterval"]);
}

TEST_F(SettingsFromDumpTest, OnlyKeepsPathsWhosePathOrDisplayNameHoldsTheText) {
  FromDumpOptions options;
  options.only = {"Alpha", "Fish/"};
  const SettingsReader settings(nlohmann::json::parse(Written(options).text));
  EXPECT_EQ((std::vector<std::string>{kFish, kRex}), settings.ConfiguredNames().names);
}

TEST_F(SettingsFromDumpTest, OnlyIgnoresLetterCaseOfTheTextUnlessMatchCaseIsSet) {
  FromDumpOptions options;
  // "dodo" in a display name, "FISH" in a path.
  options.only = {"dodo", "FISH"};
  EXPECT_EQ((std::vector<std::string>{kDodo, kFish}), NamesWritten(options));
  options.match_case = true;
  EXPECT_EQ(0u, Written(options).blueprints);
  options.only = {"Dodo", "fish"};
  EXPECT_EQ(std::vector<std::string>{kDodo}, NamesWritten(options));
}

TEST_F(SettingsFromDumpTest, WrittenSettingsPassTheCheckWithoutAnyDiagnostic) {
  FromDumpOptions options;
  options.scale_millionths = 1250000;
  const WrittenSettings written = Written(options);
  EXPECT_EQ(std::vector<std::string>{},
            Formatted(CheckConfigText("config.json", written.text, nullptr).diagnostics));
}

TEST_F(SettingsFromDumpTest, WrittenCapsAreTheCapsThePluginReads) {
  FromDumpOptions options;
  options.scale_millionths = 1250000;
  const SettingsReader settings(nlohmann::json::parse(Written(options).text));
  EXPECT_EQ(13, settings.Cap(kRex).value.value_or(-1));
  EXPECT_EQ(125, settings.Cap(kDodo).value.value_or(-1));
  EXPECT_EQ(2147483647, settings.Cap(kFish).value.value_or(-1));
}

TEST_F(SettingsFromDumpTest, CheckAgainstTheSameDumpGivesOnlyNotes) {
  const WrittenSettings written = Written(FromDumpOptions{});
  const DumpInput dump{"dinoDump.txt", BlueprintsOf(ParseDump(kDump)), {}};
  const std::vector<Diagnostic> diagnostics =
      CheckConfigText("config.json", written.text, &dump).diagnostics;
  EXPECT_EQ(3u, diagnostics.size());
  for (const Diagnostic& diagnostic : diagnostics) {
    EXPECT_EQ(Severity::kNote, diagnostic.severity) << FormatDiagnostic(diagnostic);
  }
}

}  // namespace dravelquin
