// The simulator's command line: the options that make a preview safe and the
// version.

#include "tools/sim/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravelquin {

namespace {

sim::Options Parse(const std::vector<std::string>& arguments) {
  return sim::ParseCommandLine(arguments, "plugin.so");
}

}  // namespace

TEST(SimCommandLine, ConfigAndOverwrite) {
  // --config names a file to run in place of the scenario's config.
  const sim::Options preview = Parse({"--config", "live/config.json", "s.json"});
  EXPECT_EQ("live/config.json", preview.config.value_or(""));
  EXPECT_FALSE(preview.overwrite);
  // --overwrite is the only leave to replace a server's files.
  EXPECT_TRUE(Parse({"--overwrite", "--server-dir", "d", "s.json"}).overwrite);
  // --config needs its value.
  EXPECT_THROW(Parse({"s.json", "--config"}), sim::UsageError);
}

TEST(SimCommandLine, VersionNeedsNoScenario) {
  EXPECT_TRUE(Parse({"--version"}).version);
  EXPECT_THROW(Parse({}), sim::UsageError);
}

}  // namespace dravelquin
