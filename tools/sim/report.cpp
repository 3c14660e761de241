#include "sim/report.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "common/files.h"
#include "common/text.h"

namespace dravelquin::sim {

namespace {

bool IsWide(char32_t code_point) {
  return (code_point >= 0x1100 && code_point <= 0x115F) ||
         (code_point >= 0x2E80 && code_point <= 0xA4CF) ||
         (code_point >= 0xAC00 && code_point <= 0xD7A3) ||
         (code_point >= 0xF900 && code_point <= 0xFAFF) ||
         (code_point >= 0xFE30 && code_point <= 0xFE4F) ||
         (code_point >= 0xFF00 && code_point <= 0xFF60) ||
         (code_point >= 0xFFE0 && code_point <= 0xFFE6) || code_point >= 0x20000;
}

std::string FormatRow(const TableRow& row, const std::vector<std::size_t>& widths,
                      FirstColumn first) {
  std::string line;
  for (std::size_t column = 0; column < row.size(); ++column) {
    const std::string padding(widths[column] - DisplayWidth(row[column]), ' ');
    const std::string gap = column == 0 ? "" : "  ";
    const bool left = column == 0 && first == FirstColumn::kNames;
    line += left ? row[column] + padding : gap + padding + row[column];
  }
  return line + "\n";
}

}  // namespace

std::string AlignedTable(const std::vector<TableRow>& rows, FirstColumn first) {
  std::vector<std::size_t> widths(rows.empty() ? 0 : rows.front().size(), 0);
  for (const TableRow& row : rows) {
    for (std::size_t column = 0; column < widths.size(); ++column) {
      widths[column] = std::max(widths[column], DisplayWidth(row[column]));
    }
  }
  std::string table;
  for (const TableRow& row : rows) {
    table += FormatRow(row, widths, first);
  }
  return table;
}

std::size_t DisplayWidth(const std::string& text) {
  std::size_t width = 0;
  const std::u16string units = Utf16FromUtf8(text);
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    const bool pair_start = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size();
    const char32_t code_point = pair_start
                                    ? 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                          (static_cast<char32_t>(units[i + 1]) - 0xDC00)
                                    : unit;
    i += pair_start ? 1 : 0;
    width += IsWide(code_point) ? 2 : 1;
  }
  return width;
}

namespace {

constexpr double kSecondsPerHour = 3600.0;
const char* const kHeadings[] = {"kind", "cap",       "start",        "min",      "max",
                                 "end",  "destroyed", "start excess", "overshoot"};

// The caps in force in turn over the stretch, "300→150", each change once.
std::string CapSteps(const CapTimeline& timeline, std::size_t kind) {
  KindCap shown = timeline.AtStart()[kind];
  std::string text = CapText(shown);
  for (const CapChange& change : timeline.Changes()) {
    if (change.caps[kind] != shown) {
      shown = change.caps[kind];
      text += kThenArrow + CapText(shown);
    }
  }
  return text;
}

TableRow RowOf(const ScenarioKind& kind, const KindCap& cap, const KindStretch& summary,
               const CapExcess& excess, const CapTimeline* timeline, std::size_t index) {
  const bool measured = cap.capped && excess.counted;
  std::string overshoot = measured ? std::to_string(excess.overshoot) : "-";
  std::string cap_text = CapText(cap);
  if (timeline != nullptr) {
    overshoot = OvershootText(*timeline, index);
    cap_text = CapSteps(*timeline, index);
  }
  return TableRow{kind.id,
                  cap_text,
                  std::to_string(summary.start),
                  std::to_string(summary.min),
                  std::to_string(summary.max),
                  std::to_string(summary.end),
                  std::to_string(summary.destroyed),
                  measured ? std::to_string(excess.at_first_census) : "-",
                  overshoot};
}

std::string StretchHeading(const PopulationHistory& history) {
  const std::int64_t seconds = history.EndTime() - history.StartTime();
  char hours[32];
  std::snprintf(hours, sizeof hours, "%.1f", static_cast<double>(seconds) / kSecondsPerHour);
  return std::string("Wild population per kind over ") + hours + " simulated hours:\n";
}

std::string HoursText(std::int64_t seconds) {
  char hours[32];
  std::snprintf(hours, sizeof hours, "%.1f", static_cast<double>(seconds) / kSecondsPerHour);
  return hours;
}

// A line per reload or new start-up within the stretch: when, and the caps
// it changed, or why it was refused.
std::string CapChanges(const std::vector<ScenarioKind>& kinds, const PopulationHistory& history,
                       const CapTimeline& timeline) {
  std::string lines;
  std::vector<KindCap> before = timeline.AtStart();
  for (const CapChange& change : timeline.Changes()) {
    lines += std::string(change.reload ? "reload" : "start-up") + " at " +
             HoursText(change.time - history.StartTime()) + " h (step " +
             std::to_string(change.step) + ")";
    if (change.refused) {
      lines += " refused, the caps stay: " + *change.refused + "\n";
      continue;
    }
    std::string changed;
    for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
      if (change.caps[kind] != before[kind]) {
        changed += (changed.empty() ? "" : ", ") + kinds[kind].id + " " + CapText(before[kind]) +
                   kThenArrow + CapText(change.caps[kind]);
      }
    }
    lines += changed.empty() ? ": the caps stay\n" : ": caps " + changed + "\n";
    before = change.caps;
  }
  return lines;
}

