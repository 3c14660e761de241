#pragma once

// The whole check of one settings file: everything the plug-in will do with
// it that an administrator would not expect, and, given a census dump, what
// the configuration means for the creatures the dump shows.

#include <optional>
#include <string>
#include <vector>

#include "check_summary.h"
#include "diagnostic.h"
#include "dump_report.h"

namespace dravelquin {

struct ConfigCheck {
  // About the settings file first, in text order, then at the dump's lines.
  std::vector<Diagnostic> diagnostics;
  // What the plug-in runs with; nothing when it fails to start on the text.
  std::optional<SettingsEffect> effect;
};

// Checks the text of the settings file `file` as the plug-in reads it, and
// compares it with `dump` when that is not null. A text that is not valid
// JSON gives one error at the place the JSON library reports, naming the
// usual mistake it looks like (json_mistake.h).
ConfigCheck CheckConfigText(const std::string& file, const std::string& text,
                            const DumpInput* dump);

}  // namespace dravelquin
