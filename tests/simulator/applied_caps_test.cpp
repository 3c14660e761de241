// The caps the simulator shows, worked out by the plug-in's own code from the
// settings file the plug-in reads at start-up: the census's match of a kind's
// blueprint path, then the gate's cap lookup under that exact path.

#include "sim/world.h"

#include <gtest/gtest.h>

#include <string>

#include "support/testbed_fixture.h"

namespace dravelquin {

namespace {

const char* const kExampleFullName =
    "Example_BP_C /Game/Creatures/Example/Example_BP.Default__Example_BP_C";
const char* const kExamplePath = "blueprint'/Game/Creatures/Example/Example_BP.Example_BP'";

class AppliedCaps : public TestbedTest {
 protected:
  // The cap of a kind of the given full name, with no settings file when
  // `config_text` is null.
  sim::KindCap CapWith(const char* config_text, const std::string& full_name = kExampleFullName) {
    if (config_text != nullptr) {
      WriteConfig(config_text);
    }
    const sim::SimWorld world({{"example", full_name, {}}});
    return sim::AppliedCaps(world).at(0);
  }

  // The example kind's cap with one "Dinos" member, written as JSON text.
  sim::KindCap CapUnder(const std::string& member_name, const std::string& member_value) {
    const std::string config = R"({"Dinos": {")" + member_name + "\": " + member_value + "}}";
    return CapWith(config.c_str());
  }
};

}  // namespace

TEST_F(AppliedCaps, ExactMemberGivesItsCount) {
  const sim::KindCap cap = CapUnder(kExamplePath, R"({"Count": 150})");
  EXPECT_TRUE(cap.capped);
  EXPECT_EQ(150, cap.cap);
}

TEST_F(AppliedCaps, MemberNamedInAnotherLetterCaseCapsAtTheDefault) {
  // The census counts the kind under the name; the gate finds no "Count"
  // under the exact path.
  const sim::KindCap cap =
      CapUnder("Blueprint'/Game/Creatures/Example/Example_BP.Example_BP'", R"({"Count": 3})");
  EXPECT_TRUE(cap.capped);
  EXPECT_EQ(1000, cap.cap);
}

TEST_F(AppliedCaps, CountIsReadAsThePluginReadsIt) {
  // A boolean is 0 or 1.
  EXPECT_EQ(1, CapUnder(kExamplePath, R"({"Count": true})").cap);
  // A fraction is cut toward zero.
  EXPECT_EQ(2, CapUnder(kExamplePath, R"({"Count": 2.9})").cap);
  // An integer keeps its low 32 bits.
  EXPECT_EQ(-1, CapUnder(kExamplePath, R"({"Count": 4294967295})").cap);
  // No "Count": the default.
  EXPECT_EQ(1000, CapUnder(kExamplePath, "{}").cap);
}

TEST_F(AppliedCaps, RepeatedNamesKeepTheirFirstValue) {
  // A repeated "Count" under one member.
  EXPECT_EQ(5, CapUnder(kExamplePath, R"({"Count": 5, "Count": 7})").cap);
  // A repeated member.
  const std::string config = std::string(R"({"Dinos": {")") + kExamplePath +
                             R"(": {"Count": 2}, ")" + kExamplePath + R"(": {"Count": 9}}})";
  EXPECT_EQ(2, CapWith(config.c_str()).cap);
}

TEST_F(AppliedCaps, SettingsThePluginFailsOnCapNothing) {
  // The gate fails on a member that is not an object, or a "Count" that is
  // not a number, and lets the creature through.
  EXPECT_FALSE(CapUnder(kExamplePath, "5").capped);
  EXPECT_FALSE(CapUnder(kExamplePath, R"({"Count": "5"})").capped);
  // The census fails on a "Dinos" that is a non-empty array.
  EXPECT_FALSE(CapWith(R"({"Dinos": [1]})").capped);
}

TEST_F(AppliedCaps, CapTheGateFailsToReadIsBrokenWithTheGatesError) {
  // A "Count" given as text: counted by the census, unreadable by the gate.
  const sim::KindCap text_count = CapUnder(kExamplePath, R"({"Count": "80"})");
  ASSERT_TRUE(text_count.broken.has_value());
  EXPECT_NE(std::string::npos, text_count.broken->find("type must be number"))
      << *text_count.broken;
  // A member that is not an object.
  EXPECT_TRUE(CapUnder(kExamplePath, "5").broken.has_value());
  // A readable cap, no matching member, and a census that fails are not broken.
  EXPECT_FALSE(CapUnder(kExamplePath, R"({"Count": 80})").broken.has_value());
  EXPECT_FALSE(CapWith(R"({"Dinos": {}})").broken.has_value());
  EXPECT_FALSE(CapWith(R"({"Dinos": [1]})").broken.has_value());
}

TEST_F(AppliedCaps, ConfigIsReadPastAByteOrderMarkAndUpToItsFirstValue) {
  const std::string config =
      std::string("\xEF\xBB\xBF{\"Dinos\": {\"") + kExamplePath + "\": {\"Count\": 7}}} trailing";
  EXPECT_EQ(7, CapWith(config.c_str()).cap);
}

TEST_F(AppliedCaps, NoOrBrokenConfigCapsNothing) {
  // No settings file: the plug-in does not start.
  EXPECT_FALSE(CapWith(nullptr).capped);
  // Text that is not JSON: it does not start either.
  EXPECT_FALSE(CapWith("{\"Dinos\": ").capped);
}

TEST_F(AppliedCaps, PathBeyondLatin1MatchesNoNameWrittenWithQuestionMarks) {
  // The census compares the path's own units with the name, so "?" in the
  // name does not stand for a character the server's narrow text cannot hold.
  const std::string config =
      R"({"Dinos": {"blueprint'/Game/???/Raptor_BP.Raptor_BP'": {"Count": 3}}})";
  EXPECT_FALSE(
      CapWith(config.c_str(), "Raptor_BP_C /Game/迅猛龙/Raptor_BP.Default__Raptor_BP_C").capped);
}

}  // namespace dravelquin
