// What the simulator shows an administrator: the summary table and the chart.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "common/text.h"
#include "sim/cap_timeline.h"
#include "sim/charts.h"
#include "sim/report.h"
#include "sim/world.h"
#include "simulator/svg_reading.h"

namespace dravelquin {

namespace {

const char* const kExampleFullName =
    "Example_BP_C /Game/Creatures/Example/Example_BP.Default__Example_BP_C";
const std::vector<sim::EntryPointErrors> kNoErrors;

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) {
    words.push_back(word);
  }
  return words;
}

// The table row of the first kind: the line after the heading and the
// column titles.
std::vector<std::string> FirstRow(const std::string& report) {
  std::istringstream in(report);
  std::string line;
  std::getline(in, line);
  std::getline(in, line);
  std::getline(in, line);
  return Words(line);
}

sim::PopulationHistory HistoryOf(const std::vector<std::int64_t>& wild) {
  sim::PopulationHistory history(1);
  history.Begin(0, {wild.front()});
  for (std::size_t i = 1; i < wild.size(); ++i) {
    history.Record(static_cast<std::int64_t>(i) * 60, {wild[i]});
  }
  return history;
}

// One panel of a population chart as its own axes and line read it: the x
// of each time label, the y of each population grid line by its label, the
// points of the population's line and the x of each census mark.
struct PanelReading {
  std::map<std::string, std::string> x_of_hours;
  std::map<std::string, std::string> y_of_count;
  std::vector<std::string> line;
  std::vector<std::string> census_x;
};

// Whether `text` is a number as the chart's labels write them: "12", "0.5".
bool IsLabelNumber(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos;
}

// What one panel's elements draw: the time labels under its plot, the grid
// lines with their count labels, its population line and its census marks.
PanelReading ReadPanel(const std::string& panel) {
  PanelReading reading;
  const std::vector<SvgElement> elements = SvgElements(panel);
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const SvgElement& element = elements[i];
    const auto& attributes = element.attributes;
    if (element.name == "text" && attributes.size() == 3 && attributes[0].first == "x" &&
        attributes[1].first == "y" && element.Value("text-anchor") == "middle" &&
        IsLabelNumber(element.text)) {
      reading.x_of_hours[element.text] = element.Value("x");
    }
    if (element.name == "line" && attributes.size() >= 2 && attributes[0].first == "x1" &&
        attributes[1].first == "y1" && element.Value("stroke") == "#e5e5e5" &&
        element.text == "\n" && i + 1 < elements.size() && elements[i + 1].name == "text" &&
        IsLabelNumber(elements[i + 1].text)) {
      reading.y_of_count[elements[i + 1].text] = element.Value("y1");
    }
    if (element.name == "polyline" && element.Has("points") && reading.line.empty()) {
      reading.line = Words(element.Value("points"));
    }
    if (element.name == "path" && attributes.size() >= 2 &&
        attributes[0] == std::make_pair(std::string("stroke"), std::string("#999")) &&
        attributes[1].first == "d" && reading.census_x.empty()) {
      for (const auto& move : PathMoves(attributes[1].second)) {
        reading.census_x.push_back(move.first);
      }
    }
  }
  return reading;
}

// The panels in order; each begins at its bold heading.
std::vector<PanelReading> ReadPanels(const std::string& svg) {
  std::vector<std::size_t> starts;
  for (std::size_t at = svg.find("font-weight=\"bold\""); at != std::string::npos;
       at = svg.find("font-weight=\"bold\"", at + 1)) {
    starts.push_back(at);
  }
  std::vector<PanelReading> panels;
  for (std::size_t i = 0; i < starts.size(); ++i) {
    const std::string panel =
        svg.substr(starts[i], (i + 1 < starts.size() ? starts[i + 1] : svg.size()) - starts[i]);
    panels.push_back(ReadPanel(panel));
  }
  return panels;
}

