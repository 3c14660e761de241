#include "config/command_line.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "common/files.h"
#include "common/text.h"
#include "config/checks.h"
#include "config/dump.h"

#ifndef DRAVELQUIN_VERSION
#error "DRAVELQUIN_VERSION, the project's version, is defined by the build"
#endif

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

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kBadInvocation = 2;

// Every line the tool prints about its input goes through here, so that no
// byte that is not UTF-8 reaches the terminal raw.
void PrintLine(const std::string& line, std::ostream& to) { to << EscapedNonUtf8(line) << '\n'; }

void Print(const Diagnostic& diagnostic, std::ostream& to) {
  PrintLine(FormatDiagnostic(diagnostic), to);
}

Diagnostic ErrorAtTop(const std::string& file, const std::string& message) {
  return Diagnostic{file, TextPosition{}, Severity::kError, message};
}

// The file's text, or nothing after printing why it cannot be read.
std::optional<std::string> ReadOrReport(const std::string& file, const std::string& consequence,
                                        std::ostream& to) {
  FileText input = ReadFileText(PathFromUtf8(file));
  if (!input.text) {
    Print(ErrorAtTop(file, "cannot read the file (" + std::string(std::strerror(input.error)) +
                               ")" + consequence),
          to);
  }
  return std::move(input.text);
}

// The dump's blueprints, or nothing after printing why it cannot be read.
std::optional<DumpInput> ReadDump(const std::string& file, std::ostream& to) {
  const std::optional<std::string> text = ReadOrReport(file, "", to);
  if (!text) {
    return std::nullopt;
  }
  try {
    return DumpInput{file, BlueprintsOf(ParseDump(*text))};
  } catch (const DumpFormatError& error) {
    Print(Diagnostic{file, TextPosition{error.line(), 1}, Severity::kError, error.what()}, to);
  }
  return std::nullopt;
}

// Both files are read before anything is checked: a file that cannot be read
// is the one line printed.
int RunCheck(const CheckCommand& command, std::ostream& out) {
  std::optional<DumpInput> dump;
  if (command.dump) {
    dump = ReadDump(*command.dump, out);
    if (!dump) {
      return kBadInvocation;
    }
  }
  const std::optional<std::string> text = ReadOrReport(
      command.config, ": the plug-in fails to start with \"Can't open config.json\"", out);
  if (!text) {
    return kFailure;
  }
  ConfigCheck check = CheckConfigText(command.config, *text, dump ? &*dump : nullptr);
  if (command.strict) {
    TreatWarningsAsErrors(check.diagnostics);
  }
  for (const Diagnostic& diagnostic : check.diagnostics) {
    Print(diagnostic, out);
  }
  PrintLine(SummaryLine(command.config, check.effect, check.diagnostics), out);
  return HasError(check.diagnostics) ? kFailure : kSuccess;
}

int RunFromDump(const FromDumpCommand& command, std::ostream& out, std::ostream& err) {
  const std::optional<DumpInput> dump = ReadDump(command.dump, err);
  if (!dump) {
    return kFailure;
  }
  const WrittenSettings written = SettingsFromDump(dump->file, dump->blueprints, command.options);
  for (const Diagnostic& note : written.left_out) {
    Print(note, err);
  }
  if (written.blueprints == 0) {
    Print(ErrorAtTop(dump->file, "no blueprint to write"), err);
    return kFailure;
  }
  out << written.text;
  return kSuccess;
}

}  // namespace

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    const Command command = ParseCommandLine(args);
    if (const auto* check = std::get_if<CheckCommand>(&command)) {
      return RunCheck(*check, out);
    }
    if (const auto* from_dump = std::get_if<FromDumpCommand>(&command)) {
      return RunFromDump(*from_dump, out, err);
    }
    if (std::holds_alternative<VersionCommand>(command)) {
      out << "dravelquin-config " DRAVELQUIN_VERSION "\n";
      return kSuccess;
    }
    out << kUsage;
    return kSuccess;
  } catch (const UsageError& error) {
    PrintLine(std::string("dravelquin-config: ") + error.what(), err);
    err << kUsage;
    return kBadInvocation;
  }
}

}  // namespace dravelquin
