// The plug-in's lookups as the checker runs them: on the document itself,
// which they leave as parsed, however deep it nests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "config/checks.h"
#include "plugin_rules/plugin_rules.h"
#include "support/testbed_fixture.h"

namespace dravelquin {

using nlohmann::json;

using SettingsReaderTest = TestbedTest;

TEST_F(SettingsReaderTest, LookupsOnANullDocumentLeaveItNull) {
  const SettingsReader settings(json(nullptr));
  EXPECT_EQ("[json.exception.type_error.306] cannot use value() with null",
            settings.CheckInterval().error);
  EXPECT_TRUE(settings.ConfiguredNames().names.empty());
  EXPECT_EQ(json(nullptr), settings.Document());
}

TEST_F(SettingsReaderTest, MembersTheLookupsInsertAreTakenAwayAgain) {
  const json parsed = json::parse(R"({"Other":{"x":1}})");
  const SettingsReader settings(parsed);
  EXPECT_FALSE(settings.CheckInterval().value.has_value());
  EXPECT_FALSE(settings.Cap("blueprint'/Game/A.A'").value.has_value());
  EXPECT_EQ(parsed, settings.Document());
}

TEST_F(SettingsReaderTest, LookupErrorLeavesTheDocumentAsParsed) {
  const json parsed = json::parse(R"({"Dinos":[1]})");
  const SettingsReader settings(parsed);
  EXPECT_EQ("[json.exception.invalid_iterator.207] cannot use key() for non-object iterators",
            settings.ConfiguredNames().error.value_or(""));
  EXPECT_EQ("[json.exception.type_error.306] cannot use value() with array",
            settings.Cap("blueprint'/Game/A.A'").error);
  EXPECT_EQ(parsed, settings.Document());
}

TEST_F(SettingsReaderTest, DeeplyNestedSettingsAreCheckedWithoutExhaustingTheStack) {
  constexpr std::size_t kDepth = 100000;
  const std::string text = R"({"General":{"CheckInterval":60},"Dinos":{"blueprint'/G/A.A'":)"
                           R"({"Count":1,"Deep":)" +
                           std::string(kDepth, '[') + std::string(kDepth, ']') + "}}}";
  const std::vector<Diagnostic> diagnostics =
      CheckConfigText("config.json", text, nullptr).diagnostics;
  ASSERT_EQ(1u, diagnostics.size());
  EXPECT_EQ("config.json:1:" + std::to_string(text.find("\"Deep\"") + 1) +
                ": warning: Dinos > \"blueprint'/G/A.A'\" > Deep: is not read by the plug-in",
            FormatDiagnostic(diagnostics[0]));
}

}  // namespace dravelquin
