#pragma once

// The errors that left the plug-in's callbacks and detours (the host caught
// them), taken from the host as they happen: for the step's trace line, and
// counted per entry point for the summary. Memory stays the same however
// many there are.

#include <cstdint>
#include <string>
#include <vector>

namespace dravelquin::sim {

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

}  // namespace dravelquin::sim
