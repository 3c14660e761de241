#pragma once

// What the simulator's SVG charts share: the page, panels one above the
// other each with its own population scale, the cap line and the colours.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace dravelquin::sim {

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
// "no capped kind" where the panels would be.
void NoPanel(std::ostringstream& svg);
void EndPage(std::ostringstream& svg);

// A panel's heading, in its colour, above its plot.
void DrawHeading(std::ostringstream& svg, const PanelFrame& frame, const char* colour,
                 const std::string& text);
// The population scale: grid lines and their labels, and the plot's border.
void DrawPopulationScale(std::ostringstream& svg, const PanelFrame& frame);
// The cap: a dashed dark line on a light halo across the plot, labelled.
void DrawCap(std::ostringstream& svg, std::int64_t cap, const PanelFrame& frame);
// A footer's key entry for the cap's line at `left`, on the line at `y`.
void DrawCapKey(std::ostringstream& svg, double left, double y);

}  // namespace dravelquin::sim
