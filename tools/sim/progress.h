#pragma once

// Progress of a long generated run, on a terminal: one line rewritten in
// place as each whole per cent of the run's ticks is done, then erased.

#include <cstdint>
#include <ostream>

namespace dravelquin::sim {

// Runs of fewer ticks end too soon to need progress (about a week of
// server life at the default tick of a minute).
constexpr std::int64_t kLongRunTicks = 10000;

// Whether standard error is a terminal, where progress may be shown.
bool StandardErrorIsTerminal();

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

}  // namespace dravelquin::sim
