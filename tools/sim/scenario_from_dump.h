#pragma once

// A starting scenario written from a server's census dump: the server's wild
// creatures placed as the dump counts them, its config, and a generated run
// whose rates the administrator then edits.

#include <optional>
#include <string>
#include <vector>

namespace dravelquin::sim {

// The length of the written run when none is asked for: one day.
constexpr double kDefaultDumpScenarioHours = 24;
// The run's placeholder rates: each kind spawns this per cent of its dump
// count per hour, and this per cent of its wild creatures dies per hour, so
// that it stays near the count the dump shows.
constexpr int kPlaceholderPercent = 5;

struct DumpScenarioInput {
  std::string dump_file;  // as the command line names it, for the comment
  std::string dump_text;
  // The config file's bytes and name, when one is given.
  std::optional<std::string> config_text;
  std::string config_file;
  double hours = kDefaultDumpScenarioHours;
};

struct DumpScenario {
  std::string text;  // the scenario file, JSON with a final line end; "" when
                     // no line of the dump can be placed
  // One line per blueprint path left out, "FILE:LINE: \"PATH\" (N wild
  // creatures) not placed: WHY", then one per display name the game would
  // show otherwise.
  std::vector<std::string> notes;
};

// The scenario for `input`: a top-level "comment" that says where it came
// from, what the run's rates are and which paths were skipped; the config
// ("config" when it is strict JSON, else "config_text"); one kind per
// blueprint path, by "blueprint_path", with an id made readably from the
// asset name and the dump's display names; then "load", a "place" per dump
// line (several when a count is beyond what one step may place), "init_game"
// and a "run" of `hours` with the placeholder rates.
// A path that no kind can be made to give again is skipped: empty, holding
// "?" or a byte of 0x80 or above, not blueprint'PACKAGE.ASSET', or holding
// "Default__", which the plug-in takes out of the paths it makes.
// Raises DumpFormatError for a malformed dump line, and ScenarioError when
// the config is not UTF-8 or the scenario written would be refused (a
// limit, an --hours the run cannot take).
DumpScenario ScenarioFromDump(const DumpScenarioInput& input);

}  // namespace dravelquin::sim
