#include "tools/sim/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace dravelquin::sim {

namespace {

constexpr double kWidth = 960;
constexpr double kHeight = 540;
constexpr double kPlotLeft = 80;
constexpr double kPlotRight = 700;
constexpr double kPlotTop = 60;
constexpr double kPlotBottom = 470;
constexpr double kLegendLeft = 720;
constexpr double kLegendRowHeight = 22;
constexpr double kSecondsPerHour = 3600.0;
constexpr int kWantedTicks = 6;
const char* const kPalette[] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd",
                                "#8c564b", "#e377c2", "#7f7f7f", "#bcbd22", "#17becf"};
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

// Maps simulated hours and populations into the plot area.
struct Scale {
  double max_hours;
  double max_population;

  double X(double hours) const { return kPlotLeft + (kPlotRight - kPlotLeft) * hours / max_hours; }
  double Y(double population) const {
    const double clamped = std::clamp(population, 0.0, max_population);
    return kPlotBottom - (kPlotBottom - kPlotTop) * clamped / max_population;
  }
};

std::vector<std::size_t> CappedKinds(const std::vector<KindCap>& caps) {
  std::vector<std::size_t> capped;
  for (std::size_t kind = 0; kind < caps.size(); ++kind) {
    if (caps[kind].capped) {
      capped.push_back(kind);
    }
  }
  return capped;
}

double HoursAt(const PopulationHistory& history, std::size_t sample) {
  return static_cast<double>(history.TimeAt(sample) - history.TimeAt(0)) / kSecondsPerHour;
}

Scale ScaleFor(const PopulationHistory& history, const std::vector<KindCap>& caps,
               const std::vector<std::size_t>& capped) {
  double hours = 0;
  for (std::size_t sample = 0; sample < history.SampleCount(); ++sample) {
    hours = std::max(hours, HoursAt(history, sample));
  }
  double population = 1;
  for (const std::size_t kind : capped) {
    population = std::max({population, static_cast<double>(history.Summary(kind).max),
                           static_cast<double>(caps[kind].cap)});
  }
  const double hours_step = NiceStep(hours > 0 ? hours : 1);
  const double population_step = NiceStep(population);
  return Scale{std::ceil((hours > 0 ? hours : 1) / hours_step) * hours_step,
               std::ceil(population * 1.05 / population_step) * population_step};
}

void DrawAxes(std::ostringstream& svg, const Scale& scale) {
  const double hours_step = NiceStep(scale.max_hours);
  for (double hours = 0; hours <= scale.max_hours + hours_step / 2; hours += hours_step) {
    svg << "<line x1=\"" << Number(scale.X(hours)) << "\" y1=\"" << kPlotBottom << "\" x2=\""
        << Number(scale.X(hours)) << "\" y2=\"" << kPlotBottom + 5 << "\" stroke=\"#333\"/>\n"
        << "<text x=\"" << Number(scale.X(hours)) << "\" y=\"" << kPlotBottom + 20
        << "\" text-anchor=\"middle\">" << TickLabel(hours) << "</text>\n";
  }
  const double population_step = NiceStep(scale.max_population);
  for (double population = 0; population <= scale.max_population + population_step / 2;
       population += population_step) {
    svg << "<line x1=\"" << kPlotLeft << "\" y1=\"" << Number(scale.Y(population)) << "\" x2=\""
        << kPlotRight << "\" y2=\"" << Number(scale.Y(population)) << "\" stroke=\"#e5e5e5\"/>\n"
        << "<text x=\"" << kPlotLeft - 8 << "\" y=\"" << Number(scale.Y(population) + 4)
        << "\" text-anchor=\"end\">" << TickLabel(population) << "</text>\n";
  }
  svg << "<rect x=\"" << kPlotLeft << "\" y=\"" << kPlotTop << "\" width=\""
      << kPlotRight - kPlotLeft << "\" height=\"" << kPlotBottom - kPlotTop
      << "\" fill=\"none\" stroke=\"#333\"/>\n"
      << "<text x=\"" << (kPlotLeft + kPlotRight) / 2 << "\" y=\"" << kPlotBottom + 45
      << "\" text-anchor=\"middle\">simulated hours</text>\n"
      << "<text transform=\"translate(" << kPlotLeft - 55 << " " << (kPlotTop + kPlotBottom) / 2
      << ") rotate(-90)\" text-anchor=\"middle\">wild creatures</text>\n";
}

