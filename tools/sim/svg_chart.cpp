#include "tools/sim/svg_chart.h"

#include <algorithm>
#include <sstream>

#include "tools/sim/svg_parts.h"

namespace dravelquin::sim {

namespace {

constexpr double kCensusMarkHeight = 7;
constexpr double kSecondsPerHour = 3600.0;
constexpr const char* kBrokenColour = "#c00";
constexpr const char* kCensusColour = "#999";

// Maps simulated hours and one kind's population into its panel.
struct PanelScale {
  PanelFrame frame;
  double max_hours;

  double X(double hours) const { return kPlotLeft + (kPlotRight - kPlotLeft) * hours / max_hours; }
};

std::vector<std::size_t> ChartedKinds(const std::vector<KindCap>& caps) {
  std::vector<std::size_t> charted;
  for (std::size_t kind = 0; kind < caps.size(); ++kind) {
    if (caps[kind].capped || caps[kind].broken) {
      charted.push_back(kind);
    }
  }
  return charted;
}

double HoursSinceStart(const PopulationHistory& history, std::int64_t time) {
  return static_cast<double>(time - history.StartTime()) / kSecondsPerHour;
}

PanelScale ScaleFor(const PopulationHistory& history, const KindCap& cap, std::size_t kind,
                    std::size_t panel) {
  const double hours = HoursSinceStart(history, history.EndTime());
  double highest = static_cast<double>(history.Summary(kind).max);
  if (cap.capped) {
    highest = std::max(highest, static_cast<double>(cap.cap));
  }
  return PanelScale{FrameFor(panel, highest), RoundedUp(hours > 0 ? hours : 1)};
}

void DrawTimeAxis(std::ostringstream& svg, const PanelScale& scale) {
  const double hours_step = NiceStep(scale.max_hours);
  const double bottom = scale.frame.PlotBottom();
  for (double hours = 0; hours <= scale.max_hours + hours_step / 2; hours += hours_step) {
    svg << "<line x1=\"" << Number(scale.X(hours)) << "\" y1=\"" << Number(bottom)
        << "\" x2=\"" << Number(scale.X(hours)) << "\" y2=\"" << Number(bottom + 5)
        << "\" stroke=\"#333\"/>\n<text x=\"" << Number(scale.X(hours)) << "\" y=\""
        << Number(bottom + 18) << "\" text-anchor=\"middle\">" << TickLabel(hours)
        << "</text>\n";
  }
}

// Where censuses ran: a short mark rising from the foot of the plot.
void DrawCensusMarks(std::ostringstream& svg, const PopulationHistory& history,
                     const PanelScale& scale) {
  svg << "<path stroke=\"" << kCensusColour << "\" d=\"";
  for (std::size_t bucket = 0; bucket < history.BucketCount(); ++bucket) {
    if (history.CensusesIn(bucket) > 0) {
      const double x = scale.X(HoursSinceStart(history, history.LastTimeOf(bucket)));
      svg << "M" << Number(x) << " " << Number(scale.frame.PlotBottom()) << "v-"
          << kCensusMarkHeight << " ";
    }
  }
  svg << "\"/>\n";
}

// Each bucket as its first and its last sample's time, at its lowest and
// highest count in the order they came.
void DrawPopulation(std::ostringstream& svg, const PopulationHistory& history, std::size_t kind,
                    const char* colour, const PanelScale& scale) {
  svg << "<polyline fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"1.5\" points=\"";
  for (std::size_t bucket = 0; bucket < history.BucketCount(); ++bucket) {
    const WildRange& range = history.RangeOf(bucket, kind);
    const std::int64_t first = range.min_first ? range.min : range.max;
    const std::int64_t last = range.min_first ? range.max : range.min;
    svg << Number(scale.X(HoursSinceStart(history, history.FirstTimeOf(bucket)))) << ","
        << Number(scale.frame.Y(static_cast<double>(first))) << " "
        << Number(scale.X(HoursSinceStart(history, history.LastTimeOf(bucket)))) << ","
        << Number(scale.frame.Y(static_cast<double>(last))) << " ";
  }
  svg << "\"/>\n";
}

void DrawPanel(std::ostringstream& svg, const PopulationHistory& history, const std::string& id,
               const KindCap& cap, std::size_t kind, std::size_t panel) {
  const PanelScale scale = ScaleFor(history, cap, kind, panel);
  const char* colour = PanelColour(panel);
  const KindStretch& summary = history.Summary(kind);
  std::string heading = id + ": peak " + std::to_string(summary.max);
  if (cap.capped) {
    heading += ", cap " + std::to_string(cap.cap) + ", overshoot " +
               std::to_string(summary.max > cap.cap ? summary.max - cap.cap : 0);
  }
  DrawHeading(svg, scale.frame, colour, heading);
  DrawTimeAxis(svg, scale);
  DrawPopulationScale(svg, scale.frame);
  DrawCensusMarks(svg, history, scale);
  DrawPopulation(svg, history, kind, colour, scale);
  if (cap.capped) {
    DrawCap(svg, cap.cap, scale.frame);
  } else {
    svg << "<text x=\"" << kLabelLeft << "\" y=\"" << Number(scale.frame.PlotTop() + 12)
        << "\" fill=\"" << kBrokenColour << "\">cap broken</text>\n<text x=\"" << kLabelLeft
        << "\" y=\"" << Number(scale.frame.PlotTop() + 28) << "\" fill=\"" << kBrokenColour
        << "\" font-size=\"10\">(the gate fails)</text>\n";
  }
}

void DrawFooter(std::ostringstream& svg, double top) {
  svg << "<text x=\"" << (kPlotLeft + kPlotRight) / 2 << "\" y=\"" << top + 16
      << "\" text-anchor=\"middle\">simulated hours</text>\n";
  DrawCapKey(svg, kPlotLeft, top + 30);
  svg << "<path stroke=\"" << kCensusColour << "\" d=\"M" << kPlotLeft + 80 << " " << top + 34
      << "v-" << kCensusMarkHeight << "\"/>\n<text x=\"" << kPlotLeft + 86 << "\" y=\"" << top + 34
      << "\">census</text>\n";
}

}  // namespace

std::string PopulationChartSvg(const std::vector<ScenarioKind>& kinds,
                               const std::vector<KindCap>& caps, const PopulationHistory& history,
                               const std::string& title) {
  std::vector<std::size_t> charted = ChartedKinds(caps);
  if (history.BucketCount() == 0) {
    charted.clear();
  }
  std::ostringstream svg;
  StartPage(svg, PageHeight(charted.size()), "Wild population of capped kinds: " + title);
  if (charted.empty()) {
    NoPanel(svg);
  }
  for (std::size_t panel = 0; panel < charted.size(); ++panel) {
    DrawPanel(svg, history, kinds[charted[panel]].id, caps[charted[panel]], charted[panel], panel);
  }
  DrawFooter(svg, FooterTop(charted.size()));
  EndPage(svg);
  return svg.str();
}

}  // namespace dravelquin::sim
