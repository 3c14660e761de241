// The plug-in's errors as the simulator takes them from the host: per step
// for the trace, per entry point for the summary.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_stand_in/testbed_host.h"
#include "sim/events.h"

namespace dravelquin {

namespace {

class PluginErrorsTest : public ::testing::Test {
 protected:
  PluginErrorsTest() { testbed::ResetHost(); }
  ~PluginErrorsTest() override { testbed::ResetHost(); }

  sim::PluginErrors errors_;
};

const sim::ErrorCount& CountOf(const sim::PluginErrors& errors, const std::string& label) {
  for (const sim::EntryPointErrors& entry : errors.PerEntryPoint()) {
    if (entry.label == label) {
      return entry.errors;
    }
  }
  static const sim::ErrorCount none{"(no such entry point)", "", -1};
  return none;
}

}  // namespace

TEST_F(PluginErrorsTest, ErrorsAreCountedPerEntryPointAcrossSteps) {
  testbed::RecordCallbackError("timer dravelquin", "first timer error");
  testbed::RecordCallbackError("hook APrimalDinoCharacter.GetRandomBaseLevel", "gate error");
  errors_.Collect();
  errors_.TakeStepErrors();
  testbed::RecordCallbackError("timer dravelquin", "second timer error");
  errors_.Collect();
  // The four entry points come first, by name, with their counts.
  const std::vector<sim::EntryPointErrors>& all = errors_.PerEntryPoint();
  ASSERT_EQ(4u, all.size());
  EXPECT_EQ("spawn gate", all[0].label);
  EXPECT_EQ("census timer", all[1].label);
  EXPECT_EQ("game-mode init", all[2].label);
  EXPECT_EQ("dump command", all[3].label);
  EXPECT_EQ(2, CountOf(errors_, "census timer").count);
  EXPECT_EQ("first timer error", CountOf(errors_, "census timer").first_what);
  EXPECT_EQ(1, CountOf(errors_, "spawn gate").count);
  EXPECT_EQ(0, CountOf(errors_, "dump command").count);
  // The host keeps none of them.
  EXPECT_TRUE(testbed::TakeCallbackErrors().empty());
}

TEST_F(PluginErrorsTest, StepErrorsStartAgainAfterEachStep) {
  testbed::RecordCallbackError("command debugspawn", "a");
  testbed::RecordCallbackError("timer dravelquin", "b");
  errors_.Collect();
  const sim::ErrorCount first = errors_.TakeStepErrors();
  EXPECT_EQ(2, first.count);
  EXPECT_EQ("a", first.first_what);
  EXPECT_EQ("command debugspawn", first.first_where);
  // Collected in several takes, a step's errors still count together.
  testbed::RecordCallbackError("timer dravelquin", "c");
  errors_.Collect();
  testbed::RecordCallbackError("timer dravelquin", "d");
  errors_.Collect();
  const sim::ErrorCount second = errors_.TakeStepErrors();
  EXPECT_EQ(2, second.count);
  EXPECT_EQ("c", second.first_what);
  EXPECT_EQ(0, errors_.TakeStepErrors().count);
}

TEST_F(PluginErrorsTest, AnUnknownPlaceGetsAnEntryOfItsOwn) {
  testbed::RecordCallbackError("hook Other.Function", "x");
  errors_.Collect();
  ASSERT_EQ(5u, errors_.PerEntryPoint().size());
  EXPECT_EQ("hook Other.Function", errors_.PerEntryPoint().back().label);
  EXPECT_EQ(1, errors_.PerEntryPoint().back().errors.count);
}

}  // namespace dravelquin
