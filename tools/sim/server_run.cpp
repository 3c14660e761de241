#include "tools/sim/server_run.h"

#include <utility>

#include "tools/sim/kind_paths.h"
#include "tools/sim/progress.h"
#include "tools/sim/sim_world.h"

namespace dravelquin::sim {

RunResults RunInServerDir(const ServerDir& dir, const Scenario& scenario, const std::string& plugin,
                          std::ostream& trace, std::ostream& warnings, std::ostream& progress) {
  WriteConfig(dir, scenario.config);
  StartServer(dir.root, scenario.start_time);
  SimWorld world(scenario.kinds);
  for (const std::string& warning : KindsWithoutPath(scenario.kinds, world)) {
    warnings << warning << "\n";
  }
  std::vector<KindCap> caps = AppliedCaps(world);
  Simulation simulation(scenario, world, plugin, dir.DumpPath());
  if (StandardErrorIsTerminal()) {
    simulation.ShowProgressOn(progress);
  }
  simulation.RunAll(trace);
  simulation.Finish();
  return RunResults{
      std::move(caps),       simulation.History(),     simulation.Errors().PerEntryPoint(),
      simulation.Censuses(), simulation.DumpWritten(), simulation.LoadFailure()};
}

}  // namespace dravelquin::sim
