#pragma once

// The caps the plug-in applies over a run, for the summary and the chart:
// those it read at start-up, then those each "dravelquin.reload" put in
// force (or, refused, left as they were). Worked out by the plug-in's own
// code in the simulator, as AppliedCaps is; what happens to creatures is
// the loaded plug-in's doing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/world.h"

namespace dravelquin::sim {

// A moment the caps were read again within the recorded stretch.
struct CapChange {
  std::int64_t time = 0;               // seconds since 1970
  std::size_t step = 0;                // the scenario step, 0-based
  bool reload = true;                  // false: the plug-in started again on another config
  std::optional<std::string> refused;  // a refused reload's reason; the caps stayed
  std::vector<KindCap> caps;           // per kind, in force from `time`
};

// What a reload does to the caps, read from the server dir's config.json
// with the plug-in's own code: refused (the caps in force stay) with the
// plug-in's reason, or taken with the caps of the new settings.
struct ReloadReading {
  std::optional<std::string> refused;
  std::vector<KindCap> caps;
};

ReloadReading ReadReload(const SimWorld& world, const std::vector<KindCap>& in_force);

// Whether a console line runs "dravelquin.reload": its first word (between
// spaces and tabs), compared without regard to the case of ASCII letters,
// as the host matches commands.
bool IsReloadLine(const std::string& line);

class CapTimeline {
 public:
  explicit CapTimeline(std::vector<KindCap> caps = {});

  const std::vector<KindCap>& Current() const { return current_; }

  // The recorded stretch begins with these wild counts: every change before
  // it is part of the caps at its start. Does nothing once begun.
  void Begin(const std::vector<std::int64_t>& wild);
  // The caps were read again. Within the stretch the change is kept, and
  // each kind whose cap it changed starts a new period: its overshoot is
  // counted from then on above its new cap, or above its population then
  // when that is higher, since lowering a cap destroys no creature and only
  // a rise beyond that is the gate's to stop.
  void Change(CapChange change, const std::vector<std::int64_t>& wild);
  // A sample of the stretch, one wild count per kind.
  void Sample(const std::vector<std::int64_t>& wild);

  // The caps in force when the stretch began (or now, before it begins).
  const std::vector<KindCap>& AtStart() const { return begun_ ? at_start_ : current_; }
  const std::vector<CapChange>& Changes() const { return changes_; }
  // Per period of the kind's own cap, in order (one when its cap never
  // changed): how far it rose above that cap (0 when it never did), or
  // nothing while no cap applied to it.
  const std::vector<std::optional<std::int64_t>>& OvershootByPeriod(std::size_t kind) const {
    return overshoot_[kind];
  }
  // The highest of them; nothing when no cap applied to the kind.
  std::optional<std::int64_t> Overshoot(std::size_t kind) const;

 private:
  void StartPeriod(std::size_t kind, std::int64_t limit);

  std::vector<KindCap> current_;
  std::vector<KindCap> at_start_;
  std::vector<CapChange> changes_;
  std::vector<std::int64_t> limit_;  // per kind: above this a rise is overshoot
  std::vector<std::vector<std::optional<std::int64_t>>> overshoot_;  // per kind, per period
  bool begun_ = false;
};

// What joins the values of one kind's successive caps, "300→150".
inline const std::string kThenArrow = "\xE2\x86\x92";

// A cap as the summary and the chart show it: "300", "broken" when the gate
// fails to read it, "-" when none applies.
std::string CapText(const KindCap& cap);

// "118→0": the kind's overshoot in each period of its cap, "-" where no cap
// applied.
std::string OvershootText(const CapTimeline& timeline, std::size_t kind);

}  // namespace dravelquin::sim
