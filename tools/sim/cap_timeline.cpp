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
  const char* const kBlanks = " \t";
  const std::size_t start = line.find_first_not_of(kBlanks);
  if (start == std::string::npos) {
    return false;
  }
  const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
  if (end - start != kCommand.size()) {
    return false;
  }
  return std::equal(kCommand.begin(), kCommand.end(),
                    line.begin() + static_cast<std::ptrdiff_t>(start), [](char wanted, char given) {
                      const char lower = given >= 'A' && given <= 'Z'
                                             ? static_cast<char>(given - 'A' + 'a')
                                             : given;
                      return wanted == lower;
                    });
}

CapTimeline::CapTimeline(std::vector<KindCap> caps)
    : current_(std::move(caps)), limit_(current_.size(), 0), overshoot_(current_.size()) {}

void CapTimeline::StartPeriod(std::size_t kind, std::int64_t limit) {
  limit_[kind] = limit;
  overshoot_[kind].push_back(current_[kind].capped ? std::optional<std::int64_t>(0) : std::nullopt);
}

void CapTimeline::Begin(const std::vector<std::int64_t>& wild) {
  if (begun_) {
    return;
  }
  begun_ = true;
  at_start_ = current_;
  for (std::size_t kind = 0; kind < current_.size(); ++kind) {
    StartPeriod(kind, HeldCount(current_[kind].cap));
  }
  Sample(wild);
}

void CapTimeline::Change(CapChange change, const std::vector<std::int64_t>& wild) {
  const std::vector<KindCap> before = std::move(current_);
  current_ = change.caps;
  if (!begun_) {
    return;
  }
  changes_.push_back(std::move(change));
  for (std::size_t kind = 0; kind < current_.size(); ++kind) {
    if (current_[kind] != before[kind]) {
      StartPeriod(kind, std::max(current_[kind].cap, wild[kind]));
    }
  }
  Sample(wild);
}

void CapTimeline::Sample(const std::vector<std::int64_t>& wild) {
  if (!begun_) {
    return;
  }
  for (std::size_t kind = 0; kind < current_.size(); ++kind) {
    std::optional<std::int64_t>& overshoot = overshoot_[kind].back();
    if (overshoot) {
      overshoot = std::max(*overshoot, wild[kind] - limit_[kind]);
    }
  }
}

std::optional<std::int64_t> CapTimeline::Overshoot(std::size_t kind) const {
  std::optional<std::int64_t> highest;
  for (const std::optional<std::int64_t>& period : overshoot_[kind]) {
    if (period) {
      highest = std::max(highest.value_or(0), *period);
    }
  }
  return highest;
}

std::string CapText(const KindCap& cap) {
  if (cap.capped) {
    return std::to_string(cap.cap);
  }
  return cap.broken ? "broken" : "-";
}

std::string OvershootText(const CapTimeline& timeline, std::size_t kind) {
  std::string text;
  for (const std::optional<std::int64_t>& period : timeline.OvershootByPeriod(kind)) {
    text += (text.empty() ? "" : kThenArrow) + (period ? std::to_string(*period) : "-");
  }
  return text;
}

}  // namespace dravelquin::sim
