#pragma once

// Diagnostics on the document as a whole: the kind of its top level, names
// repeated within one object, and text after the value.

#include "config_report.h"
#include "plugin_reading.h"

namespace dravelquin {

// Reports a top level that is neither an object nor null, which makes every
// settings lookup of the plug-in fail. True when the top level is an object
// or null, whose members can then be checked.
bool CheckTopLevel(const SettingsReader& settings, ConfigReport& report);

// Reports each member the parser drops because an earlier member of the same
// object has its name, with the value kept and the value lost.
void CheckRepeatedNames(ConfigReport& report);

// Reports text after the JSON value, which the plug-in never reads.
void CheckTextAfterValue(ConfigReport& report);

}  // namespace dravelquin
