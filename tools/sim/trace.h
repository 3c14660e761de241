#pragma once

// The trace: one JSON object per step, one line each, in step order.

#include <cstddef>
#include <ostream>
#include <string>

#include "tools/sim/plugin_errors.h"
#include "tools/sim/scenario_fields.h"

namespace dravelquin::sim {

// A new trace line: {"step": index, "do": verb}; keys keep their order.
Json NewTraceLine(std::size_t index, const std::string& verb);

// Puts the errors that left the plug-in's callbacks and detours during the
// step (the host caught them) into the line: "error" is the first one's
// text, "error_in" where it left ("hook <function>", "timer <key>",
// "command <name>"), and "error_count" their number when more than one.
// A line that already has an "error" keeps it; the count still covers all.
void AttachCallbackErrors(Json& line, const ErrorCount& errors);

// Writes the line compactly, UTF-8 kept as it is (invalid bytes as U+FFFD),
// then a newline, and flushes.
void WriteTraceLine(std::ostream& out, const Json& line);

}  // namespace dravelquin::sim
