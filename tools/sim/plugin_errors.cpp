#include "tools/sim/plugin_errors.h"

#include <algorithm>

#include "testbed/host/testbed_host.h"

namespace dravelquin::sim {

namespace {

struct KnownEntryPoint {
  const char* where;
  const char* label;
};

// The plug-in's entry points, as the host names them where an error left.
constexpr KnownEntryPoint kKnownEntryPoints[] = {
    {"hook APrimalDinoCharacter.GetRandomBaseLevel", "spawn gate"},
    {"timer dravelquin", "census timer"},
    {"hook AShooterGameMode.InitGame", "game-mode init"},
    {"command debugspawn", "dump command"},
};

void Add(ErrorCount& errors, const testbed::CallbackError& error) {
  if (errors.count == 0) {
    errors.first_what = error.what;
    errors.first_where = error.where;
  }
  ++errors.count;
}

}  // namespace

PluginErrors::PluginErrors() {
  for (const KnownEntryPoint& known : kKnownEntryPoints) {
    entry_points_.push_back(EntryPointErrors{known.label, ErrorCount{"", known.where, 0}});
  }
}

void PluginErrors::Collect() {
  for (const testbed::CallbackError& error : testbed::TakeCallbackErrors()) {
    Add(step_, error);
    Add(EntryPointOf(error.where).errors, error);
  }
}

ErrorCount PluginErrors::TakeStepErrors() {
  ErrorCount taken = step_;
  step_ = ErrorCount{};
  return taken;
}

EntryPointErrors& PluginErrors::EntryPointOf(const std::string& where) {
  const auto found =
      std::find_if(entry_points_.begin(), entry_points_.end(), [&where](const auto& entry) {
        return entry.errors.first_where == where;
      });
  if (found != entry_points_.end()) {
    return *found;
  }
  return entry_points_.emplace_back(EntryPointErrors{where, ErrorCount{"", where, 0}});
}

}  // namespace dravelquin::sim