// A line for each broken cap, each cap at or below 0, and one when a kind
// was never counted.
std::string CapNotes(const ReportFacts& facts) {
  std::string notes;
  bool uncounted = false;
  for (std::size_t kind = 0; kind < facts.kinds.size(); ++kind) {
    const KindCap& cap = facts.caps[kind];
    if (cap.broken) {
      notes += "broken cap of " + facts.kinds[kind].id + ": the gate fails to read it (\"" +
               *cap.broken + "\") and lets every creature of the kind live\n";
    }
    if (cap.capped && cap.cap <= 0) {
      notes += "cap of " + facts.kinds[kind].id + " is " + std::to_string(cap.cap) +
               ": at or below 0, the gate destroys every new creature of the kind once a "
               "census has counted it\n";
    }
    uncounted = uncounted || (cap.capped && !facts.history.Excess(kind).counted);
  }
  if (uncounted) {
    notes += "no census ran by the end: until one does, the gate lets every creature live\n";
  }
  return notes;
}

// "plug-in errors: spawn gate 0, census timer 720, ...", then a line with
// the first error of each entry point that raised any.
std::string ErrorCounts(const std::vector<EntryPointErrors>& errors) {
  std::string counts = "plug-in errors:";
  std::string firsts;
  for (const EntryPointErrors& entry : errors) {
    counts += (&entry == &errors.front() ? " " : ", ") + entry.label + " " +
              std::to_string(entry.errors.count);
    if (entry.errors.count > 0) {
      firsts += "  " + entry.label + ", first: " + entry.errors.first_what + "\n";
    }
  }
  return counts + "\n" + firsts;
}

// The dump is read as text, so that the CR LF line ends the plug-in writes on
// Windows read as "\n".
std::string DumpExcerpt(const std::filesystem::path& dump, bool removed) {
  std::ifstream in(dump);
  std::string excerpt =
      removed ? "dump (removed with the temporary server dir; --keep-server-dir keeps it):\n"
              : "dump: " + Utf8FromPath(dump) + "\n";
  std::string line;
  std::size_t lines = 0;
  while (std::getline(in, line)) {
    if (++lines <= kDumpLinesShown) {
      excerpt += "  " + line + "\n";
    }
  }
  if (lines == 0) {
    excerpt += "  (empty: no wild creature)\n";
  } else if (lines > kDumpLinesShown) {
    excerpt += "  ... " + std::to_string(lines) + " lines in all\n";
  }
  return excerpt;
}

}  // namespace

std::string FormatReport(const ReportFacts& facts) {
  std::vector<TableRow> rows{TableRow(std::begin(kHeadings), std::end(kHeadings))};
  for (std::size_t kind = 0; kind < facts.kinds.size(); ++kind) {
    rows.push_back(RowOf(facts.kinds[kind], facts.caps[kind], facts.history.Summary(kind),
                         facts.history.Excess(kind), facts.caps_over_time, kind));
  }
  std::string report = StretchHeading(facts.history) + AlignedTable(rows, FirstColumn::kNames);
  if (facts.caps_over_time != nullptr) {
    report += CapChanges(facts.kinds, facts.history, *facts.caps_over_time);
  }
  if (facts.start_failure) {
    report += "the plug-in did not start: " + *facts.start_failure + "; nothing was capped\n";
  }
  report += CapNotes(facts) + ErrorCounts(facts.errors);
  if (facts.written_dump) {
    report += DumpExcerpt(*facts.written_dump, facts.temporary_dir_removed);
  }
  if (facts.kept_temporary_dir) {
    report += "server dir (temporary, kept): " + Utf8FromPath(*facts.kept_temporary_dir) + "\n";
  }
  return report;
}

}  // namespace dravelquin::sim
