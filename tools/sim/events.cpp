#include "sim/events.h"

#include <algorithm>
#include <string>

#include "engine/engine_array.h"
#include "host/ark_api.h"
#include "host/game.h"
#include "host_stand_in/testbed_host.h"

namespace dravelquin::sim {

namespace {

constexpr const char* kActorQueryName = "UGameplayStatics.GetAllActorsOfClass";

GetAllActorsOfClassFn game_query = nullptr;
std::uint64_t query_count = 0;
std::uint64_t listed_count = 0;

void CountingQuery(UWorld* world, UClass* klass, EngineArray<AActor*>* out) {
  ++query_count;
  game_query(world, klass, out);
  listed_count += static_cast<std::uint64_t>(out->count);
}

}  // namespace

void WatchActorQueries() {
  query_count = 0;
  listed_count = 0;
  game_query = reinterpret_cast<GetAllActorsOfClassFn>(ArkApi::GetAddress(kActorQueryName));
  testbed::RegisterNative(kActorQueryName, reinterpret_cast<void*>(&CountingQuery));
}

std::uint64_t ActorQueries() { return query_count; }

std::uint64_t ActorsListed() { return listed_count; }

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
      std::find_if(entry_points_.begin(), entry_points_.end(),
                   [&where](const auto& entry) { return entry.errors.first_where == where; });
  if (found != entry_points_.end()) {
    return *found;
  }
  return entry_points_.emplace_back(EntryPointErrors{where, ErrorCount{"", where, 0}});
}

namespace {

constexpr std::int64_t kPercent = 100;
constexpr const char* kErasedLine = "\r                                        \r";

}  // namespace

RunProgress::RunProgress(std::ostream* out, std::int64_t ticks)
    : out_(ticks >= kLongRunTicks ? out : nullptr), ticks_(ticks) {}

RunProgress::~RunProgress() {
  if (out_ != nullptr && shown_percent_ >= 0) {
    *out_ << kErasedLine << std::flush;
  }
}

void RunProgress::Tick() {
  ++done_;
  if (out_ == nullptr) {
    return;
  }
  const std::int64_t percent = done_ * kPercent / ticks_;
  if (percent == shown_percent_) {
    return;
  }
  shown_percent_ = percent;
  *out_ << "\rrun: " << percent << "% of " << ticks_ << " ticks" << std::flush;
}

Json NewTraceLine(std::size_t index, const std::string& verb) {
  Json line = Json::object();
  line["step"] = index;
  line["do"] = verb;
  return line;
}

void AttachCallbackErrors(Json& line, const ErrorCount& errors) {
  if (errors.count == 0) {
    return;
  }
  if (!line.contains("error")) {
    line["error"] = errors.first_what;
    line["error_in"] = errors.first_where;
  }
  if (errors.count > 1) {
    line["error_count"] = errors.count;
  }
}

void WriteTraceLine(std::ostream& out, const Json& line) {
  constexpr int kCompact = -1;
  out << line.dump(kCompact, ' ', false, Json::error_handler_t::replace) << '\n';
  out.flush();
}

}  // namespace dravelquin::sim
