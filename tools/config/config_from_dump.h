#pragma once

// A starting settings file written from a census dump: every blueprint path
// of the dump capped once, in a file that the check passes without a warning.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "diagnostic.h"
#include "dump_file.h"

namespace dravelquin {

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
