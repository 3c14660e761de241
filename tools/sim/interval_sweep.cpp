#include "tools/sim/interval_sweep.h"

#include <filesystem>

#include "tools/sim/config_interval.h"
#include "tools/sim/server_dir.h"
#include "tools/sim/server_run.h"

namespace dravelquin::sim {

namespace {

RunResults RunAtInterval(const Options& options, const Scenario& scenario, std::int64_t interval,
                         std::ostream& warnings, std::ostream& progress) {
  Scenario at_interval = scenario;
  at_interval.config = WithCheckInterval(scenario.config, interval);
  const ServerDir dir = PrepareServerDir(std::nullopt);
  const TemporaryDirRemoval removal(dir);  // never kept: nothing in it is shown
  std::ostream discarded_trace(nullptr);
  return RunInServerDir(dir, at_interval, options.plugin, discarded_trace, warnings, progress);
}

std::vector<CappedKind> CappedKinds(const Scenario& scenario, const RunResults& run) {
  std::vector<CappedKind> capped;
  for (std::size_t kind = 0; kind < scenario.kinds.size(); ++kind) {
    if (run.caps[kind].capped) {
      capped.push_back(CappedKind{kind, scenario.kinds[kind].id, run.caps[kind].cap});
    }
  }
  return capped;
}

KindAtInterval KindOutcome(const RunResults& run, const CappedKind& kind,
                           double tolerance_percent) {
  const KindStretch& stretch = run.history.Summary(kind.index);
  const CapBand band = BandAround(kind.cap, tolerance_percent);
  return KindAtInterval{stretch.min, stretch.max,
                        run.history.Dwell().ShareWithin(kind.index, band.low, band.high),
                        stretch.destroyed};
}

IntervalOutcome OutcomeOf(const SweepOutcome& sweep, const RunResults& run, std::int64_t interval) {
  IntervalOutcome outcome{interval, {}, run.censuses, run.load_failure};
  for (const CappedKind& kind : sweep.kinds) {
    outcome.kinds.push_back(KindOutcome(run, kind, sweep.tolerance_percent));
  }
  return outcome;
}

}  // namespace

SweepOutcome RunIntervalSweep(const Options& options, const Scenario& scenario,
                              std::ostream& notes) {
  SweepOutcome sweep;
  sweep.title = std::filesystem::path(options.scenario).filename().string();
  sweep.tolerance_percent = options.tolerance_percent;
  std::ostream silenced(nullptr);
  for (const std::int64_t interval : *options.sweep) {
    const bool first = sweep.intervals.empty();
    const RunResults run =
        RunAtInterval(options, scenario, interval, first ? notes : silenced, notes);
    if (first) {
      sweep.kinds = CappedKinds(scenario, run);
      sweep.stretch_seconds = run.history.EndTime() - run.history.StartTime();
    }
    sweep.intervals.push_back(OutcomeOf(sweep, run, interval));
  }
  return sweep;
}

}  // namespace dravelquin::sim
