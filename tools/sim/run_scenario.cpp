#include "tools/sim/run_scenario.h"

#include <filesystem>

#include "tools/sim/chart_file.h"
#include "tools/sim/interval_sweep.h"
#include "tools/sim/report_table.h"
#include "tools/sim/server_dir.h"
#include "tools/sim/server_run.h"
#include "tools/sim/svg_chart.h"
#include "tools/sim/sweep_table.h"
#include "tools/sim/swing_chart.h"

namespace dravelquin::sim {

void RunScenario(const Options& options, const Scenario& scenario, std::ostream& trace,
                 std::ostream& notes) {
  const ServerDir dir = PrepareServerDir(options.server_dir);
  TemporaryDirRemoval removal(dir);
  const RunResults run = RunInServerDir(dir, scenario, options.plugin, trace, notes, notes);

  const ReportFacts facts{scenario.kinds, run.caps, run.history, run.errors,
                          run.dump_written ? std::optional(dir.DumpPath()) : std::nullopt,
                          dir.temporary ? std::optional(dir.root) : std::nullopt};
  (options.report ? trace : notes) << FormatReport(facts);
  if (options.chart) {
    const std::string title = std::filesystem::path(options.scenario).filename().string();
    WriteChartFile(*options.chart,
                   PopulationChartSvg(scenario.kinds, run.caps, run.history, title));
  }
  if (dir.temporary && options.report) {
    notes << "server dir (temporary): " << dir.root.string() << "\n";
  }
  removal.Keep();
}

void RunSweep(const Options& options, const Scenario& scenario, std::ostream& out,
              std::ostream& notes) {
  const SweepOutcome sweep = RunIntervalSweep(options, scenario, notes);
  out << FormatSweep(sweep);
  if (options.chart) {
    WriteChartFile(*options.chart, SwingChartSvg(sweep));
  }
}

}  // namespace dravelquin::sim
