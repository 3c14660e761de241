#pragma once

// The cap the plug-in applies to each kind, for the summary and the chart.
// It is worked out by the plug-in's own code, run in the simulator beside the
// loaded plug-in: its reading of the settings file, its census's table, the
// gate's cap lookup and its blueprint path. For display only: what happens
// to creatures is the loaded plug-in's doing.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dravelquin::sim {

class SimWorld;

struct KindCap {
  bool capped = false;   // the census counts the kind and the gate reads a cap for it
  std::int64_t cap = 0;  // that cap
  // When the census counts the kind but the gate fails to read its cap: the
  // error the gate meets at each spawn, which it keeps to itself before
  // letting the creature live (`capped` is false).
  std::optional<std::string> broken;
};

// One entry per kind of `world`, from the settings file that the plug-in's
// start-up reads under the host's current dir. A kind is capped when the
// census makes an entry that its blueprint path matches and the gate reads
// its cap without an error; its cap is broken when the gate's reading
// raises an error (a member or "Count" of the wrong type). Where the
// plug-in counts nothing (no file, text that is not JSON, a "Dinos" the
// census fails on) no kind is capped.
std::vector<KindCap> AppliedCaps(const SimWorld& world);

}  // namespace dravelquin::sim