// Whether the panel's line passes through `count` at `hours`, both as its
// axes label them.
bool LinePasses(const PanelReading& panel, const std::string& hours, const std::string& count) {
  const std::string point = panel.x_of_hours.at(hours) + "," + panel.y_of_count.at(count);
  return std::find(panel.line.begin(), panel.line.end(), point) != panel.line.end();
}

}  // namespace

TEST(PopulationHistory, CountsFromTheBeginningOfTheStretchOnly) {
  sim::PopulationHistory history(1);
  // Before the stretch begins: neither samples nor spawns nor deaths count.
  history.Record(0, {50});
  history.AddSpawns(0, 5, 2);
  history.AddDeaths(0, 4);
  // From its beginning on, all of them do.
  history.Begin(60, {7});
  history.AddSpawns(0, 3, 1);
  history.AddDeaths(0, 2);
  history.Record(120, {8});
  history.Record(180, {6});
  const sim::KindStretch& summary = history.Summary(0);
  EXPECT_EQ(std::make_tuple(7, 6, 8, 6, 3, 1, 2),
            std::make_tuple(summary.start, summary.min, summary.max, summary.end, summary.spawned,
                            summary.destroyed, summary.died));
  EXPECT_EQ(3, history.SampleCount());
  EXPECT_EQ(60, history.StartTime());
}

TEST(SummaryTable, OvershootCountsFromTheFirstCensusAndTheStartExcessApart) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}},
                                             {"dodo", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{{true, 12, std::nullopt}, {true, 5, std::nullopt}};
  sim::PopulationHistory history(2);
  history.MeasureExcessAgainst(caps);
  history.Begin(0, {16, 5});
  history.Record(60, {20, 9});      // before any census: not the plug-in's doing
  history.Record(120, {15, 4}, 1);  // a census counted {20, 9}; spawns since
  history.Record(180, {13, 8});     // raptor's excess dies off; dodo rises 3 above its cap
  history.Record(240, {14, 3}, 1);  // raptor rises 1 above its lowest, still over the cap
  const std::string report = sim::FormatReport(sim::ReportFacts{
      kinds, caps, history, kNoErrors, std::nullopt, std::nullopt, false, std::nullopt});
  // Raptor was 8 above its cap at the first census; what the gate let
  // through later rose 1 above the lowest count it had fallen to.
  EXPECT_EQ((std::vector<std::string>{"raptor", "12", "16", "13", "20", "14", "0", "8", "1"}),
            FirstRow(report));
  // Dodo: 4 above at the first census, fell to 4, then rose 3 above its cap.
  const std::vector<std::string> rows = Words(report.substr(report.find("\ndodo")));
  EXPECT_EQ((std::vector<std::string>{"dodo", "5", "5", "3", "9", "3", "0", "4", "3"}),
            std::vector<std::string>(rows.begin(), rows.begin() + 9));
  // Neither counts before a census: the same samples without one show none.
  sim::PopulationHistory uncounted(2);
  uncounted.MeasureExcessAgainst(caps);
  uncounted.Begin(0, {16, 5});
  uncounted.Record(60, {20, 9});
  const std::string without = sim::FormatReport(sim::ReportFacts{
      kinds, caps, uncounted, kNoErrors, std::nullopt, std::nullopt, false, std::nullopt});
  EXPECT_EQ("-", FirstRow(without)[7]);
  EXPECT_EQ("-", FirstRow(without)[8]);
  EXPECT_NE(std::string::npos, without.find("no census ran by the end")) << without;
}

