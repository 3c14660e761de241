#pragma once

// The administrators' "dravelquin.reload": the settings read again without a
// restart.

#include <cstdint>
#include <optional>

#include "host/game_types.h"

namespace dravelquin {

// When the running settings were last swapped in by a reload, in 100-ns
// ticks since 1970 UTC; nothing until the first.
extern std::optional<std::int64_t> LastReloadTicks;

// For a server administrator: reads config.json into a new document and
// checks the lookups the census and the timer make on it. A file that cannot
// be opened or parsed, a top level that is neither object nor null, a "Dinos"
// the census cannot iterate, or a "General" or "CheckInterval" the schedule
// cannot read refuses the reload: one error line in the host's log, and the
// running settings, census table and schedule stay as they were. Otherwise
// the document becomes the running settings, a census runs at once and the
// next timer census is one new interval from now; when that census fails,
// one error line is logged and the next timer call takes a census. Anyone
// else: nothing happens. The command text and flag are ignored, and no
// exception leaves the command.
void OnReloadCommand(APlayerController* controller, FString* text, bool flag) noexcept;

}  // namespace dravelquin
