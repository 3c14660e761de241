#include "config/command_line.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

#include <CLI/CLI.hpp>

#include "common/command_line.h"
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

// What the command line gives, as CLI11 reads it: the files and the values
// of --cap and --scale as text, checked after the whole line is read.
struct Given {
  bool version = false;
  std::vector<std::string> config_files;
  CheckCommand check;
  std::vector<std::string> dump_files;
  std::string cap;
  std::string scale;
  FromDumpCommand from_dump;
};

// The tool's command line, reading into `given`. Unknown options and
// arguments are kept as extras, refused with the tool's own words.
std::unique_ptr<CLI::App> CommandLineInto(Given& given) {
  auto app = std::make_unique<CLI::App>(
      "Checks a dravelquin settings file the way the plug-in will read it, and writes a "
      "starting one from a census dump. Exit status 2 for a bad invocation.",
      "dravelquin-config");
  app->set_help_flag("-h,--help", "Print this help and exit");
  // A path such as /srv/config.json is a file on every system, never an option.
  app->allow_windows_style_options(false);
  app->add_flag("--version", given.version, "Print the version and exit");
  app->require_subcommand(0, 1);
  app->allow_extras();

  CLI::App* check = app->add_subcommand(
      "check", "Check a settings file: diagnostics, then a summary line. Exit status 1 when "
               "it has an error or cannot be read");
  check->allow_extras();
  check->add_option("CONFIG.json", given.config_files, "The settings file");
  check->add_option("--dump", given.check.dump,
                    "A census dump (DUMP.txt) to tell which blueprints the server has")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  check->add_flag("--strict", given.check.strict, "Count a warning as an error");

  CLI::App* from_dump = app->add_subcommand(
      "from-dump", "Write a settings file capping the blueprints of a census dump");
  from_dump->allow_extras();
  from_dump->add_option("DUMP.txt", given.dump_files, "The census dump");
  from_dump->add_option("--cap", given.cap, "The cap of every blueprint, 1 to 2147483647")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  from_dump->add_option("--scale", given.scale,
                        "Each cap as the count times F, above 0 and at most 1000, at most six "
                        "digits after the point; not with --cap")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  from_dump->add_option("--only", given.from_dump.options.only,
                        "Only the blueprints whose path holds TEXT; may be repeated")
      ->allow_extra_args(false);
  from_dump->add_flag("--match-case", given.from_dump.options.match_case,
                      "--only matches the letter case too");
  return app;
}

// Refuses what CLI11 kept as extras: an unknown option, or a file after the
// one the subcommand takes.
void RefuseExtras(const CLI::App& subcommand) {
  for (const std::string& extra : subcommand.remaining()) {
    if (extra.size() > 1 && extra[0] == '-') {
      throw UsageError("unknown option " + extra);
    }
  }
}

// The one file a subcommand takes, or UsageError with `missing`.
std::string OneFile(const std::vector<std::string>& files, const std::string& missing) {
  if (files.empty()) {
    throw UsageError(missing);
  }
  if (files.size() > 1) {
    throw UsageError("one file only, not also \"" + files[1] + "\"");
  }
  return files.front();
}

CheckCommand CheckFrom(Given& given) {
  given.check.config = OneFile(given.config_files, "check wants the settings file");
  return given.check;
}

FromDumpCommand FromDumpFrom(Given& given, const CLI::App& subcommand) {
  FromDumpCommand& command = given.from_dump;
  if (subcommand.count("--cap") > 0) {
    command.options.cap = CapArgument(given.cap);
  }
  if (subcommand.count("--scale") > 0) {
    command.options.scale_millionths = ScaleArgument(given.scale);
    if (command.options.cap) {
      throw UsageError("--cap and --scale exclude each other");
    }
  }
  command.dump = OneFile(given.dump_files, "from-dump wants the dump file");
  return command;
}

}  // namespace

// CLI11 takes the arguments last first. An option without its value is the
// one error of its own that CLI11 raises here ("--dump: 1 required TEXT
// missing"), told in the tool's words.
Command ParseCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) {
    throw UsageError("a subcommand is wanted");
  }
  Given given;
  const std::unique_ptr<CLI::App> app = CommandLineInto(given);
  std::vector<std::string> last_first(args.rbegin(), args.rend());
  try {
    app->parse(last_first);
  } catch (const CLI::CallForHelp&) {
    return HelpCommand{};
  } catch (const CLI::ArgumentMismatch& error) {
    const std::string what = error.what();
    throw UsageError(what.substr(0, what.find(':')) + " wants a value");
  } catch (const CLI::ParseError& error) {
    throw UsageError(error.what());
  }
  for (const CLI::App* subcommand : app->get_subcommands()) {
    RefuseExtras(*subcommand);
  }
  const std::vector<std::string> extras = app->remaining();
  if (!extras.empty()) {
    const std::string& first = extras.front();
    throw UsageError(first.size() > 1 && first[0] == '-' ? "unknown option " + first
                                                        : "unknown subcommand \"" + first + "\"");
  }
  if (app->got_subcommand("check")) {
    return CheckFrom(given);
  }
  if (app->got_subcommand("from-dump")) {
    return FromDumpFrom(given, *app->get_subcommand("from-dump"));
  }
  if (given.version) {
    return VersionCommand{};
  }
  throw UsageError("a subcommand is wanted");
}

std::string HelpText() {
  Given given;
  return CommandLineInto(given)->help("", CLI::AppFormatMode::All);
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
    out << HelpText();
    return kSuccess;
  } catch (const UsageError& error) {
    PrintLine(std::string("dravelquin-config: ") + error.what(), err);
    err << kUsage;
    return kBadInvocation;
  }
}

}  // namespace dravelquin
