#pragma once

// The cap the plug-in applies to each kind, for the summary and the chart.
// It is worked out by the plug-in's own code, run in the simulator beside the
// loaded plug-in: its reading of the settings file, its census's table, the
// gate's cap lookup and its blueprint path. For display only: what happens
// to creatures is the loaded plug-in's doing.

#include <cstdint>
#include <vector>

namespace dravelquin::sim {

class SimWorld;

struct KindCap {
  bool capped = false;   // the census counts the kind and the gate reads a cap for it
  std::int64_t cap = 0;  // that cap
};

// One entry per kind of `world`, from the settings file that the plug-in's
// start-up reads under the host's current dir. A kind is capped when the
// census makes an entry that its blueprint path matches and the gate reads
// its cap without an error. Where the plug-in would let every creature
// through (no file, text that is not JSON, a "Dinos" the census fails on, a
// member or "Count" of the wrong type) the kind is not capped.
std::vector<KindCap> AppliedCaps(const SimWorld& world);

}  // namespace dravelquin::sim
