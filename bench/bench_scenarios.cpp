#include "bench_scenarios.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bench_world.h"
#include "game/game_players.h"
#include "game/game_world.h"

namespace dravelquin {

namespace {

constexpr int kAtCapKind = 0;
constexpr int kUnderCapKind = 1;
constexpr int kUnconfiguredKind = kKindCount - 1;
constexpr std::int32_t kOwnLevel = 7;

int KindOf(GateCase gate_case) {
  return gate_case == GateCase::kUnconfigured ? kUnconfiguredKind
         : gate_case == GateCase::kUnderCap   ? kUnderCapKind
                                              : kAtCapKind;
}

void LoadIfAsked(const BenchServer& server, Plugin plugin, const std::string& config_text) {
  if (plugin == Plugin::kLoaded) {
    server.LoadPlugin(config_text);
  }
}

}  // namespace

GateScenario SetUpGate(const BenchServer& server, GateCase gate_case, Plugin plugin) {
  const std::vector<testbed::GameClass*> kinds =
      PopulateWorld(kGateWorldCreatures, Taming::kOneInTen);
  const auto at_cap_wild = static_cast<std::int32_t>(
      testbed::CountCreatures(kinds[kAtCapKind], testbed::Wildness::kWild));
  LoadIfAsked(server, plugin, ConfigText({at_cap_wild}));
  testbed::InitGameMode();
  const int kind = KindOf(gate_case);
  return GateScenario{kinds[static_cast<std::size_t>(kind)],
                      plugin == Plugin::kLoaded && gate_case == GateCase::kAtCap};
}

bool SpawnThroughGate(const GateScenario& scenario) {
  const testbed::SpawnResult spawned =
      testbed::SpawnCreature(scenario.kind, u"Newcomer", 0, kOwnLevel);
  testbed::RemoveCreature(spawned.creature);
  const std::int32_t expected_level = scenario.destroys ? 0 : kOwnLevel;
  return spawned.completed && spawned.destroyed == scenario.destroys &&
         spawned.level == expected_level;
}

void SetUpCensus(const BenchServer& server, int creatures, Plugin plugin) {
  PopulateWorld(creatures, Taming::kOneInTen);
  LoadIfAsked(server, plugin, ConfigText({}));
}

APlayerController* SetUpDump(const BenchServer& server, int creatures, Plugin plugin) {
  PopulateWorld(creatures, Taming::kNone);
  LoadIfAsked(server, plugin, ConfigText({}));
  return testbed::AddPlayer(testbed::PlayerKind::kAdmin);
}

}  // namespace dravelquin
