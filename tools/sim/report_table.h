#pragma once

// The human-readable summary of a simulated scenario: a table of each
// kind's wild population, the dump file's path and first lines, and the
// server dir when it was temporary.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/sim/applied_caps.h"
#include "tools/sim/plugin_errors.h"
#include "tools/sim/population_history.h"
#include "tools/sim/scenario.h"

namespace dravelquin::sim {

struct ReportFacts {
  const std::vector<ScenarioKind>& kinds;
  const std::vector<KindCap>& caps;
  const PopulationHistory& history;
  const std::vector<EntryPointErrors>& errors;     // per entry point of the plug-in
  std::optional<std::filesystem::path> written_dump;  // when a step wrote the dump
  std::optional<std::filesystem::path> temporary_dir;
};

// How many of the dump's lines the summary shows.
constexpr std::size_t kDumpLinesShown = 10;

// One row per kind in kind order: cap ("-" when not capped, "broken" when
// the gate fails to read it), wild population at the start of the recorded
// stretch, its minimum, maximum and end, creatures the gate destroyed, and
// the overshoot (maximum less the cap, 0 when it stayed at or below; "-"
// when not capped). Columns are aligned by display width, East Asian wide
// characters counting two. Under the table: the error of each broken cap,
// then the errors the plug-in raised per entry point, with the first one's
// text.
std::string FormatReport(const ReportFacts& facts);

}  // namespace dravelquin::sim
