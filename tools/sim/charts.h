#pragma once

// The SVG charts: their parts, the population chart, the sweep's swing
// chart, and writing a chart file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "sim/cap_timeline.h"
#include "sim/scenario.h"
#include "sim/sweep.h"
#include "sim/world.h"

namespace dravelquin::sim {

// What the simulator's SVG charts share: the page, panels one above the
// other each with its own population scale, the cap line and the colours.

constexpr double kChartWidth = 960;
constexpr double kChartTitleHeight = 50;
constexpr double kPanelHeight = 200;
constexpr double kChartFooterHeight = 40;
constexpr double kPlotLeft = 80;
constexpr double kPlotRight = 760;
constexpr double kLabelLeft = 772;  // labels right of the plots
constexpr const char* kCapColour = "#222";

// Text made safe inside SVG elements and attributes.
std::string Escaped(const std::string& text);
// A coordinate, with one decimal.
std::string Number(double value);
// An axis label: whole numbers without a fraction.
std::string TickLabel(double value);
// 1, 2 or 5 times a power of ten, for about six ticks over `range`.
double NiceStep(double range);
// A scale's top: `value` rounded up to its step.
double RoundedUp(double value);
// The colour of the panel at `panel` from the top.
const char* PanelColour(std::size_t panel);

// One panel's place in the page and its population scale, from 0 to
// `max_population` (rounded up from a little above what it shows).
struct PanelFrame {
  double top;
  double max_population;

  double PlotTop() const;
  double PlotBottom() const;
  double Y(double population) const;
};

// A frame for the panel at `panel` from the top whose highest value is `highest`.
PanelFrame FrameFor(std::size_t panel, double highest);

// The page and its title; `height` from PageHeight.
void StartPage(std::ostringstream& svg, double height, const std::string& title);
double PageHeight(std::size_t panels);
// The top of the footer under `panels` panels.
double FooterTop(std::size_t panels);
// `text` where the panels would be.
void NoPanel(std::ostringstream& svg, const std::string& text);
void EndPage(std::ostringstream& svg);

// A panel's heading, in its colour, above its plot.
void DrawHeading(std::ostringstream& svg, const PanelFrame& frame, const char* colour,
                 const std::string& text);
// The population scale: grid lines and their labels, and the plot's border.
void DrawPopulationScale(std::ostringstream& svg, const PanelFrame& frame);
// The cap: a dashed dark line along the path `d` over the data, on a light
// halo drawn under the data (so that the cap stays visible over dense data
// and data sitting exactly at the cap stays visible over the halo), and its
// label at the cap's height.
void DrawCapHalo(std::ostringstream& svg, const std::string& d);
void DrawCapLine(std::ostringstream& svg, const std::string& d);
void DrawCapLabel(std::ostringstream& svg, std::int64_t cap, const PanelFrame& frame);
// The path of a cap straight across the plot.
std::string CapPathAcross(std::int64_t cap, const PanelFrame& frame);
// A footer's key entry for the cap's line at `left`, on the line at `y`.
void DrawCapKey(std::ostringstream& svg, double left, double y);

// The chart an administrator opens in a browser: each capped kind's wild
// population over the recorded stretch, with its cap and the censuses.

// A standalone SVG document, `title` above one panel per kind whose cap is
// applied or broken at some time, in kind order. Each panel has its own
// population scale, from 0 to a little above the kind's peak and its caps
// (a cap more than twice the peak is left above the scale, its label
// marked with an arrow, so as not to flatten the population), and the same
// time axis (simulated hours since the stretch began): the population as a
// solid line (a history's bucket as its lowest and highest count), the cap
// as a dashed dark line over it, on a light halo under it, labelled, a
// broken cap named in red instead, and a mark at the foot of the panel
// where censuses ran (a thin band where they run too close to tell apart).
// A cap at or below 0 is labelled as destroying every new creature.
// With `caps_over_time`, `caps` are those at the stretch's start: the cap
// line steps at each change, and a dotted line marks each reload (red when
// refused) and new start-up. Kinds without a cap are left out; when none is
// left the chart says so, or that the plug-in did not start and why when
// `start_failure` is given.
std::string PopulationChartSvg(const std::vector<ScenarioKind>& kinds,
                               const std::vector<KindCap>& caps, const PopulationHistory& history,
                               const std::string& title,
                               const std::optional<std::string>& start_failure = std::nullopt,
                               const CapTimeline* caps_over_time = nullptr);

// The chart of an interval sweep: for each capped kind, how far its wild
// population swung around its cap at each interval tried.

// A standalone SVG document in the style of the population chart: one panel
// per capped kind, in kind order, each with its own population scale and the
// same interval axis (one place per interval tried, ascending, labelled in
// seconds). A panel shows the band within the tolerance of the cap, the
// highest and the lowest count at each interval joined by a bar and by a
// solid (highest) and a dotted (lowest) line, and the cap as the population
// chart draws it. Says so when no kind is capped.
std::string SwingChartSvg(const SweepOutcome& sweep);

// Writing a chart where --chart says.

// Writes `svg` to `path`, replacing what is there. Raises std::runtime_error
// when it cannot be written.
void WriteChartFile(const std::string& path, const std::string& svg);

}  // namespace dravelquin::sim
