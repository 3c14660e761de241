// The simulator's command line: the options that make a preview safe and the
// version.

#include "common/command_line.h"
#include "sim/command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
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
  EXPECT_THROW(Parse({"s.json", "--config"}), UsageError);
}

TEST(SimCommandLine, SweepIntervals) {
  // A bare --sweep, or the setting alone, runs the default intervals; the
  // scenario after it is not taken for its value.
  EXPECT_EQ(sim::kDefaultSweepIntervals, Parse({"--sweep", "s.json"}).sweep.value());
  EXPECT_EQ("s.json", Parse({"--sweep", "s.json"}).scenario);
  EXPECT_EQ(sim::kDefaultSweepIntervals,
            Parse({"--sweep", "CheckInterval", "s.json"}).sweep.value());
  // A list is run in ascending order, 0 included.
  EXPECT_EQ((std::vector<std::int64_t>{0, 600, 3600}),
            Parse({"--sweep", "CheckInterval=3600,0,600", "s.json"}).sweep.value());
  // Another setting, a malformed, negative, too large, repeated or missing
  // interval, and too many of them are refused.
  for (const char* value :
       {"Count=5", "CheckInterval=60s", "CheckInterval=-5", "CheckInterval=2147483648",
        "CheckInterval=600,600", "CheckInterval=600,,1800", "CheckInterval=600,",
        "CheckInterval=", "CheckInterval=1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21"}) {
    EXPECT_THROW(Parse({"--sweep", value, "s.json"}), UsageError) << value;
  }
  // Without --sweep there is nothing to sweep.
  EXPECT_FALSE(Parse({"s.json"}).sweep.has_value());
}

TEST(SimCommandLine, SweepTolerance) {
  // The default is 10 per cent; a fraction is allowed.
  EXPECT_EQ(10.0, Parse({"--sweep", "s.json"}).tolerance_percent);
  EXPECT_EQ(7.5, Parse({"--sweep", "--tolerance", "7.5", "s.json"}).tolerance_percent);
  // 0, above 100, and text that is no number are refused.
  for (const char* value : {"0", "100.5", "ten", "10%", "", " 10", "10 ", "nan"}) {
    EXPECT_THROW(Parse({"--sweep", "--tolerance", value, "s.json"}), UsageError) << value;
  }
  // A tolerance without a sweep is a mistake, not ignored.
  EXPECT_THROW(Parse({"--tolerance", "5", "s.json"}), UsageError);
}

TEST(SimCommandLine, SweepNeverUsesAGivenServerDir) {
  // Each run of a sweep has a temporary server dir of its own: a live one,
  // leave to overwrite it, or a trace summary are refused with it.
  EXPECT_THROW(Parse({"--sweep", "--server-dir", "live", "s.json"}), UsageError);
  EXPECT_THROW(Parse({"--sweep", "--overwrite", "s.json"}), UsageError);
  EXPECT_THROW(Parse({"--sweep", "--report", "s.json"}), UsageError);
  // --config and --chart go with it.
  const sim::Options options =
      Parse({"--sweep", "--config", "c.json", "--chart", "x.svg", "s.json"});
  EXPECT_EQ("c.json", options.config.value_or(""));
  EXPECT_EQ("x.svg", options.chart.value_or(""));
}

TEST(SimCommandLine, VersionNeedsNoScenario) {
  EXPECT_TRUE(Parse({"--version"}).version);
  EXPECT_THROW(Parse({}), UsageError);
  // A path that starts with a slash is the scenario on every system.
  EXPECT_EQ("/srv/s.json", Parse({"/srv/s.json"}).scenario);
}

}  // namespace dravelquin
