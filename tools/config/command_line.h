#pragma once

// dravelquin-config's command line and the run of each subcommand.

#include <istream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "config/dump.h"

namespace dravelquin {

// The tool's command line:
//   dravelquin-config check CONFIG.json [--dump DUMP.txt] [--strict] [--reload]
//   dravelquin-config from-dump DUMP.txt [--cap N | --scale F] [--only TEXT]... [--match-case]
//                               [--output FILE [--force]]
//   dravelquin-config --help | --version
// "-" as CONFIG.json or DUMP.txt reads standard input.

struct CheckCommand {
  std::string config;
  std::optional<std::string> dump;
  bool strict = false;
  bool reload = false;  // also tell whether "dravelquin.reload" takes the file
};

struct FromDumpCommand {
  std::string dump;
  FromDumpOptions options;
  std::optional<std::string> output;  // the settings go to this file, not standard output
  bool force = false;                 // the output may replace an existing file
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
// value, standard input ("-") as both files of check, --force without
// --output, --cap and --scale together, a --cap that is not a whole number from
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
//              or a dump that cannot be read. With --reload, a last line
//              tells whether the running plug-in's "dravelquin.reload" takes
//              the file or refuses it (and why), and a refusal is status 1.
//   from-dump: the settings on `out`, or with --output in its file, and
//              notes and errors on `err`; 0 when written, 1 when the dump
//              cannot be read or holds no blueprint to write or the output
//              file cannot be written, 2 for a bad invocation or an output
//              file that exists without --force (nothing is read then).
//   --help:    HelpText() on `out`, 0.
//   --version: "dravelquin-config VERSION" on `out`, 0.
// A file that cannot be read is one line, printed before anything is
// checked. A bad invocation prints its reason and the usage on `err`. Bytes
// that are not UTF-8 are printed as "\xHH" (EscapedNonUtf8, common/text.h).
// A file named "-" is read from `in`, and findings name it "<stdin>".
int RunTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
            std::ostream& err);
// The same with the process's standard input as `in`.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dravelquin