TEST(SummaryTable, CapAtOrBelowZeroHoldsTheKindAtNone) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{{true, -1, std::nullopt}};
  sim::PopulationHistory history(1);
  history.MeasureExcessAgainst(caps);
  history.Begin(0, {4});
  history.Record(60, {4}, 1);
  history.Record(120, {3});
  const std::string report = sim::FormatReport(sim::ReportFacts{
      kinds, caps, history, kNoErrors, std::nullopt, std::nullopt, false, std::nullopt});
  // Measured from none, not from -1: 4 above at the census, nothing let through.
  EXPECT_EQ((std::vector<std::string>{"raptor", "-1", "4", "3", "4", "3", "0", "4", "0"}),
            FirstRow(report));
  EXPECT_NE(std::string::npos,
            report.find("cap of raptor is -1: at or below 0, the gate destroys every new "
                        "creature of the kind once a census has counted it"))
      << report;
  // The chart draws the cap at 0 and says what it does.
  const std::string svg = sim::PopulationChartSvg(kinds, caps, history, "t", std::nullopt);
  EXPECT_NE(std::string::npos,
            svg.find(">raptor: peak 4, cap -1: every new creature destroyed, start excess 4, "
                     "overshoot 0<"))
      << svg;
  EXPECT_NE(std::string::npos, svg.find(">cap -1: none</text>")) << svg;
}

TEST(SummaryTable, UncappedKindShowsNoCapAndNoOvershoot) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{{false, 0, std::nullopt}};
  const sim::PopulationHistory history = HistoryOf({10, 14});
  const std::string report = sim::FormatReport(sim::ReportFacts{
      kinds, caps, history, kNoErrors, std::nullopt, std::nullopt, false, std::nullopt});
  EXPECT_EQ((std::vector<std::string>{"raptor", "-", "10", "10", "14", "14", "0", "-", "-"}),
            FirstRow(report));
}

TEST(SummaryTable, PlugInThatDidNotStartIsSaidInTheSummaryAndOnTheChart) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{{false, 0, std::nullopt}};
  const sim::PopulationHistory history = HistoryOf({10, 14});
  const std::optional<std::string> failure("Can't open config.json");
  const std::string report = sim::FormatReport(sim::ReportFacts{
      kinds, caps, history, kNoErrors, std::nullopt, std::nullopt, false, failure});
  EXPECT_NE(
      std::string::npos,
      report.find("\nthe plug-in did not start: Can't open config.json; nothing was capped\n"))
      << report;
  const std::string svg = sim::PopulationChartSvg(kinds, caps, history, "t", failure);
  EXPECT_NE(std::string::npos, svg.find(">the plug-in did not start: Can&apos;t open config.json<"))
      << svg;
  EXPECT_EQ(std::string::npos, svg.find("no capped kind"));
}

TEST(SummaryTable, DumpExcerptShowsTheFirstLinesAndTheTotal) {
  const std::filesystem::path dump =
      std::filesystem::temp_directory_path() / "sim-summary-dump.txt";
  {
    std::ofstream out(dump);
    for (int i = 1; i <= 12; ++i) {
      out << "path|name " << i << "|1\n";
    }
  }
  const std::vector<sim::ScenarioKind> kinds;
  const std::vector<sim::KindCap> caps;
  const sim::PopulationHistory history(0);
  const std::string report = sim::FormatReport(
      sim::ReportFacts{kinds, caps, history, kNoErrors, dump, std::nullopt, false, std::nullopt});
  std::filesystem::remove(dump);
  EXPECT_NE(std::string::npos, report.find("  path|name 10|1\n")) << report;
  EXPECT_EQ(std::string::npos, report.find("name 11")) << report;
  EXPECT_NE(std::string::npos, report.find("... 12 lines in all")) << report;
}

TEST(SummaryTable, WideCharactersTakeTwoColumns) {
  EXPECT_EQ(8u, sim::DisplayWidth("迅猛龙 a"));
  // The first and last character of each wide range (Hangul Jamo, CJK to
  // Yi, Hangul syllables, CJK compatibility, vertical and compatibility
  // forms, fullwidth forms, the fullwidth signs U+FFE0 to U+FFE6, and the
  // ideographs from U+20000) take two columns each...
  EXPECT_EQ(30u, sim::DisplayWidth(Utf8FromUtf16(
                     u"\u1100\u115F\u2E80\uA4CF\uAC00\uD7A3\uF900\uFAFF\uFE30\uFE4F\uFF00"
                     u"\uFF60\uFFE0\uFFE6\U00020000")));
  // ... and the narrow characters next to them one: Georgian, a Hangul
  // filler, Lisu, a Latin ligature, a combining half mark and halfwidth forms.
  EXPECT_EQ(7u, sim::DisplayWidth(Utf8FromUtf16(u"\u10FF\u1160\uA4D0\uFB00\uFE2F\uFF61\uFFE8")));
}

