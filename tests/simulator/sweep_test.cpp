// What a sweep measures and recommends: the time each kind spent near its
// cap, the band of the tolerance, the interval chosen, and how the table
// shows a share.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sim/charts.h"
#include "sim/sweep.h"
#include "sim/world.h"
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
  // At least so many creatures either way: 10% of 20 is 2, widened to 3;
  // a wider per cent keeps its margin.
  EXPECT_EQ(17, sim::BandAround(20, 10, 3).low);
  EXPECT_EQ(23, sim::BandAround(20, 10, 3).high);
  EXPECT_EQ(330, sim::BandAround(300, 10, 3).high);
  // A cap below 0 holds the kind at none: its band lies around 0.
  EXPECT_EQ(2, sim::BandAround(-5, 10, 2).high);
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

namespace {

sim::KindAtInterval Kept(double share) { return {0, 0, share, 0, {}}; }

}  // namespace

TEST(SweepAdvice, ConfigFollowsItsLeastKeptKindForEachWayOfCounting) {
  sim::SweepOutcome sweep;
  sweep.tolerance_percent = 10;
  sweep.tolerance_creatures = 2;
  sweep.kinds = {{0, "raptor", 300}, {1, "dodo", 500}};
  sweep.intervals = {{600, {Kept(0.95), Kept(0.92)}, {}, {}, false},
                     {600, {Kept(0.5), Kept(0.5)}, {}, {}, true},
                     {3600, {Kept(0.97), Kept(0.6)}, {}, {}, false},
                     {3600, {Kept(0.91), Kept(0.95)}, {}, {}, true}};
  const std::vector<const sim::IntervalOutcome*> plain = sim::RunsCounting(sweep, false);
  // dodo falls short at 3600, so the config's is 600 although raptor's is 3600.
  EXPECT_EQ((std::vector<double>{0.92, 0.6}), sim::LowestShares(plain));
  EXPECT_EQ(1u, sim::LeastKeptKind(*plain[1]));
  EXPECT_EQ(0u, sim::ChooseInterval(sim::LowestShares(plain)).interval);
  EXPECT_EQ(1u, sim::ChooseInterval(sim::SharesOf(plain, 0)).interval);
  // The tables say so, and judge ExactCaps true from its own runs alone.
  const std::string text = sim::FormatSweep(sweep);
  EXPECT_NE(std::string::npos,
            text.find("raptor, ExactCaps false: CheckInterval 3600 is the longest"));
  EXPECT_NE(std::string::npos,
            text.find("config, ExactCaps false: CheckInterval 600 is the longest tried that keeps "
                      "every capped kind within 10% (at least 2 creatures) of its cap 90% of the "
                      "time or more (the least kept, dodo, 92.0%)"))
      << text;
  EXPECT_NE(std::string::npos,
            text.find("config, ExactCaps true: CheckInterval 3600 is the longest tried that keeps "
                      "every capped kind within 10% (at least 2 creatures) of its cap 90% of the "
                      "time or more (the least kept, raptor, 91.0%)"))
      << text;
}

TEST(SweepSeeds, EachRoundAnotherCourseOfTheSameLife) {
  sim::Scenario scenario;
  scenario.steps = {{"load", sim::LoadStep{}}, {"run", sim::RunStep{}}, {"run", sim::RunStep{}}};
  std::get<sim::RunStep>(scenario.steps[1].action).seed = 1;
  std::get<sim::RunStep>(scenario.steps[2].action).seed = 2;
  const auto seed_of = [](const sim::Scenario& derived, std::size_t step) {
    return std::get<sim::RunStep>(derived.steps[step].action).seed;
  };
  // Round 0 is the scenario's own; a later round gives every run another
  // seed, none of them one the scenario already uses.
  EXPECT_EQ(1u, seed_of(sim::WithSeedRound(scenario, 0), 1));
  const sim::Scenario second = sim::WithSeedRound(scenario, 1);
  EXPECT_NE(seed_of(second, 1), seed_of(second, 2));
  for (const std::uint64_t seed : {seed_of(second, 1), seed_of(second, 2)}) {
    EXPECT_TRUE(seed != 1 && seed != 2) << seed;
  }
  EXPECT_NE(seed_of(second, 1), seed_of(sim::WithSeedRound(scenario, 2), 1));
}

