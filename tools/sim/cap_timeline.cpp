#include "sim/cap_timeline.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "plugin_rules/plugin_rules.h"
#include "population/settings_file.h"

namespace dravelquin::sim {

ReloadReading ReadReload(const SimWorld& world, const std::vector<KindCap>& in_force) {
  std::optional<SettingsReader> settings;
  try {
    settings.emplace(ReadSettingsFile());
  } catch (const std::exception& error) {
    return ReloadReading{std::string(error.what()), in_force};
  }
  std::optional<std::string> refused = ReloadRefusal(*settings);
  if (refused) {
    return ReloadReading{std::move(refused), in_force};
  }
  return ReloadReading{std::nullopt, AppliedCaps(world, *settings)};
}

bool IsReloadLine(const std::string& line) {
  static const std::string kCommand = "dravelquin.reload";
  const std::size_t start = line.find_first_not_of(' ');
  if (start == std::string::npos) {
    return false;
  }
  const std::size_t end = std::min(line.find(' ', start), line.size());
  if (end - start != kCommand.size()) {
    return false;
  }
  return std::equal(kCommand.begin(), kCommand.end(), line.begin() + static_cast<std::ptrdiff_t>(start),
                    [](char wanted, char given) {
                      const char lower = given >= 'A' && given <= 'Z' ? given - 'A' + 'a' : given;
                      return wanted == lower;
                    });
}

CapTimeline::CapTimeline(std::vector<KindCap> caps)
    : current_(std::move(caps)),
      limit_(current_.size(), 0),
      overshoot_(current_.size()) {}

void CapTimeline::StartLimits(const std::vector<std::int64_t>& wild, bool from_population) {
  for (std::size_t kind = 0; kind < current_.size(); ++kind) {
    if (current_[kind].capped) {
      limit_[kind] = from_population ? std::max(current_[kind].cap, wild[kind]) : current_[kind].cap;
      overshoot_[kind] = overshoot_[kind].value_or(0);
    }
  }
  Sample(wild);
}

void CapTimeline::Begin(const std::vector<std::int64_t>& wild) {
  if (begun_) {
    return;
  }
  begun_ = true;
  at_start_ = current_;
  StartLimits(wild, false);
}

void CapTimeline::Change(CapChange change, const std::vector<std::int64_t>& wild) {
  const bool refused = change.refused.has_value();
  current_ = change.caps;
  if (begun_) {
    changes_.push_back(std::move(change));
    if (!refused) {
      StartLimits(wild, true);
    }
  }
}

void CapTimeline::Sample(const std::vector<std::int64_t>& wild) {
  if (!begun_) {
    return;
  }
  for (std::size_t kind = 0; kind < current_.size(); ++kind) {
    if (current_[kind].capped) {
      overshoot_[kind] = std::max(*overshoot_[kind], wild[kind] - limit_[kind]);
    }
  }
}

}  // namespace dravelquin::sim