TEST(PopulationChart, KindIdsAreEscapedForSvg) {
  const std::vector<sim::ScenarioKind> kinds{{"a<b&c", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{{true, 5, std::nullopt}};
  const std::string svg =
      sim::PopulationChartSvg(kinds, caps, HistoryOf({1, 2}), "t", std::nullopt);
  EXPECT_NE(std::string::npos, svg.find("a&lt;b&amp;c: peak 2, cap 5</text>")) << svg;
  EXPECT_EQ(std::string::npos, svg.find("a<b"));
}

TEST(PopulationHistory, BucketsStayBoundedAndKeepAShortPeakAndTrough) {
  std::vector<std::int64_t> wild(10 * sim::kMaxHistoryBuckets + 3, 10);
  wild[wild.size() / 2 + 1] = 1000;
  wild[wild.size() / 3] = 2;
  const sim::PopulationHistory history = HistoryOf(wild);
  EXPECT_LE(history.BucketCount(), sim::kMaxHistoryBuckets);
  EXPECT_GT(history.BucketCount(), sim::kMaxHistoryBuckets / 2);
  EXPECT_EQ(static_cast<std::int64_t>(wild.size()), history.SampleCount());
  std::int64_t highest = 0;
  std::int64_t lowest = 1000;
  for (std::size_t bucket = 0; bucket < history.BucketCount(); ++bucket) {
    highest = std::max(highest, history.RangeOf(bucket, 0).max);
    lowest = std::min(lowest, history.RangeOf(bucket, 0).min);
    // Buckets follow each other in time.
    EXPECT_LE(history.FirstTimeOf(bucket), history.LastTimeOf(bucket));
    if (bucket > 0) {
      EXPECT_LT(history.LastTimeOf(bucket - 1), history.FirstTimeOf(bucket));
    }
  }
  EXPECT_EQ(1000, highest);
  EXPECT_EQ(2, lowest);
  // The first and the last sample keep their times.
  EXPECT_EQ(0, history.StartTime());
  EXPECT_EQ(static_cast<std::int64_t>(wild.size() - 1) * 60, history.EndTime());
}

TEST(PopulationHistory, MergingKeepsTheOrderOfLowestAndHighestAndTheCensuses) {
  // A fall then a rise: the lowest comes first.
  EXPECT_TRUE(sim::Merged({5, 9, false}, {1, 20, true}).min_first);
  // A rise then a fall: the highest comes first.
  EXPECT_FALSE(sim::Merged({1, 20, true}, {0, 5, true}).min_first);
  // Both extremes in one run: its own order stays.
  EXPECT_FALSE(sim::Merged({4, 6, true}, {1, 30, false}).min_first);
  EXPECT_EQ(1, sim::Merged({4, 6, true}, {1, 30, false}).min);
  EXPECT_EQ(30, sim::Merged({4, 6, true}, {1, 30, false}).max);
  // Censuses are summed when buckets merge, none lost.
  sim::PopulationHistory history(1);
  history.Begin(0, {1});
  for (std::size_t i = 1; i < 3 * sim::kMaxHistoryBuckets; ++i) {
    history.Record(static_cast<std::int64_t>(i), {1}, i % 7 == 0 ? 1 : 0);
  }
  std::int64_t censuses = 0;
  for (std::size_t bucket = 0; bucket < history.BucketCount(); ++bucket) {
    censuses += history.CensusesIn(bucket);
  }
  EXPECT_EQ(static_cast<std::int64_t>((3 * sim::kMaxHistoryBuckets - 1) / 7), censuses);
}

TEST(SummaryTable, BrokenCapIsShownWithTheGatesError) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{{false, 0, std::string("type must be number")}};
  const sim::PopulationHistory history = HistoryOf({10, 14});
  const std::string report = sim::FormatReport(sim::ReportFacts{
      kinds, caps, history, kNoErrors, std::nullopt, std::nullopt, false, std::nullopt});
  EXPECT_EQ((std::vector<std::string>{"raptor", "broken", "10", "10", "14", "14", "0", "-", "-"}),
            FirstRow(report));
  EXPECT_NE(
      std::string::npos,
      report.find("broken cap of raptor: the gate fails to read it (\"type must be number\")"))
      << report;
}

TEST(SummaryTable, ErrorsAreCountedPerEntryPointWithTheFirstText) {
  const std::vector<sim::ScenarioKind> kinds;
  const std::vector<sim::KindCap> caps;
  const sim::PopulationHistory history(0);
  const std::vector<sim::EntryPointErrors> errors{{"spawn gate", {"", "hook G", 0}},
                                                  {"census timer", {"no General", "timer t", 720}}};
  const std::string report = sim::FormatReport(sim::ReportFacts{
      kinds, caps, history, errors, std::nullopt, std::nullopt, false, std::nullopt});
  EXPECT_NE(std::string::npos, report.find("plug-in errors: spawn gate 0, census timer 720\n"))
      << report;
  EXPECT_NE(std::string::npos, report.find("  census timer, first: no General\n")) << report;
  // An entry point without errors has no first error.
  EXPECT_EQ(std::string::npos, report.find("spawn gate, first")) << report;
}

TEST(PopulationChart, EachChartedKindHasItsOwnPanelAndScale) {
  const std::vector<sim::ScenarioKind> kinds{{"small", kExampleFullName, {}},
                                             {"free", kExampleFullName, {}},
                                             {"large", kExampleFullName, {}},
                                             {"broken", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{
      {true, 12, std::nullopt}, {}, {true, 1000, std::nullopt}, {false, 0, std::string("e")}};
  sim::PopulationHistory history(4);
  history.MeasureExcessAgainst(caps);
  history.Begin(0, {10, 5, 900, 3});
  history.Record(3600, {14, 5, 1000, 4}, 1);
  const std::string svg = sim::PopulationChartSvg(kinds, caps, history, "t", std::nullopt);
  EXPECT_NE(std::string::npos, svg.find(">small: peak 14, cap 12, overshoot 2</text>")) << svg;
  EXPECT_NE(std::string::npos, svg.find(">large: peak 1000, cap 1000, overshoot 0</text>"));
  // The broken cap has a panel that says so; an uncapped kind has none.
  EXPECT_NE(std::string::npos, svg.find(">broken: peak 4</text>"));
  EXPECT_NE(std::string::npos, svg.find(">cap broken</text>"));
  EXPECT_EQ(std::string::npos, svg.find(">free"));
  // The small kind's scale ends near its peak (15), not near the large one's.
  EXPECT_NE(std::string::npos, svg.find(">15</text>"));
}

TEST(PopulationChart, CapIsDrawnOverThePopulationAndCensusesAreMarked) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{{true, 5, std::nullopt}};
  sim::PopulationHistory history(1);
  history.Begin(0, {1});
  history.Record(3600, {7}, 1);
  history.Record(7200, {6}, 0);
  history.Record(10800, {4}, 2);
  const std::string svg = sim::PopulationChartSvg(kinds, caps, history, "t", std::nullopt);
  const std::size_t population = svg.find("<polyline");
  const std::size_t cap = svg.find("stroke-dasharray");
  ASSERT_NE(std::string::npos, population);
  EXPECT_LT(population, cap);
  // Its light halo goes under the population, so that a population sitting
  // exactly at the cap is not hidden by it.
  const std::size_t halo = svg.find("stroke=\"white\"");
  EXPECT_LT(halo, population);
  // One mark per sample after which a census had run, none elsewhere.
  const std::size_t marks_at = svg.find("<path stroke=\"#999\" d=\"");
  ASSERT_NE(std::string::npos, marks_at);
  const std::string marks = svg.substr(marks_at, svg.find("/>", marks_at) - marks_at);
  EXPECT_EQ(2, std::count(marks.begin(), marks.end(), 'M')) << marks;
  // The key under the panels names the cap's line and the census mark.
  EXPECT_NE(std::string::npos, svg.find(">cap</text>"));
  EXPECT_NE(std::string::npos, svg.find(">census</text>"));
  // A census in the first bucket, which only merged buckets have, is marked
  // as well.
  sim::PopulationHistory merged(1);
  merged.Begin(0, {1});
  for (std::size_t i = 1; i <= 2 * sim::kMaxHistoryBuckets; ++i) {
    merged.Record(static_cast<std::int64_t>(i), {1}, i == 1 ? 1 : 0);
  }
  ASSERT_LT(merged.BucketCount(), 2 * sim::kMaxHistoryBuckets);
  const std::vector<PanelReading> panels =
      ReadPanels(sim::PopulationChartSvg(kinds, caps, merged, "t", std::nullopt));
  ASSERT_EQ(1u, panels.size());
  EXPECT_EQ(1u, panels[0].census_x.size());
}

TEST(PopulationChart, EachLinePassesThroughItsKindsLowestAndHighestAtTheirTimes) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}},
                                             {"dodo", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{{true, 20, std::nullopt}, {true, 6, std::nullopt}};
  // Hourly samples over four hours; censuses ran by hours 1 and 3.
  sim::PopulationHistory history(2);
  history.Begin(0, {10, 4});
  history.Record(3600, {20, 2}, 1);
  history.Record(7200, {5, 3});
  history.Record(10800, {15, 8}, 2);
  history.Record(14400, {10, 6});
  const std::vector<PanelReading> panels =
      ReadPanels(sim::PopulationChartSvg(kinds, caps, history, "t", std::nullopt));
  ASSERT_EQ(2u, panels.size());
  // raptor: highest 20 at hour 1, lowest 5 at hour 2.
  EXPECT_TRUE(LinePasses(panels[0], "1", "20"));
  EXPECT_TRUE(LinePasses(panels[0], "2", "5"));
  // dodo: lowest 2 at hour 1, highest 8 at hour 3.
  EXPECT_TRUE(LinePasses(panels[1], "1", "2"));
  EXPECT_TRUE(LinePasses(panels[1], "3", "8"));
  // The census marks stand at the hours the censuses ran by.
  EXPECT_EQ((std::vector<std::string>{panels[1].x_of_hours.at("1"), panels[1].x_of_hours.at("3")}),
            panels[1].census_x);
}

