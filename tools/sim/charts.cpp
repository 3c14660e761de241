#include "sim/charts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "common/files.h"
#include "sim/sweep.h"

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

void NoPanel(std::ostringstream& svg, const std::string& text) {
  svg << "<text x=\"" << (kPlotLeft + kPlotRight) / 2 << "\" y=\""
      << kChartTitleHeight + kPanelHeight / 2 << "\" text-anchor=\"middle\">" << Escaped(text)
      << "</text>\n";
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

void DrawCapHalo(std::ostringstream& svg, const std::string& d) {
  svg << "<path fill=\"none\" stroke=\"white\" stroke-width=\"4\" stroke-opacity=\"0.7\" d=\"" << d
      << "\"/>\n";
}

void DrawCapLine(std::ostringstream& svg, const std::string& d) {
  svg << "<path fill=\"none\" stroke=\"" << kCapColour
      << "\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\" d=\"" << d << "\"/>\n";
}

// A cap at or below 0 holds the kind at none: its line lies at 0.
std::string CapPathAcross(std::int64_t cap, const PanelFrame& frame) {
  return "M" + Number(kPlotLeft) + " " + Number(frame.Y(static_cast<double>(HeldCount(cap)))) +
         "H" + Number(kPlotRight);
}

void DrawCapLabel(std::ostringstream& svg, std::int64_t cap, const PanelFrame& frame) {
  svg << "<text x=\"" << kLabelLeft << "\" y=\""
      << Number(frame.Y(static_cast<double>(HeldCount(cap))) + 4) << "\">cap " << cap
      << (cap > 0 ? "" : ": none") << "</text>\n";
}

void DrawCapKey(std::ostringstream& svg, double left, double y) {
  svg << "<line x1=\"" << left << "\" y1=\"" << y << "\" x2=\"" << left + 24 << "\" y2=\"" << y
      << "\" stroke=\"" << kCapColour
      << "\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"/>\n<text x=\"" << left + 30 << "\" y=\""
      << y + 4 << "\">cap</text>\n";
}

namespace {

constexpr double kCensusMarkHeight = 7;
// Census marks closer than this (pixels) run together into a bar that hides
// the line at low counts; such runs are drawn as a thin translucent band.
constexpr double kCensusMarkGap = 3;
constexpr double kCensusBandHeight = 3;
// A cap above this many times the kind's peak is marked at the top of a
// scale fitted to the population, which it would otherwise flatten.
constexpr double kCapInViewFactor = 2;
constexpr const char* kReloadColour = "#555";
constexpr double kSecondsPerHour = 3600.0;
constexpr const char* kBrokenColour = "#c00";
constexpr const char* kCensusColour = "#999";

// Maps simulated hours and one kind's population into its panel.
struct PanelScale {
  PanelFrame frame;
  double max_hours;

  double X(double hours) const { return kPlotLeft + (kPlotRight - kPlotLeft) * hours / max_hours; }
};

// One kind's cap in force from a time on, hours since the stretch began.
struct CapSpan {
  double from_hours;
  KindCap cap;
};

// The caps the plug-in applied over the stretch: at its start, then after
// each change (a refused reload changes nothing).
struct CapsOverTime {
  const std::vector<KindCap>& at_start;
  const CapTimeline* timeline;  // null: the caps at the start held throughout

  std::vector<CapSpan> SpansOf(const PopulationHistory& history, std::size_t kind) const;
  bool EverCharted(std::size_t kind) const;
};

double HoursSinceStart(const PopulationHistory& history, std::int64_t time) {
  return static_cast<double>(time - history.StartTime()) / kSecondsPerHour;
}

std::vector<CapSpan> CapsOverTime::SpansOf(const PopulationHistory& history,
                                           std::size_t kind) const {
  std::vector<CapSpan> spans{{0, at_start[kind]}};
  if (timeline == nullptr) {
    return spans;
  }
  for (const CapChange& change : timeline->Changes()) {
    if (!change.refused && change.caps[kind] != spans.back().cap) {
      spans.push_back(CapSpan{HoursSinceStart(history, change.time), change.caps[kind]});
    }
  }
  return spans;
}

bool CapsOverTime::EverCharted(std::size_t kind) const {
  const auto charted = [kind](const std::vector<KindCap>& caps) {
    return caps[kind].capped || caps[kind].broken.has_value();
  };
  if (charted(at_start)) {
    return true;
  }
  if (timeline != nullptr) {
    for (const CapChange& change : timeline->Changes()) {
      if (charted(change.caps)) {
        return true;
      }
    }
  }
  return false;
}

std::vector<std::size_t> ChartedKinds(const CapsOverTime& caps) {
  std::vector<std::size_t> charted;
  for (std::size_t kind = 0; kind < caps.at_start.size(); ++kind) {
    if (caps.EverCharted(kind)) {
      charted.push_back(kind);
    }
  }
  return charted;
}

// From 0 to a little above the kind's peak, and its highest cap when that
// is near enough not to flatten the population.
PanelScale ScaleFor(const PopulationHistory& history, const std::vector<CapSpan>& spans,
                    std::size_t kind, std::size_t panel) {
  const double hours = HoursSinceStart(history, history.EndTime());
  const double peak = static_cast<double>(history.Summary(kind).max);
  double highest = peak;
  for (const CapSpan& span : spans) {
    const auto cap = static_cast<double>(span.cap.cap);
    if (span.cap.capped && cap <= kCapInViewFactor * std::max(peak, 1.0)) {
      highest = std::max(highest, cap);
    }
  }
  return PanelScale{FrameFor(panel, highest), RoundedUp(hours > 0 ? hours : 1)};
}

void DrawTimeAxis(std::ostringstream& svg, const PanelScale& scale) {
  const double hours_step = NiceStep(scale.max_hours);
  const double bottom = scale.frame.PlotBottom();
  for (double hours = 0; hours <= scale.max_hours + hours_step / 2; hours += hours_step) {
    svg << "<line x1=\"" << Number(scale.X(hours)) << "\" y1=\"" << Number(bottom) << "\" x2=\""
        << Number(scale.X(hours)) << "\" y2=\"" << Number(bottom + 5)
        << "\" stroke=\"#333\"/>\n<text x=\"" << Number(scale.X(hours)) << "\" y=\""
        << Number(bottom + 18) << "\" text-anchor=\"middle\">" << TickLabel(hours) << "</text>\n";
  }
}

// Where censuses ran, in the panel's x.
std::vector<double> CensusXs(const PopulationHistory& history, const PanelScale& scale) {
  std::vector<double> xs;
  for (std::size_t bucket = 0; bucket < history.BucketCount(); ++bucket) {
    if (history.CensusesIn(bucket) > 0) {
      xs.push_back(scale.X(HoursSinceStart(history, history.LastTimeOf(bucket))));
    }
  }
  return xs;
}

// Whether some censuses ran closer together than their marks can be told apart.
bool CensusesRunTogether(const std::vector<double>& xs) {
  for (std::size_t i = 1; i < xs.size(); ++i) {
    if (xs[i] - xs[i - 1] < kCensusMarkGap) {
      return true;
    }
  }
  return false;
}

// Where censuses ran: a short mark rising from the foot of the plot, and a
// thin band along it where marks would run together.
void DrawCensusMarks(std::ostringstream& svg, const std::vector<double>& xs,
                     const PanelScale& scale) {
  const double bottom = scale.frame.PlotBottom();
  std::ostringstream bands;
  svg << "<path stroke=\"" << kCensusColour << "\" d=\"";
  for (std::size_t first = 0; first < xs.size();) {
    std::size_t last = first;
    while (last + 1 < xs.size() && xs[last + 1] - xs[last] < kCensusMarkGap) {
      ++last;
    }
    if (last == first) {
      svg << "M" << Number(xs[first]) << " " << Number(bottom) << "v-" << kCensusMarkHeight << " ";
    } else {
      bands << "<rect x=\"" << Number(xs[first]) << "\" y=\"" << Number(bottom - kCensusBandHeight)
            << "\" width=\"" << Number(xs[last] - xs[first]) << "\" height=\"" << kCensusBandHeight
            << "\" fill=\"" << kCensusColour << "\" fill-opacity=\"0.5\"/>\n";
    }
    first = last + 1;
  }
  svg << "\"/>\n" << bands.str();
}

// Each reload (or new start-up) of the stretch: a dotted line across the
// plot, labelled at its top; a refused reload in red.
void DrawCapChanges(std::ostringstream& svg, const PopulationHistory& history,
                    const CapTimeline* timeline, const PanelScale& scale) {
  if (timeline == nullptr) {
    return;
  }
  for (const CapChange& change : timeline->Changes()) {
    const std::string x = Number(scale.X(HoursSinceStart(history, change.time)));
    const char* colour = change.refused ? kBrokenColour : kReloadColour;
    const char* label = !change.reload ? "start-up" : change.refused ? "reload refused" : "reload";
    svg << "<line x1=\"" << x << "\" y1=\"" << Number(scale.frame.PlotTop()) << "\" x2=\"" << x
        << "\" y2=\"" << Number(scale.frame.PlotBottom()) << "\" stroke=\"" << colour
        << "\" stroke-dasharray=\"1 3\"/>\n<text x=\"" << x << "\" y=\""
        << Number(scale.frame.PlotTop() + 10) << "\" dx=\"3\" font-size=\"10\" fill=\"" << colour
        << "\">" << label << "</text>\n";
  }
}

// The caps in force as one line that steps at each change; a cap above the
// scale runs along its top. Spans without a cap leave a gap.
std::string CapSteps(const std::vector<CapSpan>& spans, const PanelScale& scale) {
  std::string d;
  bool drawing = false;
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const double to = i + 1 < spans.size() ? spans[i + 1].from_hours : scale.max_hours;
    if (!spans[i].cap.capped) {
      drawing = false;
      continue;
    }
    const std::string y = Number(scale.frame.Y(static_cast<double>(HeldCount(spans[i].cap.cap))));
    d += (drawing ? "V" + y : "M" + Number(scale.X(spans[i].from_hours)) + " " + y) + "H" +
         Number(scale.X(to)) + " ";
    drawing = true;
  }
  return d;
}

// "cap 150" at the right of the plot at the last cap's height, with an
// arrow when it lies above the scale; earlier caps labelled where they began.
void DrawCapLabels(std::ostringstream& svg, const std::vector<CapSpan>& spans,
                   const PanelScale& scale) {
  for (std::size_t i = 0; i < spans.size(); ++i) {
    if (!spans[i].cap.capped) {
      continue;
    }
    const std::int64_t cap = spans[i].cap.cap;
    const bool above = static_cast<double>(cap) > scale.frame.max_population;
    const double y = scale.frame.Y(static_cast<double>(HeldCount(cap)));
    if (i + 1 == spans.size()) {
      svg << "<text x=\"" << kLabelLeft << "\" y=\"" << Number(y + 4) << "\">cap " << cap
          << (cap > 0 ? "" : ": none") << (above ? " \xE2\x86\x91 (above the scale)" : "")
          << "</text>\n";
    } else {
      svg << "<text x=\"" << Number(scale.X(spans[i].from_hours)) << "\" y=\""
          << Number(above ? y + 12 : y - 4) << "\" dx=\"3\" font-size=\"10\">cap " << cap
          << (above ? " \xE2\x86\x91" : "") << "</text>\n";
    }
  }
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

// "raptor: peak 320, cap 300→150, overshoot 20→0": the caps in turn, and the
// overshoot above each (OvershootText when they changed).
std::string PanelHeading(const PopulationHistory& history, const std::string& id,
                         const std::vector<CapSpan>& spans, const CapTimeline* timeline,
                         std::size_t kind) {
  const KindStretch& summary = history.Summary(kind);
  std::string heading = id + ": peak " + std::to_string(summary.max);
  std::string caps;
  for (const CapSpan& span : spans) {
    caps += (caps.empty() ? "" : kThenArrow) + CapText(span.cap);
  }
  const KindCap& first = spans.front().cap;
  if (spans.size() > 1 || first.capped) {
    heading += ", cap " + caps;
  }
  if (spans.size() == 1 && first.capped && first.cap <= 0) {
    heading += ": every new creature destroyed";
  }
  if (timeline != nullptr && timeline->Overshoot(kind)) {
    heading += ", overshoot " + OvershootText(*timeline, kind);
  } else if (timeline == nullptr && first.capped && history.Excess(kind).counted) {
    const CapExcess& excess = history.Excess(kind);
    heading +=
        (excess.at_first_census > 0 ? ", start excess " + std::to_string(excess.at_first_census)
                                    : std::string()) +
        ", overshoot " + std::to_string(excess.overshoot);
  }
  return heading;
}

void DrawPanel(std::ostringstream& svg, const PopulationHistory& history, const std::string& id,
               const CapsOverTime& caps, std::size_t kind, std::size_t panel) {
  const std::vector<CapSpan> spans = caps.SpansOf(history, kind);
  const PanelScale scale = ScaleFor(history, spans, kind, panel);
  const char* colour = PanelColour(panel);
  DrawHeading(svg, scale.frame, colour, PanelHeading(history, id, spans, caps.timeline, kind));
  DrawTimeAxis(svg, scale);
  DrawPopulationScale(svg, scale.frame);
  DrawCensusMarks(svg, CensusXs(history, scale), scale);
  DrawCapChanges(svg, history, caps.timeline, scale);
  // The halo goes under the population and the dashed cap over it, so that
  // a population sitting at its cap stays in sight.
  const std::string cap_path = CapSteps(spans, scale);
  if (!cap_path.empty()) {
    DrawCapHalo(svg, cap_path);
  }
  DrawPopulation(svg, history, kind, colour, scale);
  if (!cap_path.empty()) {
    DrawCapLine(svg, cap_path);
    DrawCapLabels(svg, spans, scale);
  }
  if (spans.back().cap.broken) {
    svg << "<text x=\"" << kLabelLeft << "\" y=\"" << Number(scale.frame.PlotTop() + 12)
        << "\" fill=\"" << kBrokenColour << "\">cap broken</text>\n<text x=\"" << kLabelLeft
        << "\" y=\"" << Number(scale.frame.PlotTop() + 28) << "\" fill=\"" << kBrokenColour
        << "\" font-size=\"10\">(the gate fails)</text>\n";
  }
}

// The key: the cap, a census, and where they are drawn the band of close
// censuses and the reload's line.
void DrawFooter(std::ostringstream& svg, double top, bool banded, bool reloads) {
  svg << "<text x=\"" << (kPlotLeft + kPlotRight) / 2 << "\" y=\"" << top + 16
      << "\" text-anchor=\"middle\">simulated hours</text>\n";
  DrawCapKey(svg, kPlotLeft, top + 30);
  svg << "<path stroke=\"" << kCensusColour << "\" d=\"M" << kPlotLeft + 80 << " " << top + 34
      << "v-" << kCensusMarkHeight << "\"/>\n<text x=\"" << kPlotLeft + 86 << "\" y=\"" << top + 34
      << "\">census</text>\n";
  double left = kPlotLeft + 150;
  if (banded) {
    svg << "<rect x=\"" << left << "\" y=\"" << top + 34 - kCensusBandHeight
        << "\" width=\"24\" height=\"" << kCensusBandHeight << "\" fill=\"" << kCensusColour
        << "\" fill-opacity=\"0.5\"/>\n<text x=\"" << left + 30 << "\" y=\"" << top + 34
        << "\">censuses too close to mark apart</text>\n";
    left += 230;
  }
  if (reloads) {
    svg << "<line x1=\"" << left + 12 << "\" y1=\"" << top + 22 << "\" x2=\"" << left + 12
        << "\" y2=\"" << top + 36 << "\" stroke=\"" << kReloadColour
        << "\" stroke-dasharray=\"1 3\"/>\n<text x=\"" << left + 20 << "\" y=\"" << top + 34
        << "\">reload (caps read again)</text>\n";
  }
}

}  // namespace

std::string PopulationChartSvg(const std::vector<ScenarioKind>& kinds,
                               const std::vector<KindCap>& caps, const PopulationHistory& history,
                               const std::string& title,
                               const std::optional<std::string>& start_failure,
                               const CapTimeline* caps_over_time) {
  const CapsOverTime over_time{caps, caps_over_time};
  std::vector<std::size_t> charted = ChartedKinds(over_time);
  if (history.BucketCount() == 0) {
    charted.clear();
  }
  std::ostringstream svg;
  StartPage(svg, PageHeight(charted.size()), "Wild population of capped kinds: " + title);
  if (charted.empty()) {
    NoPanel(svg, start_failure ? "the plug-in did not start: " + *start_failure : "no capped kind");
  }
  bool banded = false;
  for (std::size_t panel = 0; panel < charted.size(); ++panel) {
    DrawPanel(svg, history, kinds[charted[panel]].id, over_time, charted[panel], panel);
    banded = banded ||
             CensusesRunTogether(CensusXs(history, ScaleFor(history, {}, charted[panel], panel)));
  }
  DrawFooter(svg, FooterTop(charted.size()), banded,
             caps_over_time != nullptr && !caps_over_time->Changes().empty());
  EndPage(svg);
  return svg.str();
}

namespace {

constexpr double kPointRadius = 3;
constexpr const char* kBandColour = "#e8e8e8";

// How far the runs of one interval stand apart, ExactCaps false on the left.
constexpr double kCountingOffset = 6;
constexpr const char* kExactColour = "#777";

// The intervals tried, ascending, once each.
std::vector<std::int64_t> SweptIntervals(const SweepOutcome& sweep) {
  std::vector<std::int64_t> intervals;
  for (const IntervalOutcome& run : sweep.intervals) {
    if (intervals.empty() || intervals.back() != run.interval) {
      intervals.push_back(run.interval);
    }
  }
  return intervals;
}

double IntervalX(std::size_t places, std::size_t place) {
  return kPlotLeft + (kPlotRight - kPlotLeft) * (static_cast<double>(place) + 0.5) /
                         static_cast<double>(places);
}

double RunX(std::size_t places, std::size_t place, bool exact_caps) {
  return IntervalX(places, place) + (exact_caps ? kCountingOffset : -kCountingOffset);
}

double HighestOf(const SweepOutcome& sweep, std::size_t kind) {
  std::int64_t highest = HeldCount(sweep.kinds[kind].cap);
  for (const IntervalOutcome& interval : sweep.intervals) {
    highest = std::max(highest, interval.kinds[kind].highest);
  }
  return static_cast<double>(highest);
}

void DrawIntervalAxis(std::ostringstream& svg, const std::vector<std::int64_t>& intervals,
                      const PanelFrame& frame) {
  const double bottom = frame.PlotBottom();
  for (std::size_t place = 0; place < intervals.size(); ++place) {
    const std::string x = Number(IntervalX(intervals.size(), place));
    svg << "<line x1=\"" << x << "\" y1=\"" << Number(bottom) << "\" x2=\"" << x << "\" y2=\""
        << Number(bottom + 5) << "\" stroke=\"#333\"/>\n<text x=\"" << x << "\" y=\""
        << Number(bottom + 18) << "\" text-anchor=\"middle\">"
        << TickLabel(static_cast<double>(intervals[place])) << "</text>\n";
  }
}

void DrawBand(std::ostringstream& svg, const CapBand& band, const PanelFrame& frame) {
  const double top = frame.Y(static_cast<double>(band.high));
  const double bottom = frame.Y(static_cast<double>(std::max<std::int64_t>(0, band.low)));
  svg << "<rect x=\"" << kPlotLeft << "\" y=\"" << Number(top) << "\" width=\""
      << kPlotRight - kPlotLeft << "\" height=\"" << Number(bottom - top) << "\" fill=\""
      << kBandColour << "\"/>\n";
}

// The highest or the lowest count of one way of counting at each interval:
// a line through dots.
void DrawCounts(std::ostringstream& svg, const std::vector<const IntervalOutcome*>& runs,
                std::size_t kind, bool highest, const char* colour, const PanelFrame& frame) {
  std::ostringstream points;
  std::ostringstream dots;
  for (std::size_t place = 0; place < runs.size(); ++place) {
    const KindAtInterval& outcome = runs[place]->kinds[kind];
    const std::string x = Number(RunX(runs.size(), place, runs[place]->exact_caps));
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
void DrawSwings(std::ostringstream& svg, const std::vector<const IntervalOutcome*>& runs,
                std::size_t kind, const char* colour, const PanelFrame& frame) {
  for (std::size_t place = 0; place < runs.size(); ++place) {
    const KindAtInterval& outcome = runs[place]->kinds[kind];
    const std::string x = Number(RunX(runs.size(), place, runs[place]->exact_caps));
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
  DrawBand(svg, BandAround(capped.cap, sweep.tolerance_percent, sweep.tolerance_creatures), frame);
  DrawIntervalAxis(svg, SweptIntervals(sweep), frame);
  DrawPopulationScale(svg, frame);
  const std::string cap_path = CapPathAcross(capped.cap, frame);
  DrawCapHalo(svg, cap_path);
  for (const bool exact_caps : kSweptCountings) {
    const std::vector<const IntervalOutcome*> runs = RunsCounting(sweep, exact_caps);
    const char* run_colour = exact_caps ? kExactColour : colour;
    DrawSwings(svg, runs, kind, run_colour, frame);
    DrawCounts(svg, runs, kind, true, run_colour, frame);
    DrawCounts(svg, runs, kind, false, run_colour, frame);
  }
  DrawCapLine(svg, cap_path);
  DrawCapLabel(svg, capped.cap, frame);
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
      << "\" y=\"" << top + 34 << "\">lowest</text>\n<circle cx=\"" << kPlotLeft + 450 << "\" cy=\""
      << top + 30 << "\" r=\"" << kPointRadius << "\" fill=\"" << kExactColour << "\"/>\n<text x=\""
      << kPlotLeft + 458 << "\" y=\"" << top + 34 << "\">grey, right: ExactCaps true</text>\n";
}

}  // namespace

std::string SwingChartSvg(const SweepOutcome& sweep) {
  std::ostringstream svg;
  StartPage(svg, PageHeight(sweep.kinds.size()),
            "Swing around the cap by " + std::string(kSweptSetting) + ": " + sweep.title);
  if (sweep.kinds.empty()) {
    NoPanel(svg, "no capped kind");
  }
  for (std::size_t kind = 0; kind < sweep.kinds.size(); ++kind) {
    DrawPanel(svg, sweep, kind);
  }
  DrawFooter(svg, sweep, FooterTop(sweep.kinds.size()));
  EndPage(svg);
  return svg.str();
}

void WriteChartFile(const std::string& path, const std::string& svg) {
  std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  out << svg;
  out.close();
  if (!out) {
    throw std::runtime_error("cannot write the chart " + path);
  }
}

}  // namespace dravelquin::sim
