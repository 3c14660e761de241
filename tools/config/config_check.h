#pragma once

// The whole check of one settings file: everything the plug-in will do with
// it that an administrator would not expect, and, given a census dump, what
// the configuration means for the creatures the dump shows.

#include <string>
#include <vector>

#include "diagnostic.h"
#include "dump_report.h"

namespace dravelquin {

// Checks the text of the settings file `file` as the plug-in reads it, and
// compares it with `dump` when that is not null. The diagnostics about the
// settings file come first, in text order, then those at the dump's lines.
// A text that is not valid JSON gives one error at the place the JSON
// library reports, naming the usual mistake it looks like (json_mistake.h).
std::vector<Diagnostic> CheckConfigText(const std::string& file, const std::string& text,
                                        const DumpInput* dump);

}  // namespace dravelquin