TEST(PopulationChart, EverythingLiesInsideTheViewBoxAZeroHourRunsToo) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{{true, 5, std::nullopt}};
  const std::string hours =
      sim::PopulationChartSvg(kinds, caps, HistoryOf({1, 7, 4}), "t", std::nullopt);
  EXPECT_EQ(std::vector<std::string>{}, PlacesOutsideViewBox(hours));
  // All samples at one time: the time axis runs from 0 to 1 hour.
  sim::PopulationHistory at_once(1);
  at_once.Begin(600, {3});
  at_once.Record(600, {4}, 1);
  const std::string svg = sim::PopulationChartSvg(kinds, caps, at_once, "t", std::nullopt);
  EXPECT_EQ(std::vector<std::string>{}, PlacesOutsideViewBox(svg));
  const std::vector<PanelReading> panels = ReadPanels(svg);
  ASSERT_EQ(1u, panels.size());
  const std::map<std::string, std::string>& axis = panels[0].x_of_hours;
  ASSERT_FALSE(axis.empty());
  EXPECT_EQ("0", axis.begin()->first);
  EXPECT_EQ("1", axis.rbegin()->first);
  EXPECT_TRUE(LinePasses(panels[0], "0", "4"));
}

namespace {

// Caps of one kind: `cap` applied, or none for a negative one.
std::vector<sim::KindCap> CapsOf(std::int64_t cap) {
  return {cap < 0 ? sim::KindCap{} : sim::KindCap{true, cap, std::nullopt}};
}

// One kind from 20 wild: cap 30 until hour 1, where a reload lowers it to 10
// with 25 wild, a refused reload at hour 2, 28 wild at hour 3.
sim::CapTimeline LoweredAtHourOne(sim::PopulationHistory& history) {
  sim::CapTimeline timeline(CapsOf(30));
  history.Begin(0, {20});
  timeline.Begin({20});
  history.Record(3600, {25});
  timeline.Sample({25});
  timeline.Change(sim::CapChange{3600, 4, true, std::nullopt, CapsOf(10)}, {25});
  history.Record(7200, {24});
  timeline.Sample({24});
  timeline.Change(sim::CapChange{7200, 6, true, std::string("Can't open config.json"), CapsOf(10)},
                  {24});
  history.Record(10800, {28});
  timeline.Sample({28});
  return timeline;
}

}  // namespace

