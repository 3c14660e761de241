#pragma once

// The administrators' "dravelquin.status": what the plug-in knows, in a file.

#include "host/game_types.h"

namespace dravelquin {

// For a server administrator: rewrites "<current dir>/ArkApi/Plugins/
// dravelquin/status.json" through a temporary file renamed over it, so that
// a reader never sees half a file. One JSON object, in UTF-8:
//
//   {
//   "version": "0.1.0",
//   "CheckInterval": 3600,
//   "ExactCaps": false,
//   "seconds_to_next_census": 1200,
//   "last_census": "2026-01-01T00:40:00Z",
//   "last_reload": null,
//   "blueprints": [
//   {"path": "blueprint'/Game/A.A'", "cap": 150, "counted": 149, "admitted": 3, "destroyed": 2}
//   ]
//   }
//
// CheckInterval and the seconds to the next timer census are null when the
// schedule cannot read them; ExactCaps is what the last census put in force;
// the times, UTC, are null before the first census or reload. One line per
// "Dinos" member name in byte order, written as the config gives it: its cap
// as the gate reads it for that exact path, or the error text of that
// lookup; the last census's count and the creatures let through since, over
// the name's census entry; the creatures of its paths destroyed since the
// plug-in was loaded. A file that cannot be written is one error line in the
// host's log. Anyone else: nothing happens. The command text and flag are
// ignored, and no exception leaves the command.
void OnStatusCommand(APlayerController* controller, FString* text, bool flag) noexcept;

}  // namespace dravelquin