void DrawKind(std::ostringstream& svg, const PopulationHistory& history, std::size_t kind,
              std::int64_t cap, const char* colour, const Scale& scale) {
  svg << "<polyline fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"1.5\" points=\"";
  for (const std::size_t sample : ChartSamples(history, kind)) {
    svg << Number(scale.X(HoursAt(history, sample))) << ","
        << Number(scale.Y(static_cast<double>(history.WildAt(sample, kind)))) << " ";
  }
  svg << "\"/>\n<line x1=\"" << kPlotLeft << "\" y1=\"" << Number(scale.Y(static_cast<double>(cap)))
      << "\" x2=\"" << kPlotRight << "\" y2=\"" << Number(scale.Y(static_cast<double>(cap)))
      << "\" stroke=\"" << colour << "\" stroke-dasharray=\"6 4\"/>\n";
}

void DrawLegendEntry(std::ostringstream& svg, std::size_t row, const std::string& label,
                     const char* colour, bool dashed) {
  const double y = kPlotTop + kLegendRowHeight * static_cast<double>(row);
  svg << "<line x1=\"" << kLegendLeft << "\" y1=\"" << y << "\" x2=\"" << kLegendLeft + 24
      << "\" y2=\"" << y << "\" stroke=\"" << colour << "\" stroke-width=\"2\""
      << (dashed ? " stroke-dasharray=\"6 4\"" : "") << "/>\n"
      << "<text x=\"" << kLegendLeft + 32 << "\" y=\"" << y + 4 << "\">" << Escaped(label)
      << "</text>\n";
}

}  // namespace

std::vector<std::size_t> ChartSamples(const PopulationHistory& history, std::size_t kind) {
  const std::size_t count = history.SampleCount();
  std::vector<std::size_t> drawn;
  if (count <= kMaxChartPoints) {
    for (std::size_t sample = 0; sample < count; ++sample) {
      drawn.push_back(sample);
    }
    return drawn;
  }
  const std::size_t run = (count + kMaxChartPoints / 2 - 1) / (kMaxChartPoints / 2);
  for (std::size_t first = 0; first < count; first += run) {
    std::size_t low = first;
    std::size_t high = first;
    for (std::size_t sample = first; sample < std::min(count, first + run); ++sample) {
      low = history.WildAt(sample, kind) < history.WildAt(low, kind) ? sample : low;
      high = history.WildAt(sample, kind) > history.WildAt(high, kind) ? sample : high;
    }
    drawn.push_back(std::min(low, high));
    if (low != high) {
      drawn.push_back(std::max(low, high));
    }
  }
  return drawn;
}

std::string PopulationChartSvg(const std::vector<ScenarioKind>& kinds,
                               const std::vector<KindCap>& caps, const PopulationHistory& history,
                               const std::string& title) {
  const std::vector<std::size_t> capped = CappedKinds(caps);
  const Scale scale = ScaleFor(history, caps, capped);
  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\"" << kHeight
      << "\" viewBox=\"0 0 " << kWidth << " " << kHeight
      << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
      << "<text x=\"" << kPlotLeft << "\" y=\"30\" font-size=\"16\">"
      << Escaped("Wild population of capped kinds: " + title) << "</text>\n";
  DrawAxes(svg, scale);
  if (capped.empty() || history.SampleCount() == 0) {
    svg << "<text x=\"" << (kPlotLeft + kPlotRight) / 2 << "\" y=\"" << (kPlotTop + kPlotBottom) / 2
        << "\" text-anchor=\"middle\">no capped kind</text>\n";
  }
  for (std::size_t row = 0; row < capped.size() && history.SampleCount() > 0; ++row) {
    const std::size_t kind = capped[row];
    const char* colour = kPalette[row % kPaletteSize];
    DrawKind(svg, history, kind, caps[kind].cap, colour, scale);
    DrawLegendEntry(svg, row,
                    kinds[kind].id + " (cap " + std::to_string(caps[kind].cap) + ", peak " +
                        std::to_string(history.Summary(kind).max) + ")",
                    colour, false);
  }
  DrawLegendEntry(svg, capped.size(), "dashed: the kind's cap", "#333", true);
  svg << "</svg>\n";
  return svg.str();
}

}  // namespace dravelquin::sim
