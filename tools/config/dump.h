#pragma once

// The census dump the checker reads: its lines, what it says about the
// configured blueprints, and a starting settings file written from it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/report.h"
#include "plugin_rules/plugin_rules.h"

namespace dravelquin {

// The census dump "dinoDump.txt": one line "PATH|NAME|COUNT" per blueprint
// path and display name, counting that pair's wild creatures.

struct DumpLine {
  int line = 0;  // 1-based
  std::string path;
  std::string name;
  std::int32_t count = 0;
};

// A blueprint path of the dump with its lines merged.
struct DumpBlueprint {
  std::string path;
  std::int64_t wild = 0;           // the sum of its lines' counts
  int first_line = 0;              // its first line in the file
  std::vector<std::string> names;  // its display names, in line order
};

// A line that is not "PATH|NAME|COUNT".
class DumpFormatError : public std::runtime_error {
 public:
  DumpFormatError(int line, const std::string& message)
      : std::runtime_error(message), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// Reads every line of a dump. A UTF-8 byte-order mark at its start is
// skipped, as the settings parser skips one. "\n" and "\r\n" end a line, and
// the last line needs no end. The path runs to the first "|" and the count from the last,
// so a display name may hold "|". Raises DumpFormatError for a line with
// fewer than two "|" or whose count is not a decimal number from 1 to
// 2147483647 written with digits only and no leading zero.
// Example: "bp'/A'|Rex|Alpha|3" -> {path "bp'/A'", name "Rex|Alpha", count 3}.
std::vector<DumpLine> ParseDump(const std::string& text);

// The dump's blueprint paths in byte order, each with the counts of its lines
// added up and its display names. Takes the lines to move their text.
std::vector<DumpBlueprint> BlueprintsOf(std::vector<DumpLine> lines);

// A settings document compared with a census dump: for each blueprint path
// of the dump that a configured name takes in, what the gate does to the
// next creature of that path once a census has counted what the dump shows;
// the configured names the dump does not show; and the dump's most numerous
// blueprints that nothing caps.

struct DumpInput {
  std::string file;
  std::vector<DumpBlueprint> blueprints;
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
// at the dump's lines about its most numerous uncapped blueprints.
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