TEST(CapTimeline, OvershootCountsAboveTheCapInForceFromWhereTheKindStood) {
  sim::PopulationHistory history(1);
  const sim::CapTimeline timeline = LoweredAtHourOne(history);
  // Lowered to 10 with 25 wild: only the rise to 28 is overshoot, not the
  // 15 the kind already stood above its new cap; the refused reload, which
  // keeps the cap, starts no period of its own.
  EXPECT_EQ((std::vector<std::optional<std::int64_t>>{0, 3}), timeline.OvershootByPeriod(0));
  EXPECT_EQ(3, timeline.Overshoot(0));
  EXPECT_EQ(30, timeline.AtStart()[0].cap);
  EXPECT_EQ(10, timeline.Current()[0].cap);
  // Before the stretch begins a change only sets the caps it starts with.
  sim::CapTimeline early(CapsOf(-1));
  early.Change(sim::CapChange{0, 0, true, std::nullopt, CapsOf(5)}, {9});
  early.Begin({9});
  EXPECT_TRUE(early.Changes().empty());
  EXPECT_EQ(5, early.AtStart()[0].cap);
  EXPECT_EQ(4, early.Overshoot(0));
  // A kind never capped has no overshoot.
  EXPECT_EQ(std::nullopt, sim::CapTimeline(CapsOf(-1)).Overshoot(0));
  // A cap below 0 holds the kind at none: 3 wild are 3 over it, not 8.
  sim::CapTimeline below_zero({sim::KindCap{true, -5, std::nullopt}});
  below_zero.Begin({3});
  EXPECT_EQ(3, below_zero.Overshoot(0));
}

