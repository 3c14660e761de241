#include "tools/sim/swing_chart.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <vector>

#include "tools/sim/svg_parts.h"
#include "tools/sim/sweep_arguments.h"

namespace dravelquin::sim {

namespace {

constexpr double kPointRadius = 3;
constexpr const char* kBandColour = "#e8e8e8";

double IntervalX(const SweepOutcome& sweep, std::size_t interval) {
  return kPlotLeft + (kPlotRight - kPlotLeft) * (static_cast<double>(interval) + 0.5) /
                         static_cast<double>(sweep.intervals.size());
}

double HighestOf(const SweepOutcome& sweep, std::size_t kind) {
  std::int64_t highest = sweep.kinds[kind].cap;
  for (const IntervalOutcome& interval : sweep.intervals) {
    highest = std::max(highest, interval.kinds[kind].highest);
  }
  return static_cast<double>(highest);
}

void DrawIntervalAxis(std::ostringstream& svg, const SweepOutcome& sweep, const PanelFrame& frame) {
  const double bottom = frame.PlotBottom();
  for (std::size_t interval = 0; interval < sweep.intervals.size(); ++interval) {
    const std::string x = Number(IntervalX(sweep, interval));
    svg << "<line x1=\"" << x << "\" y1=\"" << Number(bottom) << "\" x2=\"" << x << "\" y2=\""
        << Number(bottom + 5) << "\" stroke=\"#333\"/>\n<text x=\"" << x << "\" y=\""
        << Number(bottom + 18) << "\" text-anchor=\"middle\">"
        << TickLabel(static_cast<double>(sweep.intervals[interval].interval)) << "</text>\n";
  }
}

void DrawBand(std::ostringstream& svg, const CapBand& band, const PanelFrame& frame) {
  const double top = frame.Y(static_cast<double>(band.high));
  svg << "<rect x=\"" << kPlotLeft << "\" y=\"" << Number(top) << "\" width=\""
      << kPlotRight - kPlotLeft << "\" height=\""
      << Number(frame.Y(static_cast<double>(band.low)) - top) << "\" fill=\"" << kBandColour
      << "\"/>\n";
}

// The highest or the lowest count at each interval: a line through dots.
void DrawCounts(std::ostringstream& svg, const SweepOutcome& sweep, std::size_t kind, bool highest,
                const char* colour, const PanelFrame& frame) {
  std::ostringstream points;
  std::ostringstream dots;
  for (std::size_t interval = 0; interval < sweep.intervals.size(); ++interval) {
    const KindAtInterval& outcome = sweep.intervals[interval].kinds[kind];
    const std::string x = Number(IntervalX(sweep, interval));
    const std::string y =
        Number(frame.Y(static_cast<double>(highest ? outcome.highest : outcome.lowest)));
    points << x << "," << y << " ";
    dots << "<circle cx=\"" << x << "\" cy=\"" << y << "\" r=\"" << kPointRadius << "\" fill=\""
         << colour << "\"/>\n";
  }
  svg << "<polyline fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"1.5\""
      << (highest ? "" : " stroke-dasharray=\"2 3\"") << " points=\"" << points.str() << "\"/>\n"
      << dots.str();
}

// The swing at each interval: a pale bar from the lowest to the highest count.
void DrawSwings(std::ostringstream& svg, const SweepOutcome& sweep, std::size_t kind,
                const char* colour, const PanelFrame& frame) {
  for (std::size_t interval = 0; interval < sweep.intervals.size(); ++interval) {
    const KindAtInterval& outcome = sweep.intervals[interval].kinds[kind];
    const std::string x = Number(IntervalX(sweep, interval));
    svg << "<line x1=\"" << x << "\" y1=\"" << Number(frame.Y(static_cast<double>(outcome.lowest)))
        << "\" x2=\"" << x << "\" y2=\"" << Number(frame.Y(static_cast<double>(outcome.highest)))
        << "\" stroke=\"" << colour << "\" stroke-width=\"8\" stroke-opacity=\"0.3\"/>\n";
  }
}

void DrawPanel(std::ostringstream& svg, const SweepOutcome& sweep, std::size_t kind) {
  const CappedKind& capped = sweep.kinds[kind];
  const PanelFrame frame = FrameFor(kind, HighestOf(sweep, kind));
  const char* colour = PanelColour(kind);
  DrawHeading(svg, frame, colour,
              capped.id + ": cap " + std::to_string(capped.cap) +
                  ", highest and lowest wild count at each interval");
  DrawBand(svg, BandAround(capped.cap, sweep.tolerance_percent), frame);
  DrawIntervalAxis(svg, sweep, frame);
  DrawPopulationScale(svg, frame);
  DrawSwings(svg, sweep, kind, colour, frame);
  DrawCounts(svg, sweep, kind, true, colour, frame);
  DrawCounts(svg, sweep, kind, false, colour, frame);
  DrawCap(svg, capped.cap, frame);
}

void DrawFooter(std::ostringstream& svg, const SweepOutcome& sweep, double top) {
  svg << "<text x=\"" << (kPlotLeft + kPlotRight) / 2 << "\" y=\"" << top + 16
      << "\" text-anchor=\"middle\">" << kSweptSetting << " (seconds)</text>\n";
  DrawCapKey(svg, kPlotLeft, top + 30);
  svg << "<rect x=\"" << kPlotLeft + 70 << "\" y=\"" << top + 24
      << "\" width=\"24\" height=\"12\" fill=\"" << kBandColour << "\"/>\n<text x=\""
      << kPlotLeft + 100 << "\" y=\"" << top + 34 << "\">within "
      << TickLabel(sweep.tolerance_percent) << "% of the cap</text>\n"
      << "<line x1=\"" << kPlotLeft + 260 << "\" y1=\"" << top + 30 << "\" x2=\"" << kPlotLeft + 284
      << "\" y2=\"" << top + 30 << "\" stroke=\"" << kCapColour
      << "\" stroke-width=\"1.5\"/>\n<text x=\"" << kPlotLeft + 290 << "\" y=\"" << top + 34
      << "\">highest</text>\n<line x1=\"" << kPlotLeft + 350 << "\" y1=\"" << top + 30 << "\" x2=\""
      << kPlotLeft + 374 << "\" y2=\"" << top + 30 << "\" stroke=\"" << kCapColour
      << "\" stroke-width=\"1.5\" stroke-dasharray=\"2 3\"/>\n<text x=\"" << kPlotLeft + 380
      << "\" y=\"" << top + 34 << "\">lowest</text>\n";
}

}  // namespace

std::string SwingChartSvg(const SweepOutcome& sweep) {
  std::ostringstream svg;
  StartPage(svg, PageHeight(sweep.kinds.size()),
            "Swing around the cap by " + std::string(kSweptSetting) + ": " + sweep.title);
  if (sweep.kinds.empty()) {
    NoPanel(svg);
  }
  for (std::size_t kind = 0; kind < sweep.kinds.size(); ++kind) {
    DrawPanel(svg, sweep, kind);
  }
  DrawFooter(svg, sweep, FooterTop(sweep.kinds.size()));
  EndPage(svg);
  return svg.str();
}

}  // namespace dravelquin::sim
