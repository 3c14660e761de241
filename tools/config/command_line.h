#pragma once

// dravelquin-config's command line and the run of each subcommand.

#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "config/dump.h"

namespace dravelquin {

// The tool's command line:
//   dravelquin-config check CONFIG.json [--dump DUMP.txt] [--strict]
//   dravelquin-config from-dump DUMP.txt [--cap N | --scale F] [--only TEXT]... [--match-case]
//   dravelquin-config --help | --version

struct CheckCommand {
  std::string config;
  std::optional<std::string> dump;
  bool strict = false;
};

struct FromDumpCommand {
  std::string dump;
  FromDumpOptions options;
};

struct HelpCommand {};

struct VersionCommand {};

using Command = std::variant<CheckCommand, FromDumpCommand, HelpCommand, VersionCommand>;

// The usage text printed after a UsageError.
extern const char kUsage[];

// The text --help prints: every subcommand and option.
std::string HelpText();

// The command the arguments (without the program's name) ask for. Options
// may come before or after the file. Raises UsageError for an unknown
// subcommand or option, a missing or extra file, an option without its
// value, --cap and --scale together, a --cap that is not a whole number from
// 1 to 2147483647, and a --scale that is not a decimal number above 0 and at
// most 1000 with at most six digits after the point.
// Example: {"from-dump", "d.txt", "--scale", "1.5"} -> scale_millionths 1500000.
Command ParseCommandLine(const std::vector<std::string>& args);

// The tool run on a command line, its output going to the given streams.

// Runs the arguments (without the program's name) and returns the exit
// status:
//   check:     diagnostics and then the summary line on `out`; 0 without an
//              error, 1 with one (with --strict a warning counts as one) or
//              when the settings file cannot be read, 2 for a bad invocation
//              or a dump that cannot be read.
//   from-dump: the settings on `out` and notes and errors on `err`; 0 when
//              written, 1 when the dump cannot be read or holds no blueprint
//              to write, 2 for a bad invocation.
//   --help:    HelpText() on `out`, 0.
//   --version: "dravelquin-config VERSION" on `out`, 0.
// A file that cannot be read is one line, printed before anything is
// checked. A bad invocation prints its reason and the usage on `err`. Bytes
// that are not UTF-8 are printed as "\xHH" (EscapedNonUtf8, common/text.h).
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dravelquin
