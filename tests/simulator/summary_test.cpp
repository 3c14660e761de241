// What the simulator shows an administrator: the summary table and the chart.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tools/sim/applied_caps.h"
#include "tools/sim/population_history.h"
#include "tools/sim/report_table.h"
#include "tools/sim/svg_chart.h"

namespace dravelquin {

namespace {

const char* const kExampleFullName =
    "Example_BP_C /Game/Creatures/Example/Example_BP.Default__Example_BP_C";

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
            std::make_tuple(summary.start, summary.min, summary.max, summary.end,
                            summary.spawned, summary.destroyed, summary.died));
  EXPECT_EQ(3u, history.SampleCount());
  EXPECT_EQ(60, history.TimeAt(0));
}

TEST(SummaryTable, OvershootIsThePeakAboveTheCap) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{{true, 12}};
  const sim::PopulationHistory history = HistoryOf({10, 14, 9});
  const std::string report =
      sim::FormatReport(sim::ReportFacts{kinds, caps, history, std::nullopt, std::nullopt});
  EXPECT_EQ((std::vector<std::string>{"raptor", "12", "10", "9", "14", "9", "0", "2"}),
            FirstRow(report));
}

TEST(SummaryTable, UncappedKindShowsNoCapAndNoOvershoot) {
  const std::vector<sim::ScenarioKind> kinds{{"raptor", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{{false, 0}};
  const sim::PopulationHistory history = HistoryOf({10, 14});
  const std::string report =
      sim::FormatReport(sim::ReportFacts{kinds, caps, history, std::nullopt, std::nullopt});
  EXPECT_EQ((std::vector<std::string>{"raptor", "-", "10", "10", "14", "14", "0", "-"}),
            FirstRow(report));
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
  const std::string report =
      sim::FormatReport(sim::ReportFacts{kinds, caps, history, dump, std::nullopt});
  std::filesystem::remove(dump);
  EXPECT_NE(std::string::npos, report.find("  path|name 10|1\n")) << report;
  EXPECT_EQ(std::string::npos, report.find("name 11")) << report;
  EXPECT_NE(std::string::npos, report.find("... 12 lines in all")) << report;
}

TEST(SummaryTable, WideCharactersTakeTwoColumns) { EXPECT_EQ(8u, sim::DisplayWidth("迅猛龙 a")); }

TEST(PopulationChart, KindIdsAreEscapedForSvg) {
  const std::vector<sim::ScenarioKind> kinds{{"a<b&c", kExampleFullName, {}}};
  const std::vector<sim::KindCap> caps{{true, 5}};
  const std::string svg = sim::PopulationChartSvg(kinds, caps, HistoryOf({1, 2}), "t");
  EXPECT_NE(std::string::npos, svg.find("a&lt;b&amp;c (cap 5, peak 2)")) << svg;
  EXPECT_EQ(std::string::npos, svg.find("a<b"));
}

TEST(PopulationChart, ThinningKeepsAShortPeak) {
  std::vector<std::int64_t> wild(10 * sim::kMaxChartPoints, 10);
  const std::size_t peak = wild.size() / 2 + 1;
  wild[peak] = 1000;
  const std::vector<std::size_t> drawn = sim::ChartSamples(HistoryOf(wild), 0);
  EXPECT_LE(drawn.size(), sim::kMaxChartPoints);
  EXPECT_NE(drawn.end(), std::find(drawn.begin(), drawn.end(), peak));
  EXPECT_TRUE(std::is_sorted(drawn.begin(), drawn.end()));
}

}  // namespace dravelquin
