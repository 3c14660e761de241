#pragma once

// The tool's command line:
//   dravelquin-config check CONFIG.json [--dump DUMP.txt] [--strict]
//   dravelquin-config from-dump DUMP.txt [--cap N | --scale F] [--only TEXT]... [--match-case]
//   dravelquin-config --help | --version

#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "config_from_dump.h"

namespace dravelquin {

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

// A command line the tool cannot run; the message says what is wrong.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The usage text printed with --help and after a UsageError.
extern const char kUsage[];

// The command the arguments (without the program's name) ask for. Options
// may come before or after the file. Raises UsageError for an unknown
// subcommand or option, a missing or extra file, an option without its
// value, --cap and --scale together, a --cap that is not a whole number from
// 1 to 2147483647, and a --scale that is not a decimal number above 0 and at
// most 1000 with at most six digits after the point.
// Example: {"from-dump", "d.txt", "--scale", "1.5"} -> scale_millionths 1500000.
Command ParseCommandLine(const std::vector<std::string>& args);

}  // namespace dravelquin
