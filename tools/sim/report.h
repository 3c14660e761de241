#pragma once

// The simulator's summary: a plain-text table, and the tables of each
// kind's population against its cap and of the plug-in's errors.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "sim/cap_timeline.h"
#include "sim/events.h"
#include "sim/scenario.h"
#include "sim/world.h"

namespace dravelquin::sim {

// Tables of text for a terminal: columns aligned by the width the text takes
// on screen, numbers right-aligned.

using TableRow = std::vector<std::string>;

// Whether the first column holds names, left-aligned, or numbers like the rest.
enum class FirstColumn { kNames, kNumbers };

// The rows, every one of the same number of cells, as lines of text with two
// spaces between columns, every column but a first one of names right-aligned.
std::string AlignedTable(const std::vector<TableRow>& rows, FirstColumn first);

// Columns a UTF-8 text takes in a terminal: one per character, two for
// East Asian wide and full-width characters.
std::size_t DisplayWidth(const std::string& text);

// The human-readable summary of a simulated scenario: a table of each
// kind's wild population, the dump file's path and first lines, and the
// server dir when it was temporary.

struct ReportFacts {
  const std::vector<ScenarioKind>& kinds;
  const std::vector<KindCap>& caps;
  const PopulationHistory& history;
  const std::vector<EntryPointErrors>& errors;        // per entry point of the plug-in
  std::optional<std::filesystem::path> written_dump;  // when a step wrote the dump
  // A temporary server dir that stays after the run (--keep-server-dir);
  // one that is removed is not shown, nor is the dump's path in it.
  std::optional<std::filesystem::path> kept_temporary_dir;
  bool temporary_dir_removed = false;
  // Why the plug-in did not start, when no "load" succeeded and one failed.
  std::optional<std::string> start_failure;
  // The caps read again within the stretch, by reloads or a new start-up;
  // null when they were read once, before it.
  const CapTimeline* caps_over_time = nullptr;
};

// How many of the dump's lines the summary shows.
constexpr std::size_t kDumpLinesShown = 10;

// One row per kind in kind order: cap ("-" when not capped, "broken" when
// the gate fails to read it), wild population at the start of the recorded
// stretch, its minimum, maximum and end, creatures the gate destroyed, the
// start excess (how far above its cap the plug-in found the kind at its
// first census) and the overshoot (how far it rose from there on above the
// higher of its cap and its lowest count since: what the gate let through
// beyond the cap); both "-" when not capped or never counted. A cap at or
// below 0 holds the kind at none. Columns are aligned by display width, East
// Asian wide characters counting two. Where the caps were read again within
// the stretch, the cap is each one in force in turn ("300→150") and the
// overshoot is that of each cap in turn ("118→0", OvershootText); a line
// under the table tells each reload and new start-up, the caps it changed or
// why it was refused. Under the table: that the plug-in did not start and
// why, the error of each broken cap, each cap at or below 0, that no census
// ran, then the errors the plug-in raised per entry point, with the first
// one's text.
std::string FormatReport(const ReportFacts& facts);

}  // namespace dravelquin::sim