TEST(SummaryTable, ReloadsShowTheCapsInTurnAndWhyOneWasRefused) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}}};
  sim::PopulationHistory history(1);
  const sim::CapTimeline timeline = LoweredAtHourOne(history);
  const std::string report = sim::FormatReport(
      sim::ReportFacts{kinds, timeline.AtStart(), history, kNoErrors, std::nullopt, std::nullopt,
                       false, std::nullopt, &timeline});
  EXPECT_EQ((std::vector<std::string>{"raptor", "30\u219210", "20", "20", "28", "28", "0", "-",
                                      "0\u21923"}),
            FirstRow(report))
      << report;
  EXPECT_NE(std::string::npos, report.find("reload at 1.0 h (step 4): caps raptor 30\u219210\n"))
      << report;
  EXPECT_NE(
      std::string::npos,
      report.find("reload at 2.0 h (step 6) refused, the caps stay: Can't open config.json\n"))
      << report;
}

TEST(PopulationChart, CapLineStepsAtAReloadAndEachReloadIsMarked) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}}};
  sim::PopulationHistory history(1);
  const sim::CapTimeline timeline = LoweredAtHourOne(history);
  const std::string svg =
      sim::PopulationChartSvg(kinds, timeline.AtStart(), history, "t", std::nullopt, &timeline);
  const std::vector<PanelReading> panels = ReadPanels(svg);
  ASSERT_EQ(1u, panels.size());
  const PanelReading& panel = panels[0];
  EXPECT_NE(std::string::npos,
            svg.find(">raptor: peak 28, cap 30\u219210, overshoot 0\u21923</text>"));
  // The dashed cap line runs at 30 to hour 1, steps down to 10 and runs on
  // to the end of the scale.
  std::string cap_path;
  for (const SvgElement& element : SvgElements(svg)) {
    if (element.name == "path" && element.Value("stroke-dasharray") == "6 4") {
      cap_path = element.Value("d");
    }
  }
  EXPECT_EQ("M" + panel.x_of_hours.at("0") + " " + panel.y_of_count.at("30") + "H" +
                panel.x_of_hours.at("1") + " V" + panel.y_of_count.at("10") + "H" +
                panel.x_of_hours.at("3") + " ",
            cap_path);
  // The taken reload and the refused one are marked where they happened.
  EXPECT_NE(std::string::npos, svg.find("x1=\"" + panel.x_of_hours.at("1") + "\""));
  EXPECT_NE(std::string::npos, svg.find(">reload</text>"));
  EXPECT_NE(std::string::npos, svg.find(">reload refused</text>"));
}

