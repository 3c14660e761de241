#include "command_line.h"

#include <cstdint>
#include <limits>

namespace dravelquin {

const char kUsage[] =
    "usage: dravelquin-config check CONFIG.json [--dump DUMP.txt] [--strict]\n"
    "       dravelquin-config from-dump DUMP.txt [--cap N | --scale F] [--only TEXT]... "
    "[--match-case]\n"
    "       dravelquin-config --help | --version\n";

namespace {

constexpr std::int64_t kMillion = 1000000;
constexpr std::int64_t kLargestScaleMillionths = 1000 * kMillion;
constexpr std::size_t kScaleFractionDigits = 6;

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

std::int32_t CapArgument(const std::string& text) {
  if (!AllDigits(text) || text.size() > 10 || text[0] == '0' ||
      std::stoll(text) > std::numeric_limits<std::int32_t>::max()) {
    throw UsageError("--cap wants a whole number from 1 to 2147483647, not \"" + text + "\"");
  }
  return static_cast<std::int32_t>(std::stoll(text));
}

// "1.5" -> 1500000: the decimal number read exactly, in millionths.
std::int64_t ScaleArgument(const std::string& text) {
  const std::size_t point = text.find('.');
  const std::string whole = text.substr(0, point);
  const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
  const bool well_formed = AllDigits(whole) && whole.size() <= 4 &&
                           (point == std::string::npos || AllDigits(fraction)) &&
                           fraction.size() <= kScaleFractionDigits;
  std::int64_t millionths = 0;
  if (well_formed) {
    const std::string padded = fraction + std::string(kScaleFractionDigits - fraction.size(), '0');
    millionths = std::stoll(whole) * kMillion + std::stoll(padded);
  }
  if (millionths <= 0 || millionths > kLargestScaleMillionths) {
    throw UsageError("--scale wants a decimal number above 0 and at most 1000, with at most "
                     "six digits after the point, not \"" + text + "\"");
  }
  return millionths;
}

// Walks the arguments after the subcommand: options with their values, and
// the one file.
class ArgumentReader {
 public:
  explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

  bool Next(std::string& argument) {
    if (next_ >= args_.size()) {
      return false;
    }
    argument = args_[next_++];
    return true;
  }

  std::string ValueOf(const std::string& option) {
    std::string value;
    if (!Next(value)) {
      throw UsageError(option + " wants a value");
    }
    return value;
  }

  static void TakeFile(std::string& file, const std::string& argument) {
    if (argument.size() > 1 && argument[0] == '-') {
      throw UsageError("unknown option " + argument);
    }
    if (!file.empty()) {
      throw UsageError("one file only, not also \"" + argument + "\"");
    }
    file = argument;
  }

 private:
  const std::vector<std::string>& args_;
  std::size_t next_ = 1;
};

CheckCommand CheckFrom(const std::vector<std::string>& args) {
  CheckCommand command;
  ArgumentReader reader(args);
  for (std::string argument; reader.Next(argument);) {
    if (argument == "--dump") {
      command.dump = reader.ValueOf(argument);
    } else if (argument == "--strict") {
      command.strict = true;
    } else {
      ArgumentReader::TakeFile(command.config, argument);
    }
  }
  if (command.config.empty()) {
    throw UsageError("check wants the settings file");
  }
  return command;
}

FromDumpCommand FromDumpFrom(const std::vector<std::string>& args) {
  FromDumpCommand command;
  bool scaled = false;
  ArgumentReader reader(args);
  for (std::string argument; reader.Next(argument);) {
    if (argument == "--cap") {
      command.options.cap = CapArgument(reader.ValueOf(argument));
    } else if (argument == "--scale") {
      command.options.scale_millionths = ScaleArgument(reader.ValueOf(argument));
      scaled = true;
    } else if (argument == "--only") {
      command.options.only.push_back(reader.ValueOf(argument));
    } else if (argument == "--match-case") {
      command.options.match_case = true;
    } else {
      ArgumentReader::TakeFile(command.dump, argument);
    }
  }
  if (command.options.cap && scaled) {
    throw UsageError("--cap and --scale exclude each other");
  }
  if (command.dump.empty()) {
    throw UsageError("from-dump wants the dump file");
  }
  return command;
}

}  // namespace

Command ParseCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) {
    throw UsageError("a subcommand is wanted");
  }
  const std::string& subcommand = args[0];
  if (subcommand == "check") {
    return CheckFrom(args);
  }
  if (subcommand == "from-dump") {
    return FromDumpFrom(args);
  }
  if (subcommand == "--help" || subcommand == "-h") {
    return HelpCommand{};
  }
  if (subcommand == "--version") {
    return VersionCommand{};
  }
  throw UsageError("unknown subcommand \"" + subcommand + "\"");
}

}  // namespace dravelquin
