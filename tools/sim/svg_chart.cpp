#include "tools/sim/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace dravelquin::sim {

namespace {

constexpr double kWidth = 960;
constexpr double kTitleHeight = 50;
constexpr double kPanelHeight = 200;
constexpr double kFooterHeight = 40;
constexpr double kPlotLeft = 80;
constexpr double kPlotRight = 760;
constexpr double kPlotTopInPanel = 24;
constexpr double kPlotBottomInPanel = 170;
constexpr double kLabelLeft = 772;
constexpr double kCensusMarkHeight = 7;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kHeadroom = 1.05;
constexpr int kWantedTicks = 6;
constexpr const char* kCapColour = "#222";
constexpr const char* kBrokenColour = "#c00";
constexpr const char* kCensusColour = "#999";
const char* const kPalette[] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#9467bd", "#8c564b",
                                "#e377c2", "#7f7f7f", "#bcbd22", "#17becf"};
constexpr std::size_t kPaletteSize = sizeof(kPalette) / sizeof(kPalette[0]);

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

// A tick label: whole numbers without a fraction.
std::string TickLabel(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// 1, 2 or 5 times a power of ten, near range / kWantedTicks.
double NiceStep(double range) {
  const double rough = range / kWantedTicks;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  const double fraction = rough / power;
  const double nice = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
  return nice * power;
}

double RoundedUp(double value) {
  const double step = NiceStep(value);
  return std::ceil(value / step) * step;
}

// Maps simulated hours and one kind's population into its panel.
struct PanelScale {
  double top;  // of the panel in the document
  double max_hours;
  double max_population;

  double Left() const { return kPlotLeft; }
  double PlotTop() const { return top + kPlotTopInPanel; }
  double PlotBottom() const { return top + kPlotBottomInPanel; }
  double X(double hours) const { return kPlotLeft + (kPlotRight - kPlotLeft) * hours / max_hours; }
  double Y(double population) const {
    const double clamped = std::clamp(population, 0.0, max_population);
    return PlotBottom() - (PlotBottom() - PlotTop()) * clamped / max_population;
  }
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
                    double top) {
  const double hours = HoursSinceStart(history, history.EndTime());
  double population = std::max(1.0, static_cast<double>(history.Summary(kind).max));
  if (cap.capped) {
    population = std::max(population, static_cast<double>(cap.cap));
  }
  return PanelScale{top, RoundedUp(hours > 0 ? hours : 1), RoundedUp(population * kHeadroom)};
}

void DrawAxes(std::ostringstream& svg, const PanelScale& scale) {
  const double hours_step = NiceStep(scale.max_hours);
  for (double hours = 0; hours <= scale.max_hours + hours_step / 2; hours += hours_step) {
    svg << "<line x1=\"" << Number(scale.X(hours)) << "\" y1=\"" << Number(scale.PlotBottom())
        << "\" x2=\"" << Number(scale.X(hours)) << "\" y2=\"" << Number(scale.PlotBottom() + 5)
        << "\" stroke=\"#333\"/>\n<text x=\"" << Number(scale.X(hours)) << "\" y=\""
        << Number(scale.PlotBottom() + 18) << "\" text-anchor=\"middle\">" << TickLabel(hours)
        << "</text>\n";
  }
  const double population_step = NiceStep(scale.max_population);
  for (double population = 0; population <= scale.max_population + population_step / 2;
       population += population_step) {
    svg << "<line x1=\"" << kPlotLeft << "\" y1=\"" << Number(scale.Y(population)) << "\" x2=\""
        << kPlotRight << "\" y2=\"" << Number(scale.Y(population)) << "\" stroke=\"#e5e5e5\"/>\n"
        << "<text x=\"" << kPlotLeft - 8 << "\" y=\"" << Number(scale.Y(population) + 4)
        << "\" text-anchor=\"end\">" << TickLabel(population) << "</text>\n";
  }
  svg << "<rect x=\"" << kPlotLeft << "\" y=\"" << Number(scale.PlotTop()) << "\" width=\""
      << kPlotRight - kPlotLeft << "\" height=\"" << Number(scale.PlotBottom() - scale.PlotTop())
      << "\" fill=\"none\" stroke=\"#333\"/>\n";
}

// Where censuses ran: a short mark rising from the foot of the plot.
void DrawCensusMarks(std::ostringstream& svg, const PopulationHistory& history,
                     const PanelScale& scale) {
  svg << "<path stroke=\"" << kCensusColour << "\" d=\"";
  for (std::size_t bucket = 0; bucket < history.BucketCount(); ++bucket) {
    if (history.CensusesIn(bucket) > 0) {
      const double x = scale.X(HoursSinceStart(history, history.LastTimeOf(bucket)));
      svg << "M" << Number(x) << " " << Number(scale.PlotBottom()) << "v-" << kCensusMarkHeight
          << " ";
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
        << Number(scale.Y(static_cast<double>(first))) << " "
        << Number(scale.X(HoursSinceStart(history, history.LastTimeOf(bucket)))) << ","
        << Number(scale.Y(static_cast<double>(last))) << " ";
  }
  svg << "\"/>\n";
}

void DrawCap(std::ostringstream& svg, std::int64_t cap, const PanelScale& scale) {
  const std::string y = Number(scale.Y(static_cast<double>(cap)));
  svg << "<line x1=\"" << kPlotLeft << "\" y1=\"" << y << "\" x2=\"" << kPlotRight << "\" y2=\""
      << y << "\" stroke=\"white\" stroke-width=\"4\" stroke-opacity=\"0.7\"/>\n"
      << "<line x1=\"" << kPlotLeft << "\" y1=\"" << y << "\" x2=\"" << kPlotRight << "\" y2=\""
      << y << "\" stroke=\"" << kCapColour << "\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"/>\n"
      << "<text x=\"" << kLabelLeft << "\" y=\"" << Number(scale.Y(static_cast<double>(cap)) + 4)
      << "\">cap " << cap << "</text>\n";
}

void DrawPanel(std::ostringstream& svg, const PopulationHistory& history, const std::string& id,
               const KindCap& cap, std::size_t kind, std::size_t panel) {
  const PanelScale scale =
      ScaleFor(history, cap, kind, kTitleHeight + kPanelHeight * static_cast<double>(panel));
  const char* colour = kPalette[panel % kPaletteSize];
  const KindStretch& summary = history.Summary(kind);
  std::string heading = id + ": peak " + std::to_string(summary.max);
  if (cap.capped) {
    heading += ", cap " + std::to_string(cap.cap) + ", overshoot " +
               std::to_string(summary.max > cap.cap ? summary.max - cap.cap : 0);
  }
  svg << "<text x=\"" << kPlotLeft << "\" y=\"" << Number(scale.PlotTop() - 8)
      << "\" font-weight=\"bold\" fill=\"" << colour << "\">" << Escaped(heading) << "</text>\n";
  DrawAxes(svg, scale);
  DrawCensusMarks(svg, history, scale);
  DrawPopulation(svg, history, kind, colour, scale);
  if (cap.capped) {
    DrawCap(svg, cap.cap, scale);
  } else {
    svg << "<text x=\"" << kLabelLeft << "\" y=\"" << Number(scale.PlotTop() + 12)
        << "\" fill=\"" << kBrokenColour << "\">cap broken</text>\n<text x=\"" << kLabelLeft
        << "\" y=\"" << Number(scale.PlotTop() + 28) << "\" fill=\"" << kBrokenColour
        << "\" font-size=\"10\">(the gate fails)</text>\n";
  }
}

void DrawFooter(std::ostringstream& svg, double top) {
  svg << "<text x=\"" << (kPlotLeft + kPlotRight) / 2 << "\" y=\"" << top + 16
      << "\" text-anchor=\"middle\">simulated hours</text>\n"
      << "<line x1=\"" << kPlotLeft << "\" y1=\"" << top + 30 << "\" x2=\"" << kPlotLeft + 24
      << "\" y2=\"" << top + 30 << "\" stroke=\"" << kCapColour
      << "\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"/>\n<text x=\"" << kPlotLeft + 30
      << "\" y=\"" << top + 34 << "\">cap</text>\n<path stroke=\"" << kCensusColour << "\" d=\"M"
      << kPlotLeft + 80 << " " << top + 34 << "v-" << kCensusMarkHeight << "\"/>\n<text x=\""
      << kPlotLeft + 86 << "\" y=\"" << top + 34 << "\">census</text>\n";
}

}  // namespace

std::string PopulationChartSvg(const std::vector<ScenarioKind>& kinds,
                               const std::vector<KindCap>& caps, const PopulationHistory& history,
                               const std::string& title) {
  std::vector<std::size_t> charted = ChartedKinds(caps);
  if (history.BucketCount() == 0) {
    charted.clear();
  }
  const double panels_height = kPanelHeight * static_cast<double>(std::max<std::size_t>(1, charted.size()));
  const double height = kTitleHeight + panels_height + kFooterHeight;
  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\"" << height
      << "\" viewBox=\"0 0 " << kWidth << " " << height
      << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
      << "<text x=\"" << kPlotLeft << "\" y=\"30\" font-size=\"16\">"
      << Escaped("Wild population of capped kinds: " + title) << "</text>\n";
  if (charted.empty()) {
    svg << "<text x=\"" << (kPlotLeft + kPlotRight) / 2 << "\" y=\""
        << kTitleHeight + kPanelHeight / 2 << "\" text-anchor=\"middle\">no capped kind</text>\n";
  }
  for (std::size_t panel = 0; panel < charted.size(); ++panel) {
    DrawPanel(svg, history, kinds[charted[panel]].id, caps[charted[panel]], charted[panel], panel);
  }
  DrawFooter(svg, kTitleHeight + panels_height);
  svg << "</svg>\n";
  return svg.str();
}

}  // namespace dravelquin::sim
