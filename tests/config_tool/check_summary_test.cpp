// The summary line of `check`: which blueprints it counts as capped and how
// it reads when the plug-in would not start. The corpus shows the line
// after every check.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "config/checks.h"
#include "plugin_rules/plugin_rules.h"
#include "support/testbed_fixture.h"

namespace dravelquin {

namespace {

class CheckSummaryTest : public TestbedTest {
 protected:
  static std::size_t CappedIn(const std::string& settings_text) {
    return EffectOf(SettingsReader(nlohmann::json::parse(settings_text))).capped_blueprints;
  }
};

}  // namespace

TEST_F(CheckSummaryTest, CountsEachPathWhoseNewcomersTheGateCanDestroy) {
  // Counted: a cap, no "Count" (1000), a name in another letter case (its
  // path at 1000), and two names equal but for letter case (two paths).
  // Not counted: a name that is not a path, one the census reads with "?",
  // and a "Count" the gate fails on.
  const std::string settings = R"({"Dinos":{
    "blueprint'/Game/A.A'": {"Count": 5},
    "blueprint'/Game/B.B'": {},
    "BLUEPRINT'/Game/C.C'": {"Count": 5},
    "blueprint'/Game/D.D'": {}, "blueprint'/Game/d.d'": {},
    "/Game/E.E": {},
    "blueprint'/Game/\u00c9.\u00c9'": {},
    "blueprint'/Game/F.F'": {"Count": "5"}}})";
  EXPECT_EQ(5u, CappedIn(settings));
}

TEST_F(CheckSummaryTest, NameInAnotherLetterCaseBesideItsPathCountsThePathOnce) {
  EXPECT_EQ(1u, CappedIn(R"({"Dinos":{"Blueprint'/Game/A.A'":{},"blueprint'/Game/A.A'":{}}})"));
}

TEST_F(CheckSummaryTest, NothingIsCappedWhenTheCensusFails) {
  EXPECT_EQ(0u, CappedIn(R"({"Dinos":[1]})"));
  EXPECT_EQ(0u, CappedIn(R"([{"Dinos":{"blueprint'/Game/A.A'":{}}}])"));
}

TEST_F(CheckSummaryTest, PluginThatDoesNotStartIsSaidSo) {
  const std::vector<Diagnostic> diagnostics = {
      Diagnostic{"config.json", TextPosition{}, Severity::kError, "not valid JSON"}};
  EXPECT_EQ("config.json: the plug-in does not start; 1 error, 0 warnings, 0 notes",
            SummaryLine("config.json", std::nullopt, diagnostics));
}

}  // namespace dravelquin
