#include "tools/sim/run_scenario.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tools/sim/applied_caps.h"
#include "tools/sim/kind_paths.h"
#include "tools/sim/progress.h"
#include "tools/sim/report_table.h"
#include "tools/sim/server_dir.h"
#include "tools/sim/sim_world.h"
#include "tools/sim/simulation.h"
#include "tools/sim/svg_chart.h"

namespace dravelquin::sim {

namespace {

void WriteChart(const std::string& path, const std::string& svg) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << svg;
  out.close();
  if (!out) {
    throw std::runtime_error("cannot write the chart " + path);
  }
}

}  // namespace

void RunScenario(const Options& options, const Scenario& scenario, std::ostream& trace,
                 std::ostream& notes) {
  const ServerDir dir = PrepareServerDir(options.server_dir);
  TemporaryDirRemoval removal(dir);
  WriteConfig(dir, scenario.config);

  StartServer(dir.root, scenario.start_time);
  SimWorld world(scenario.kinds);
  for (const std::string& warning : KindsWithoutPath(scenario.kinds, world)) {
    notes << warning << "\n";
  }
  const std::vector<KindCap> caps = AppliedCaps(world);
  Simulation simulation(scenario, world, options.plugin, dir.DumpPath());
  if (StandardErrorIsTerminal()) {
    simulation.ShowProgressOn(notes);
  }
  simulation.RunAll(trace);
  simulation.Finish();

  const ReportFacts facts{scenario.kinds, caps, simulation.History(),
                          simulation.Errors().PerEntryPoint(),
                          simulation.DumpWritten() ? std::optional(dir.DumpPath()) : std::nullopt,
                          dir.temporary ? std::optional(dir.root) : std::nullopt};
  (options.report ? trace : notes) << FormatReport(facts);
  if (options.chart) {
    const std::string title = std::filesystem::path(options.scenario).filename().string();
    WriteChart(*options.chart,
               PopulationChartSvg(scenario.kinds, caps, simulation.History(), title));
  }
  if (dir.temporary && options.report) {
    notes << "server dir (temporary): " << dir.root.string() << "\n";
  }
  removal.Keep();
}

}  // namespace dravelquin::sim
