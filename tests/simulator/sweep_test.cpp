// What a sweep measures and recommends: the time each kind spent near its
// cap, the band of the tolerance, the interval chosen, and how the table
// shows a share.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "sim/world.h"
#include "sim/sweep.h"
#include "sim/charts.h"
#include "simulator/svg_reading.h"

namespace dravelquin {

TEST(SweepDwellTimes, WeighsEachCountByHowLongItHeld) {
  sim::DwellTimes dwell(2);
  dwell.Sample(0, {10, 5});
  dwell.Sample(60, {20, 5});   // 10 held for 60 s
  dwell.Sample(60, {30, 5});   // 20 held for no time: two samples at one time
  dwell.Sample(240, {30, 5});  // 30 held for 180 s
  // Kind 0 spent 60 of 240 s at 10 and 180 s at 30.
  EXPECT_EQ(0.25, dwell.ShareWithin(0, 0, 10));
  EXPECT_EQ(0.0, dwell.ShareWithin(0, 15, 25));
  EXPECT_EQ(0.75, dwell.ShareWithin(0, 25, 1000));
  EXPECT_EQ(1.0, dwell.ShareWithin(1, 5, 5));
  EXPECT_EQ(10 * 60 + 30 * 180, dwell.WildSeconds(0));
  // A clock set back credits nothing, and what follows counts from there.
  dwell.Sample(100, {40, 5});
  dwell.Sample(160, {40, 5});  // 40 held for 60 s
  EXPECT_EQ(0.2, dwell.ShareWithin(0, 40, 40));
}

TEST(SweepDwellTimes, StretchWithoutTime) {
  // Before any sample there is no share at all.
  EXPECT_EQ(0.0, sim::DwellTimes(1).ShareWithin(0, 0, 100));
  // A stretch that lasted no time is judged by its last count.
  sim::DwellTimes dwell(1);
  dwell.Sample(50, {7});
  dwell.Sample(50, {12});
  EXPECT_EQ(1.0, dwell.ShareWithin(0, 10, 12));
  EXPECT_EQ(0.0, dwell.ShareWithin(0, 0, 9));
}

TEST(SweepBand, WholeCountsWithinThePerCent) {
  // 10% of 300 is 30 either way, the ends included.
  EXPECT_EQ(270, sim::BandAround(300, 10).low);
  EXPECT_EQ(330, sim::BandAround(300, 10).high);
  // A margin with a fraction is rounded down: 7.5% of 40 is 3.
  EXPECT_EQ(37, sim::BandAround(40, 7.5).low);
  EXPECT_EQ(43, sim::BandAround(40, 7.5).high);
  // A cap of 0 leaves no room.
  EXPECT_EQ(0, sim::BandAround(0, 50).high);
}

TEST(SweepAdvice, LongestIntervalThatKeepsTheShare) {
  // The longest reaching 90% wins even when a shorter one does better; 90%
  // itself is enough.
  EXPECT_EQ(2u, sim::ChooseInterval({0.99, 0.5, 0.9, 0.3}).interval);
  EXPECT_TRUE(sim::ChooseInterval({0.99, 0.5, 0.9, 0.3}).meets);
  // When none reaches it, the highest share, the longer of equal ones.
  const sim::IntervalChoice none = sim::ChooseInterval({0.8, 0.85, 0.85, 0.2});
  EXPECT_FALSE(none.meets);
  EXPECT_EQ(2u, none.interval);
}

TEST(SweepAdvice, ConfigFollowsItsLeastKeptKind) {
  sim::SweepOutcome sweep;
  sweep.tolerance_percent = 10;
  sweep.kinds = {{0, "raptor", 300}, {1, "dodo", 500}};
  sweep.intervals = {{600, {{0, 0, 0.95, 0}, {0, 0, 0.92, 0}}, {}, {}},
                     {3600, {{0, 0, 0.97, 0}, {0, 0, 0.6, 0}}, {}, {}}};
  // dodo falls short at 3600, so the config's is 600 although raptor's is 3600.
  EXPECT_EQ((std::vector<double>{0.92, 0.6}), sim::LowestShares(sweep));
  EXPECT_EQ(1u, sim::LeastKeptKind(sweep.intervals[1]));
  EXPECT_EQ(0u, sim::ChooseInterval(sim::LowestShares(sweep)).interval);
  EXPECT_EQ(1u, sim::ChooseInterval(sim::SharesOf(sweep, 0)).interval);
  // The tables say so.
  const std::string text = sim::FormatSweep(sweep);
  EXPECT_NE(std::string::npos, text.find("raptor: CheckInterval 3600 is the longest"));
  EXPECT_NE(std::string::npos,
            text.find("config: CheckInterval 600 is the longest tried that keeps every capped "
                      "kind within 10% of its cap 90% of the time or more (the least kept, dodo, "
                      "92.0%)"));
}

TEST(SweepTable, ShareJustShortIsNotShownAsReached) {
  sim::SweepOutcome sweep;
  sweep.tolerance_percent = 10;
  sweep.kinds = {{0, "rex", 40}};
  sweep.intervals = {{600, {{36, 44, 0.89999, 0}}, {}, {}}};
  const std::string text = sim::FormatSweep(sweep);
  // 89.999% is shown as 89.9%, never as 90.0%, and it is no recommendation.
  EXPECT_NE(std::string::npos, text.find("89.9%"));
  EXPECT_EQ(std::string::npos, text.find("90.0%"));
  EXPECT_NE(std::string::npos, text.find("config: no CheckInterval tried"));
}

TEST(SweepTable, NothingCappedAndAPlugInThatDidNotLoad) {
  sim::SweepOutcome sweep;
  sweep.intervals = {{600, {}, {}, std::string("Can't open config.json")}};
  // No kind to tabulate, said in a sentence; the failed load is not hidden.
  const std::string nothing_capped = sim::FormatSweep(sweep);
  EXPECT_NE(std::string::npos, nothing_capped.find("No kind of the scenario is capped"));
  EXPECT_NE(
      std::string::npos,
      nothing_capped.find("CheckInterval 600: the plug-in did not load (Can't open config.json)"));
  // A run without the plug-in recommends nothing, however near its cap a kind stayed.
  sweep.kinds = {{0, "rex", 40}};
  sweep.intervals = {{600, {{40, 40, 1.0, 0}}, {}, std::string("Can't open config.json")},
                     {1800, {{40, 40, 1.0, 0}}, {}, std::nullopt}};
  const std::string failed_load = sim::FormatSweep(sweep);
  EXPECT_EQ(std::string::npos, failed_load.find("is the longest"));
  EXPECT_NE(std::string::npos, failed_load.find("No interval is recommended"));
}

TEST(SweepChart, OnePanelPerCappedKind) {
  sim::SweepOutcome sweep;
  sweep.title = "a&b.json";
  sweep.tolerance_percent = 10;
  sweep.kinds = {{0, "raptor", 300}, {2, "<rex>", 40}};
  sweep.intervals = {{600, {{260, 308, 0.99, 0}, {35, 43, 0.9, 0}}, {}, {}},
                     {21600, {{180, 423, 0.3, 0}, {28, 63, 0.3, 0}}, {}, {}}};
  const std::string svg = sim::SwingChartSvg(sweep);
  // Each kind's heading, its name escaped, and the title escaped.
  EXPECT_NE(std::string::npos, svg.find(">raptor: cap 300, highest and lowest"));
  EXPECT_NE(std::string::npos, svg.find(">&lt;rex&gt;: cap 40, highest and lowest"));
  EXPECT_NE(std::string::npos, svg.find("a&amp;b.json"));
  // Each interval labelled once per panel, and each cap drawn.
  std::size_t labels = 0;
  for (std::size_t at = svg.find(">21600</text>"); at != std::string::npos;
       at = svg.find(">21600</text>", at + 1)) {
    ++labels;
  }
  EXPECT_EQ(2u, labels);
  EXPECT_NE(std::string::npos, svg.find(">cap 300</text>"));
  EXPECT_NE(std::string::npos, svg.find(">cap 40</text>"));
  // The key names the cap's line, and every text and mark, the key's
  // included, lies inside the picture.
  EXPECT_NE(std::string::npos, svg.find(">cap</text>"));
  EXPECT_EQ(std::vector<std::string>{}, PlacesOutsideViewBox(svg));
  // Without a capped kind the chart says so.
  sweep.kinds.clear();
  for (sim::IntervalOutcome& interval : sweep.intervals) {
    interval.kinds.clear();
  }
  EXPECT_NE(std::string::npos, sim::SwingChartSvg(sweep).find("no capped kind"));
}

}  // namespace dravelquin
