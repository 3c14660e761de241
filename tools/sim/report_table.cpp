#include "tools/sim/report_table.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/sim/text_table.h"

namespace dravelquin::sim {

namespace {

constexpr double kSecondsPerHour = 3600.0;
const char* const kHeadings[] = {"kind", "cap", "start",     "min",
                                 "max",  "end", "destroyed", "overshoot"};

std::string CapText(const KindCap& cap) {
  if (cap.capped) {
    return std::to_string(cap.cap);
  }
  return cap.broken ? "broken" : "-";
}

TableRow RowOf(const ScenarioKind& kind, const KindCap& cap, const KindStretch& summary) {
  const std::string overshoot =
      cap.capped ? std::to_string(summary.max > cap.cap ? summary.max - cap.cap : 0) : "-";
  return TableRow{kind.id,
                  CapText(cap),
                  std::to_string(summary.start),
                  std::to_string(summary.min),
                  std::to_string(summary.max),
                  std::to_string(summary.end),
                  std::to_string(summary.destroyed),
                  overshoot};
}

std::string StretchHeading(const PopulationHistory& history) {
  const std::int64_t seconds = history.EndTime() - history.StartTime();
  char hours[32];
  std::snprintf(hours, sizeof hours, "%.1f", static_cast<double>(seconds) / kSecondsPerHour);
  return std::string("Wild population per kind over ") + hours + " simulated hours:\n";
}

std::string BrokenCaps(const std::vector<ScenarioKind>& kinds, const std::vector<KindCap>& caps) {
  std::string notes;
  for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
    if (caps[kind].broken) {
      notes += "broken cap of " + kinds[kind].id + ": the gate fails to read it (\"" +
               *caps[kind].broken + "\") and lets every creature of the kind live\n";
    }
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
std::string DumpExcerpt(const std::filesystem::path& dump) {
  std::ifstream in(dump);
  std::string excerpt = "dump: " + dump.string() + "\n";
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
    rows.push_back(RowOf(facts.kinds[kind], facts.caps[kind], facts.history.Summary(kind)));
  }
  std::string report = StretchHeading(facts.history) + AlignedTable(rows, FirstColumn::kNames) +
                       BrokenCaps(facts.kinds, facts.caps) + ErrorCounts(facts.errors);
  if (facts.written_dump) {
    report += DumpExcerpt(*facts.written_dump);
  }
  if (facts.temporary_dir) {
    report += "server dir (temporary): " + facts.temporary_dir->string() + "\n";
  }
  return report;
}

}  // namespace dravelquin::sim
