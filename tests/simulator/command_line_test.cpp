// The simulator's command line: the options that make a preview safe and the
// version.

#include "common/command_line.h"
#include "sim/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace dravelquin {

namespace {

sim::Options Parse(const std::vector<std::string>& arguments) {
  return sim::ParseCommandLine(arguments, "plugin.so");
}

// The text of the UsageError that parsing `arguments` raises, or "" for none.
std::string RefusalOf(const std::vector<std::string>& arguments) {
  try {
    Parse(arguments);
  } catch (const UsageError& error) {
    return error.what();
  }
  return "";
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
  // At least 2 creatures either way by default; 0 turns that off.
  EXPECT_EQ(2, Parse({"--sweep", "s.json"}).tolerance_creatures);
  EXPECT_EQ(0, Parse({"--sweep", "--min-tolerance", "0", "s.json"}).tolerance_creatures);
  for (const char* value : {"-1", "2.5", "two", "", "1000001"}) {
    EXPECT_THROW(Parse({"--sweep", "--min-tolerance", value, "s.json"}), UsageError) << value;
  }
  EXPECT_THROW(Parse({"--min-tolerance", "3", "s.json"}), UsageError);
  // One seed by default, at most 10.
  EXPECT_EQ(1, Parse({"--sweep", "s.json"}).seeds);
  EXPECT_EQ(3, Parse({"--sweep", "--seeds", "3", "s.json"}).seeds);
  for (const char* value : {"0", "11", "-1", "two", ""}) {
    EXPECT_THROW(Parse({"--sweep", "--seeds", value, "s.json"}), UsageError) << value;
  }
  EXPECT_THROW(Parse({"--seeds", "3", "s.json"}), UsageError);
}

TEST(SimCommandLine, SweepNumberRefusalsNameTheOptionAndTheRange) {
  // Each whole-number option says what it counts, when it counts something.
  EXPECT_EQ("--sweep: \"60s\" is not a whole number of seconds from 0 to 2147483647",
            RefusalOf({"--sweep", "CheckInterval=600,60s", "s.json"}));
  EXPECT_EQ("--min-tolerance: \"-1\" is not a whole number of creatures from 0 to 1000000",
            RefusalOf({"--sweep", "--min-tolerance", "-1", "s.json"}));
  EXPECT_EQ("--seeds: \"11\" is not a whole number from 1 to 10",
            RefusalOf({"--sweep", "--seeds", "11", "s.json"}));
}

TEST(SimCommandLine, SweepOnlySomeKinds) {
  // --only may be repeated, each text kept; --match-case goes with it.
  const sim::Options options =
      Parse({"--sweep", "--only", "rex", "--only", "Dodo", "--match-case", "s.json"});
  std::vector<std::string> only = options.only;
  std::sort(only.begin(), only.end());
  EXPECT_EQ((std::vector<std::string>{"Dodo", "rex"}), only);
  EXPECT_TRUE(options.match_case);
  EXPECT_EQ("s.json", options.scenario);
  // Both are a sweep's: a plain run refuses them.
  EXPECT_THROW(Parse({"--only", "rex", "s.json"}), UsageError);
  EXPECT_THROW(Parse({"--match-case", "s.json"}), UsageError);
}

TEST(SimCommandLine, SweepNeverUsesAGivenServerDir) {
  // Each run of a sweep has a temporary server dir of its own: a live one,
  // leave to overwrite it, or a trace summary are refused with it.
  EXPECT_THROW(Parse({"--sweep", "--server-dir", "live", "s.json"}), UsageError);
  EXPECT_THROW(Parse({"--sweep", "--overwrite", "s.json"}), UsageError);
  EXPECT_THROW(Parse({"--sweep", "--report", "s.json"}), UsageError);
  EXPECT_THROW(Parse({"--sweep", "--keep-server-dir", "s.json"}), UsageError);
  EXPECT_TRUE(Parse({"--keep-server-dir", "s.json"}).keep_server_dir);
  // --config and --chart go with it.
  const sim::Options options =
      Parse({"--sweep", "--config", "c.json", "--chart", "x.svg", "s.json"});
  EXPECT_EQ("c.json", options.config.value_or(""));
  EXPECT_EQ("x.svg", options.chart.value_or(""));
}

TEST(SimCommandLine, ScenarioFromDumpRunsNothing) {
  // The dump, a config to put in and the run's hours; no scenario file.
  const sim::Options from_dump =
      Parse({"--scenario-from-dump", "dinoDump.txt", "--config", "c.json", "--hours", "2.5"});
  EXPECT_EQ("dinoDump.txt", from_dump.scenario_from_dump.value_or(""));
  EXPECT_EQ(2.5, from_dump.hours);
  EXPECT_EQ(sim::kDefaultDumpScenarioHours, Parse({"--scenario-from-dump", "d.txt"}).hours);
  // A scenario file, or an option of a run, with it; --hours without it.
  for (const std::vector<std::string>& refused :
       {std::vector<std::string>{"--scenario-from-dump", "d.txt", "s.json"},
        {"--scenario-from-dump", "d.txt", "--sweep"},
        {"--scenario-from-dump", "d.txt", "--server-dir", "srv"},
        {"--scenario-from-dump", "d.txt", "--chart", "c.svg"},
        {"--hours", "2", "s.json"}}) {
    EXPECT_THROW(Parse(refused), UsageError) << refused.back();
  }
  // Hours that are not a number above 0.
  for (const char* hours : {"0", "-1", "1e3", "two", "", ".", "1.2.3"}) {
    EXPECT_THROW(Parse({"--scenario-from-dump", "d.txt", "--hours", hours}), UsageError) << hours;
  }
}

TEST(SimCommandLine, OutputReplacesOnlyWithForce) {
  const sim::Options output = Parse({"--output", "trace.jsonl", "s.json"});
  EXPECT_EQ("trace.jsonl", output.output.value_or(""));
  EXPECT_FALSE(output.force);
  EXPECT_TRUE(Parse({"--output", "t.jsonl", "--force", "s.json"}).force);
  // --force alone would say that some file may be replaced.
  EXPECT_THROW(Parse({"--force", "s.json"}), UsageError);
}

TEST(SimCommandLine, VersionNeedsNoScenario) {
  EXPECT_TRUE(Parse({"--version"}).version);
  EXPECT_THROW(Parse({}), UsageError);
  // A path that starts with a slash is the scenario on every system.
  EXPECT_EQ("/srv/s.json", Parse({"/srv/s.json"}).scenario);
}

}  // namespace dravelquin
