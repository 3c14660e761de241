#pragma once

// The checks of a settings document as the plug-in will read it: the
// document, "General", "Dinos" and each blueprint's settings, member names
// and their forms, unknown members, numbers; the summary line; and the whole
// check of a file.

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "config/dump.h"
#include "config/report.h"
#include "plugin_rules/plugin_rules.h"

namespace dravelquin {

// How a number written in the settings compares with the signed 32-bit
// integer the plug-in reads from it.

enum class NumberReading {
  kExact,         // the written number itself
  kBoolean,       // true or false, read as 1 or 0
  kFractional,    // a fraction, cut toward zero
  kBeyond32Bits,  // outside the signed 32-bit range, read as something else
};

// Compares the written value (a number or a boolean) with `read`.
// Examples: (2.9, 2) kFractional; (3600.0, 3600) kExact;
// (4294967296, 0) kBeyond32Bits; (1e10, 2147483647) kBeyond32Bits.
NumberReading ReadingOf(const nlohmann::json& written, std::int32_t read);

// "is TEXT", followed for anything but kExact by how it is read, as in
// "is 90.9, not a whole number: read as 90".
std::string DescribeReading(const std::string& written_text, NumberReading reading,
                            std::int32_t read);

// Members that the plug-in never reads: a misspelt name is silently ignored,
// and the setting it was meant for takes its default.

// Warns of each member of `object` (under `pointer`) whose name is not one
// of `known`, suggesting the known name it is near to ("dinos" -> "Dinos").
// Anything but an object has no members to warn of.
void CheckUnknownMembers(const nlohmann::json& object, const nlohmann::json::json_pointer& pointer,
                         const std::vector<std::string>& known, ConfigReport& report);

// Diagnostics on the member names of "Dinos": how the census makes them into
// keys and whether the gate then finds their "Count".

// Checks the names (those the census reads, in its order) of the settings.
void CheckNames(const std::vector<std::string>& names, const SettingsReader& settings,
                ConfigReport& report);

// Diagnostics on one configured blueprint's settings: the member value and
// its "Count", as the spawn gate reads them.

// Checks the "Dinos" member `name` of settings whose "Dinos" is an object.
void CheckBlueprintSettings(const std::string& name, const SettingsReader& settings,
                            ConfigReport& report);

// Diagnostics on "General" and its "CheckInterval": when the timer recounts
// the world, or why it never does.

// Checks "General" of settings whose top level is an object or null.
void CheckGeneral(const SettingsReader& settings, ConfigReport& report);

// Diagnostics on "Dinos": whether the census can read it, and each
// configured blueprint's name and settings.

// Checks "Dinos" of settings whose top level is an object or null.
void CheckDinos(const SettingsReader& settings, ConfigReport& report);

// Notes each of the names that begins "blueprint'/game/" and is all lower
// case: without a dump to compare, the one sign that a name may differ in
// letter case from the creatures' path, whose "Count" the gate then never
// reads.
void CheckPackageLetterCase(const std::vector<std::string>& names, ConfigReport& report);

// Diagnostics on the document as a whole: the kind of its top level, names
// repeated within one object, and text after the value.

// Reports a top level that is neither an object nor null, which makes every
// settings lookup of the plug-in fail. True when the top level is an object
// or null, whose members can then be checked.
bool CheckTopLevel(const SettingsReader& settings, ConfigReport& report);

// Reports each member the parser drops because an earlier member of the same
// object has its name, with the value kept and the value lost.
void CheckRepeatedNames(ConfigReport& report);

// Reports text after the JSON value, which the plug-in never reads.
void CheckTextAfterValue(ConfigReport& report);

// The usual reasons a hand-edited settings file is not JSON, told in plain
// words beside the JSON library's own message: comments, a comma after the
// last member, single quotes, and a file saved as UTF-16 by a Windows editor.

// The mistake that most likely made the parser stop at byte `error_offset`
// of `text` (the byte it could not take), or nothing when it is none of the
// usual ones.
// Example: ("{ // note\n}", 2) -> "a \"//\" comment, which JSON does not allow".
std::optional<std::string> LikelyJsonMistake(const std::string& text, std::size_t error_offset);

// The byte offsets, in text order, of every comment, single quote and comma
// before a closing "}" or "]" outside the strings of `text` (at the "}" or
// "]" for a comma), each one that LikelyJsonMistake names; nothing for a
// text that looks like UTF-16.
// Example: "{ // a\n \"A\": 1, }" -> {2, 16}.
std::vector<std::size_t> UsualJsonMistakes(const std::string& text);

// The line `check` prints after its findings: what the plug-in will run with
// and how many findings there are.

// What the plug-in runs with once it has started on a settings file.
struct SettingsEffect {
  // The blueprint paths whose new creatures the gate can destroy: those a
  // "Dinos" name makes the census count (a name of another letter case
  // counts the path it differs from) and whose cap the gate reads without
  // an error.
  std::size_t capped_blueprints = 0;
  LookupOutcome check_interval;  // as the census schedule reads it
};

SettingsEffect EffectOf(const SettingsReader& settings);

// "FILE: 2 blueprints capped, the timer recounts every 3600 seconds; 0 errors,
// 1 warning, 0 notes"; without an effect (the plug-in does not start),
// "FILE: the plug-in does not start; ...".
std::string SummaryLine(const std::string& file, const std::optional<SettingsEffect>& effect,
                        const std::vector<Diagnostic>& diagnostics);

// The whole check of one settings file: everything the plug-in will do with
// it that an administrator would not expect, and, given a census dump, what
// the configuration means for the creatures the dump shows.

struct ConfigCheck {
  // About the settings file first, in text order, then at the dump's lines.
  std::vector<Diagnostic> diagnostics;
  // What the plug-in runs with; nothing when it fails to start on the text.
  std::optional<SettingsEffect> effect;
};

// Checks the text of the settings file `file` as the plug-in reads it, and
// compares it with `dump` when that is not null. A text that is not valid
// JSON gives an error at the place the JSON library reports, naming the
// usual mistake it looks like (LikelyJsonMistake), and one at each usual
// mistake after it (UsualJsonMistakes).
ConfigCheck CheckConfigText(const std::string& file, const std::string& text,
                            const DumpInput* dump);

}  // namespace dravelquin
