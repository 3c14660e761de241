#pragma once

// What a run records as it goes: the censuses the plug-in ran, the errors
// it raised per entry point, the progress shown on a terminal, and the JSON
// trace line of each step.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "sim/scenario.h"

namespace dravelquin::sim {

// Seeing when the plug-in takes a census. A census asks the game for every
// creature actor ("UGameplayStatics.GetAllActorsOfClass"), as the dump
// command does and nothing else of the plug-in: the simulator puts a
// counting stand-in in front of the game's function and reads the count.

// Puts the counting stand-in in front of the game's function. Call after the
// game's natives are registered (a fresh server) and before the plug-in
// loads; the count starts at 0.
void WatchActorQueries();

// Queries for actors since WatchActorQueries().
std::uint64_t ActorQueries();
// Actors those queries listed, in all: the creatures each census went through.
std::uint64_t ActorsListed();

// The errors that left the plug-in's callbacks and detours (the host caught
// them), taken from the host as they happen: for the step's trace line, and
// counted per entry point for the summary. Memory stays the same however
// many there are.

// The errors of one step, or of one entry point over the whole scenario.
struct ErrorCount {
  std::string first_what;   // the first error's text
  std::string first_where;  // where it left: "timer dravelquin", "hook <function>", ...
  std::int64_t count = 0;
};

// One entry point's errors; `label` names it for an administrator.
struct EntryPointErrors {
  std::string label;
  ErrorCount errors;
};

class PluginErrors {
 public:
  PluginErrors();

  // Takes the errors the host caught since the last call.
  void Collect();
  // The errors collected since the last call, and forgets them.
  ErrorCount TakeStepErrors();
  // Per entry point, the spawn gate, census timer, game-mode init and dump
  // command first (those without errors too), then any other place in the
  // order its first error came.
  const std::vector<EntryPointErrors>& PerEntryPoint() const { return entry_points_; }

 private:
  EntryPointErrors& EntryPointOf(const std::string& where);

  ErrorCount step_;
  std::vector<EntryPointErrors> entry_points_;
};

// Progress of a long generated run, on a terminal: one line rewritten in
// place as each whole per cent of the run's ticks is done, then erased.

// Runs of fewer ticks end too soon to need progress (about a week of
// server life at the default tick of a minute).
constexpr std::int64_t kLongRunTicks = 10000;

class RunProgress {
 public:
  // Shows nothing when `out` is null or the run has fewer than
  // kLongRunTicks ticks.
  RunProgress(std::ostream* out, std::int64_t ticks);
  ~RunProgress();
  RunProgress(const RunProgress&) = delete;
  RunProgress& operator=(const RunProgress&) = delete;

  // One more tick is done.
  void Tick();

 private:
  std::ostream* out_;
  std::int64_t ticks_;
  std::int64_t done_ = 0;
  std::int64_t shown_percent_ = -1;
};

// The trace: one JSON object per step, one line each, in step order.

// A new trace line: {"step": index, "do": verb}; keys keep their order.
Json NewTraceLine(std::size_t index, const std::string& verb);

// Puts the errors that left the plug-in's callbacks and detours during the
// step (the host caught them) into the line: "error" is the first one's
// text, "error_in" where it left ("hook <function>", "timer <key>",
// "command <name>"), and "error_count" their number when more than one.
// A line that already has an "error" keeps it; the count still covers all.
void AttachCallbackErrors(Json& line, const ErrorCount& errors);

// Writes the line compactly, UTF-8 kept as it is (invalid bytes as U+FFFD),
// then a newline, and flushes.
void WriteTraceLine(std::ostream& out, const Json& line);

}  // namespace dravelquin::sim
