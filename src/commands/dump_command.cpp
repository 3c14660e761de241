#include "commands/dump_command.h"

#include <cstdint>
#include <fstream>
#include <map>
#include <string>

#include "commands/server_admin.h"
#include "engine/naming.h"
#include "host/ark_api.h"
#include "host/platform.h"
#include "host/plugin_files.h"
#include "population/creatures.h"

namespace dravelquin {

namespace {

// Wild creatures per "path|name" line key, in byte order of the keys.
using DumpCounts = std::map<std::string, std::int32_t>;

// The creature's "path|name" into `key`, whose storage is reused from one
// creature to the next.
void MakeLineKey(AActor* actor, std::string& key) {
  const FString path = BlueprintPathOf(actor);
  const FString name = DinoDisplayName(reinterpret_cast<APrimalDinoCharacter*>(actor));
  NarrowInto(path, key);
  key += '|';
  key += ArkApi::Tools::Utf8Encode(WideTextOf(TextPointer(name)));
}

DumpCounts CountWildCreatures() {
  DumpCounts counts;
  const EngineArray<AActor*> actors = AllCreatureActors();
  std::string key;
  for (std::int32_t i = 0; i < actors.count; ++i) {
    AActor* actor = actors.data[i];
    if (actor != nullptr && IsWild(actor)) {
      MakeLineKey(actor, key);
      ++counts[key];
    }
  }
  return counts;
}

}  // namespace

void OnDumpCommand(APlayerController* controller, FString*, bool) {
  if (!IsServerAdmin(controller)) {
    return;
  }
  std::ofstream file(PluginFilePath("dinoDump.txt"));
  for (const auto& [key, count] : CountWildCreatures()) {
    file << key << '|' << std::to_string(count) << '\n';
  }
}

}  // namespace dravelquin
