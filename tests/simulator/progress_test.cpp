// Progress of long runs, written on a terminal only.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "sim/events.h"

namespace dravelquin {

namespace {

std::string ShownFor(std::int64_t ticks) {
  std::ostringstream out;
  {
    sim::RunProgress progress(&out, ticks);
    for (std::int64_t tick = 0; tick < ticks; ++tick) {
      progress.Tick();
    }
  }
  return out.str();
}

}  // namespace

TEST(RunProgress, ShortRunsShowNothing) { EXPECT_EQ("", ShownFor(sim::kLongRunTicks - 1)); }

TEST(RunProgress, LongRunsShowEachWholePercentOnceThenEraseTheLine) {
  const std::string shown = ShownFor(sim::kLongRunTicks * 3 + 7);
  // 0% (after the first tick) to 100%, one rewrite each, not one per tick.
  EXPECT_EQ(101, std::count(shown.begin(), shown.end(), '%')) << shown.substr(0, 200);
  EXPECT_NE(std::string::npos, shown.find("\rrun: 100% of 30007 ticks"));
  EXPECT_EQ(std::string::npos, shown.find('\n'));
  // The last thing written blanks the line and returns to its start.
  EXPECT_EQ('\r', shown.back());
}

}  // namespace dravelquin