TEST(SweepSeeds, OutcomesCombineAsTheWorstAndTheMean) {
  sim::KindAtInterval first{40, 70, 0.9, 10, {true, 2, 5}};
  sim::KindAtInterval second{35, 66, 0.6, 13, {true, 0, 7}};
  const sim::KindAtInterval both = sim::OverSeeds({first, second});
  // The extremes of either, the mean share with its range, the destroyed
  // rounded from their mean, and the larger excesses.
  EXPECT_EQ(35, both.lowest);
  EXPECT_EQ(70, both.highest);
  EXPECT_DOUBLE_EQ(0.75, both.share_within);
  EXPECT_EQ(0.6, both.share_lowest);
  EXPECT_EQ(0.9, both.share_highest);
  EXPECT_EQ(12, both.destroyed);
  EXPECT_EQ(2, both.excess.at_first_census);
  EXPECT_EQ(7, both.excess.overshoot);
  EXPECT_TRUE(both.excess.counted);
  // A seed in which no census ran leaves the excess uncounted.
  second.excess.counted = false;
  EXPECT_FALSE(sim::OverSeeds({first, second}).excess.counted);
  // The table shows the mean and its range.
  sim::SweepOutcome sweep;
  sweep.tolerance_percent = 10;
  sweep.seeds = 2;
  sweep.kinds = {{0, "raptor", 60}};
  sweep.intervals = {{600, {both}, {}, {}, false}};
  EXPECT_NE(std::string::npos, sim::FormatSweep(sweep).find(" 75.0% (60.0-90.0) "));
}

TEST(SweepTable, ShareJustShortIsNotShownAsReached) {
  sim::SweepOutcome sweep;
  sweep.tolerance_percent = 10;
  sweep.kinds = {{0, "rex", 40}};
  sweep.intervals = {{600, {{36, 44, 0.89999, 0, {}}}, {}, {}, false}};
  const std::string text = sim::FormatSweep(sweep);
  // 89.999% is shown as 89.9%, never as 90.0%, and it is no recommendation.
  EXPECT_NE(std::string::npos, text.find("89.9%"));
  EXPECT_EQ(std::string::npos, text.find("90.0%"));
  EXPECT_NE(std::string::npos, text.find("config, ExactCaps false: no CheckInterval tried"));
}

TEST(SweepTable, NothingCappedAndAPlugInThatDidNotLoad) {
  sim::SweepOutcome sweep;
  sweep.intervals = {{600, {}, {}, std::string("Can't open config.json"), false}};
  // No kind to tabulate, said in a sentence; the failed load is not hidden.
  const std::string nothing_capped = sim::FormatSweep(sweep);
  EXPECT_NE(std::string::npos, nothing_capped.find("No kind of the scenario is capped"));
  EXPECT_NE(
      std::string::npos,
      nothing_capped.find(
          "CheckInterval 600, ExactCaps false: the plug-in did not load (Can't open config.json)"));
  // Capped kinds that --only left out are not taken for a config that caps nothing.
  sweep.kinds_left_out = 1;
  EXPECT_NE(std::string::npos,
            sim::FormatSweep(sweep).find("No capped kind of the scenario matches --only"));
  // A run without the plug-in recommends nothing, however near its cap a kind stayed.
  sweep.kinds = {{0, "rex", 40}};
  sweep.intervals = {
      {600, {{40, 40, 1.0, 0, {}}}, {}, std::string("Can't open config.json"), false},
      {1800, {{40, 40, 1.0, 0, {}}}, {}, std::nullopt, false}};
  const std::string failed_load = sim::FormatSweep(sweep);
  EXPECT_EQ(std::string::npos, failed_load.find("is the longest"));
  EXPECT_NE(std::string::npos, failed_load.find("No interval is recommended"));
}

TEST(SweepChart, OnePanelPerCappedKind) {
  sim::SweepOutcome sweep;
  sweep.title = "a&b.json";
  sweep.tolerance_percent = 10;
  sweep.kinds = {{0, "raptor", 300}, {2, "<rex>", 40}};
  sweep.intervals = {{600, {{260, 308, 0.99, 0, {}}, {35, 43, 0.9, 0, {}}}, {}, {}, false},
                     {600, {{250, 300, 0.9, 0, {}}, {30, 40, 0.9, 0, {}}}, {}, {}, true},
                     {21600, {{180, 423, 0.3, 0, {}}, {28, 63, 0.3, 0, {}}}, {}, {}, false},
                     {21600, {{150, 300, 0.2, 0, {}}, {20, 40, 0.2, 0, {}}}, {}, {}, true}};
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
  // ExactCaps true's highest and lowest at each interval, per panel, in its
  // own colour, and its key: each way of counting a line of its own.
  std::size_t exact_dots = 0;
  for (std::size_t at = svg.find("fill=\"#777\""); at != std::string::npos;
       at = svg.find("fill=\"#777\"", at + 1)) {
    ++exact_dots;
  }
  EXPECT_EQ(9u, exact_dots);
  EXPECT_NE(std::string::npos, svg.find(">grey, right: ExactCaps true</text>"));
  EXPECT_NE(std::string::npos, svg.find(">cap 300</text>"));
  EXPECT_NE(std::string::npos, svg.find(">cap 40</text>"));
  // The cap's halo lies under the counts' lines, which it would hide at the
  // cap, and the dashed cap over them.
  EXPECT_LT(svg.find("stroke=\"white\""), svg.find("<polyline"));
  EXPECT_LT(svg.find("<polyline"), svg.find("stroke-dasharray=\"6 4\""));
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