TEST(PopulationChart, CapFarAboveThePeakStaysAboveAScaleFittedToThePopulation) {
  const std::vector<sim::ScenarioKind> kinds{{"rare", kExampleFullName, {}}};
  const std::string svg =
      sim::PopulationChartSvg(kinds, CapsOf(1000), HistoryOf({10, 20, 15}), "t");
  const std::vector<PanelReading> panels = ReadPanels(svg);
  ASSERT_EQ(1u, panels.size());
  // The scale ends near the peak of 20, not at the cap; the cap is labelled
  // as above it.
  EXPECT_EQ(0u, panels[0].y_of_count.count("1000"));
  EXPECT_EQ(1u, panels[0].y_of_count.count("20"));
  EXPECT_NE(std::string::npos, svg.find(">cap 1000 \u2191 (above the scale)</text>")) << svg;
  // A cap within twice the peak stays on the scale.
  const std::string near = sim::PopulationChartSvg(kinds, CapsOf(40), HistoryOf({10, 20, 15}), "t");
  EXPECT_EQ(1u, ReadPanels(near)[0].y_of_count.count("40"));
}

TEST(PopulationChart, CensusesTooCloseToTellApartAreABandNotABar) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}}};
  sim::PopulationHistory history(1);
  history.Begin(0, {1});
  // A census each minute over a day: hundreds of marks a pixel apart...
  for (std::int64_t minute = 1; minute <= 1440; ++minute) {
    history.Record(minute * 60, {1}, 1);
  }
  // ... then one alone a day later.
  history.Record(std::int64_t{2} * 86400, {1}, 1);
  const std::string svg = sim::PopulationChartSvg(kinds, CapsOf(5), history, "t");
  const std::vector<PanelReading> panels = ReadPanels(svg);
  ASSERT_EQ(1u, panels.size());
  EXPECT_EQ(1u, panels[0].census_x.size());
  std::size_t bands = 0;
  for (const SvgElement& element : SvgElements(svg)) {
    bands += element.name == "rect" && element.Value("fill") == "#999" ? 1 : 0;
  }
  // One band in the panel and one in the key.
  EXPECT_EQ(2u, bands);
  EXPECT_NE(std::string::npos, svg.find(">censuses too close to mark apart</text>"));
}

}  // namespace dravelquin
