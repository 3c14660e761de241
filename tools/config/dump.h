#pragma once

// The census dump the checker reads: its lines, what it says about the
// configured blueprints, and a starting settings file written from it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/dump_file.h"
#include "config/report.h"
#include "plugin_rules/plugin_rules.h"

namespace dravelquin {

// A settings document compared with a census dump: for each blueprint path
// of the dump that a configured name takes in, what the gate does to the
// next creature of that path once a census has counted what the dump shows;
// the configured names the dump does not show; and the dump's most numerous
// blueprints that nothing caps.

struct DumpInput {
  std::string file;
  std::vector<DumpBlueprint> blueprints;
  // When set, called before each configured name is searched for among the
  // dump's paths, with the names searched so far and their number.
  std::function<void(std::size_t done, std::size_t total)> progress;
};

// One blueprint path of the dump that the census counts under a configured
// entry.
struct PathOutlook {
  std::string name;  // the configured name equal to the path, else the entry's first name
  std::string path;
  std::int64_t wild = 0;
  int dump_line = 0;
  LookupOutcome cap;            // the cap the gate reads for the path
  bool next_destroyed = false;  // the gate destroys the next creature of the path
};

// The outlooks of the dump's paths that the configured names take in, in
// byte order of path.
std::vector<PathOutlook> OutlooksOf(const SettingsReader& settings,
                                    const std::vector<DumpBlueprint>& dump);

// Adds notes at the configured names of the settings and returns the notes
// at the dump's lines about its most numerous uncapped blueprints. A path
// holding a byte of 0x80 or above is counted by no name. A name that counts
// a path differing from it in letter case gets a warning that names the path
// to write; above five names that count their exact path with a cap above 0,
// one note on "Dinos" sums those up. A name no path matches is told the
// nearest dump path (NearestIndex), or for a class name the path of its
// asset.
std::vector<Diagnostic> CompareWithDump(const SettingsReader& settings, const DumpInput& dump,
                                        ConfigReport& report);

// A starting settings file written from a census dump: every blueprint path
// of the dump capped once, in a file that the check passes without a warning.

// The seconds between timer-driven censuses in a written file: one hour.
constexpr std::int32_t kWrittenCheckInterval = 3600;

struct FromDumpOptions {
  std::optional<std::int32_t> cap;          // every blueprint capped at this, 1 and up
  std::int64_t scale_millionths = 1000000;  // else the dump's count times this / 10^6
  std::vector<std::string> only;            // when given, keep what holds one of these
  bool match_case = false;                  // `only` in exact letter case, not A-Z as a-z
};

struct WrittenSettings {
  std::string text;                  // the settings file, JSON with a final line end
  std::size_t blueprints = 0;        // the number of "Dinos" members written
  std::vector<Diagnostic> left_out;  // notes at the dump lines of paths not written
};

// The settings for the dump's blueprints (as BlueprintsOf gives them: in byte
// order of path, each path once) from the dump file `dump_file`: "General"
// with "CheckInterval", and one "Dinos" member per path with its "Count".
// With `only`, a path is kept when it or one of its display names holds one
// of the texts, the letter case of A-Z ignored unless `match_case` is set. A
// path that no "Dinos" member could cap cleanly is left out with a note: one
// not of the blueprint path form, one the census reads with "?" in place of
// some bytes, and one equal but for letter case to a path written before it.
// Time and memory grow in proportion to the dump.
WrittenSettings SettingsFromDump(const std::string& dump_file,
                                 const std::vector<DumpBlueprint>& blueprints,
                                 const FromDumpOptions& options);

// wild * scale_millionths / 10^6 rounded up, held within 1 to 2147483647.
// Examples: (10, 1100000) -> 11; (3, 1500000) -> 5; (7, 1) -> 1.
std::int32_t ScaledCap(std::int64_t wild, std::int64_t scale_millionths);

}  // namespace dravelquin
