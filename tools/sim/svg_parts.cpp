#include "tools/sim/svg_parts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dravelquin::sim {

namespace {

constexpr double kPlotTopInPanel = 24;
constexpr double kPlotBottomInPanel = 170;
constexpr double kHeadroom = 1.05;
constexpr int kWantedTicks = 6;
const char* const kPalette[] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#9467bd", "#8c564b",
                                "#e377c2", "#7f7f7f", "#bcbd22", "#17becf"};
constexpr std::size_t kPaletteSize = sizeof(kPalette) / sizeof(kPalette[0]);

}  // namespace

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

std::string TickLabel(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

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

const char* PanelColour(std::size_t panel) { return kPalette[panel % kPaletteSize]; }

double PanelFrame::PlotTop() const { return top + kPlotTopInPanel; }

double PanelFrame::PlotBottom() const { return top + kPlotBottomInPanel; }

double PanelFrame::Y(double population) const {
  const double clamped = std::clamp(population, 0.0, max_population);
  return PlotBottom() - (PlotBottom() - PlotTop()) * clamped / max_population;
}

PanelFrame FrameFor(std::size_t panel, double highest) {
  return PanelFrame{kChartTitleHeight + kPanelHeight * static_cast<double>(panel),
                    RoundedUp(std::max(1.0, highest) * kHeadroom)};
}

double PageHeight(std::size_t panels) { return FooterTop(panels) + kChartFooterHeight; }

double FooterTop(std::size_t panels) {
  return kChartTitleHeight + kPanelHeight * static_cast<double>(std::max<std::size_t>(1, panels));
}

void StartPage(std::ostringstream& svg, double height, const std::string& title) {
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kChartWidth << "\" height=\""
      << height << "\" viewBox=\"0 0 " << kChartWidth << " " << height
      << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
      << "<text x=\"" << kPlotLeft << "\" y=\"30\" font-size=\"16\">" << Escaped(title)
      << "</text>\n";
}

void NoPanel(std::ostringstream& svg) {
  svg << "<text x=\"" << (kPlotLeft + kPlotRight) / 2 << "\" y=\""
      << kChartTitleHeight + kPanelHeight / 2
      << "\" text-anchor=\"middle\">no capped kind</text>\n";
}

void EndPage(std::ostringstream& svg) { svg << "</svg>\n"; }

void DrawHeading(std::ostringstream& svg, const PanelFrame& frame, const char* colour,
                 const std::string& text) {
  svg << "<text x=\"" << kPlotLeft << "\" y=\"" << Number(frame.PlotTop() - 8)
      << "\" font-weight=\"bold\" fill=\"" << colour << "\">" << Escaped(text) << "</text>\n";
}

void DrawPopulationScale(std::ostringstream& svg, const PanelFrame& frame) {
  const double step = NiceStep(frame.max_population);
  for (double population = 0; population <= frame.max_population + step / 2; population += step) {
    svg << "<line x1=\"" << kPlotLeft << "\" y1=\"" << Number(frame.Y(population)) << "\" x2=\""
        << kPlotRight << "\" y2=\"" << Number(frame.Y(population)) << "\" stroke=\"#e5e5e5\"/>\n"
        << "<text x=\"" << kPlotLeft - 8 << "\" y=\"" << Number(frame.Y(population) + 4)
        << "\" text-anchor=\"end\">" << TickLabel(population) << "</text>\n";
  }
  svg << "<rect x=\"" << kPlotLeft << "\" y=\"" << Number(frame.PlotTop()) << "\" width=\""
      << kPlotRight - kPlotLeft << "\" height=\"" << Number(frame.PlotBottom() - frame.PlotTop())
      << "\" fill=\"none\" stroke=\"#333\"/>\n";
}

void DrawCap(std::ostringstream& svg, std::int64_t cap, const PanelFrame& frame) {
  const std::string y = Number(frame.Y(static_cast<double>(cap)));
  svg << "<line x1=\"" << kPlotLeft << "\" y1=\"" << y << "\" x2=\"" << kPlotRight << "\" y2=\""
      << y << "\" stroke=\"white\" stroke-width=\"4\" stroke-opacity=\"0.7\"/>\n"
      << "<line x1=\"" << kPlotLeft << "\" y1=\"" << y << "\" x2=\"" << kPlotRight << "\" y2=\""
      << y << "\" stroke=\"" << kCapColour << "\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"/>\n"
      << "<text x=\"" << kLabelLeft << "\" y=\"" << Number(frame.Y(static_cast<double>(cap)) + 4)
      << "\">cap " << cap << "</text>\n";
}

void DrawCapKey(std::ostringstream& svg, double left, double y) {
  svg << "<line x1=\"" << left << "\" y1=\"" << y << "\" x2=\"" << left + 24 << "\" y2=\"" << y
      << "\" stroke=\"" << kCapColour
      << "\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"/>\n<text x=\"" << left + 30 << "\" y=\""
      << y + 4 << "\">cap</text>\n";
}

}  // namespace dravelquin::sim
