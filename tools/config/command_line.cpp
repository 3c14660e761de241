#include "config/command_line.h"

#include <chrono>
#include <cstdint>
#include <iostream>
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
#include "plugin_rules/plugin_rules.h"

#ifndef DRAVELQUIN_VERSION
#error "DRAVELQUIN_VERSION, the project's version, is defined by the build"
#endif

namespace dravelquin {

const char kUsage[] =
    "usage: dravelquin-config check CONFIG.json [--dump DUMP.txt] [--strict] [--reload]\n"
    "       dravelquin-config from-dump DUMP.txt [--cap N | --scale F] [--only TEXT]... "
    "[--match-case]\n"
    "                                   [--output FILE [--force]]\n"
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
    throw UsageError(
        "--scale wants a decimal number above 0 and at most 1000, with at most "
        "six digits after the point, not \"" +
        text + "\"");
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
      "check",
      "Check a settings file: diagnostics, then a summary line. Exit status 1 when "
      "it has an error or cannot be read");
  check->allow_extras();
  check->add_option("CONFIG.json", given.config_files, "The settings file");
  check
      ->add_option("--dump", given.check.dump,
                   "A census dump (DUMP.txt) to tell which blueprints the server has")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  check->add_flag("--strict", given.check.strict, "Count a warning as an error");
  check->add_flag("--reload", given.check.reload,
                  "Also tell whether dravelquin.reload takes the file on a running server; "
                  "exit status 1 when it refuses it");

  CLI::App* from_dump = app->add_subcommand(
      "from-dump", "Write a settings file capping the blueprints of a census dump");
  from_dump->allow_extras();
  from_dump->add_option("DUMP.txt", given.dump_files, "The census dump");
  from_dump->add_option("--cap", given.cap, "The cap of every blueprint, 1 to 2147483647")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  from_dump
      ->add_option("--scale", given.scale,
                   "Each cap as the count times F, above 0 and at most 1000, at most six "
                   "digits after the point; not with --cap")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  from_dump
      ->add_option("--only", given.from_dump.options.only,
                   "Only the blueprints whose path holds TEXT; may be repeated")
      ->allow_extra_args(false);
  from_dump->add_flag("--match-case", given.from_dump.options.match_case,
                      "--only matches the letter case too");
  from_dump
      ->add_option("--output", given.from_dump.output,
                   "FILE: write the settings to FILE, UTF-8, in place of standard output; "
                   "never over an existing file without --force")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  from_dump->add_flag("--force", given.from_dump.force, "--output may replace an existing FILE");
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
  if (given.check.dump && IsStandardInput(given.check.config) &&
      IsStandardInput(*given.check.dump)) {
    throw UsageError("standard input (\"-\") can be one of the files, not both");
  }
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
  if (command.force && !command.output) {
    throw UsageError("--force goes with --output");
  }
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

// The file's text ("-": standard input's), or nothing after setting
// `problem` to why it cannot be read.
std::optional<std::string> ReadOrTell(const std::string& file, const std::string& consequence,
                                      std::istream& in, std::optional<Diagnostic>& problem) {
  FileText input = ReadFileOrInput(file, in);
  if (!input.text) {
    problem = ErrorAtTop(
        ShownName(file),
        "cannot read the file (" + std::string(std::strerror(input.error)) + ")" + consequence);
  }
  return std::move(input.text);
}

// The dump's blueprints, or nothing after setting `problem` to why it cannot
// be read.
std::optional<DumpInput> ReadDump(const std::string& file, std::istream& in,
                                  std::optional<Diagnostic>& problem) {
  const std::optional<std::string> text = ReadOrTell(file, "", in, problem);
  if (!text) {
    return std::nullopt;
  }
  try {
    return DumpInput{ShownName(file), BlueprintsOf(ParseDump(*text)), {}};
  } catch (const DumpFormatError& error) {
    problem =
        Diagnostic{ShownName(file), TextPosition{error.line(), 1}, Severity::kError, error.what()};
  }
  return std::nullopt;
}

// "FILE: dravelquin.reload takes it: ..." or "... refuses it ...: REASON",
// the reason being the text the plug-in logs; returns whether it takes it.
bool PrintReloadVerdict(const std::string& file, const std::optional<std::string>& text,
                        std::ostream& out) {
  const std::optional<std::string> refusal =
      text ? ReloadRefusalOfText(*text) : std::optional<std::string>("Can't open config.json");
  if (refusal) {
    PrintLine(file + ": dravelquin.reload refuses it, the running settings stay: " + *refusal, out);
    return false;
  }
  PrintLine(file +
                ": dravelquin.reload takes it: its caps apply from a census at once, and "
                "the timer counts its interval from then",
            out);
  return true;
}

// "searching the dump: 12 of 49 names" on one line of a terminal, rewritten
// as the search goes on, once the run has taken more than a second; Clear
// takes it away before the findings are printed.
class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& to) : to_(to) {}

  void Show(std::size_t done, std::size_t total) {
    if (std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1)) {
      return;
    }
    to_ << "\rsearching the dump: " << done << " of " << total << " names" << std::flush;
    shown_ = true;
  }

  void Clear() {
    if (shown_) {
      to_ << "\r" << std::string(60, ' ') << "\r" << std::flush;
    }
  }

 private:
  std::ostream& to_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  bool shown_ = false;
};

// Both files are read before anything is checked. A dump that cannot be
// used is told first, and the config is checked without it; a config that
// cannot be read is the last line printed (and with --reload the verdict
// after it).
int RunCheck(const CheckCommand& command, std::istream& in, std::ostream& out, std::ostream& err) {
  ProgressLine progress(err);
  std::optional<DumpInput> dump;
  std::optional<Diagnostic> dump_problem;
  if (command.dump) {
    dump = ReadDump(*command.dump, in, dump_problem);
    if (dump && dump->blueprints.empty()) {
      dump_problem = Diagnostic{ShownName(*command.dump), TextPosition{}, Severity::kWarning,
                                "the dump is empty: it lists no creature, so nothing is "
                                "compared with it"};
      dump.reset();
    } else if (dump && &err == &std::cerr && StandardErrorIsTerminal()) {
      dump->progress = [&progress](std::size_t done, std::size_t total) {
        progress.Show(done, total);
      };
    }
  }
  const bool dump_failed = dump_problem && dump_problem->severity == Severity::kError;
  std::optional<Diagnostic> config_problem;
  const std::optional<std::string> text =
      ReadOrTell(command.config, ": the plug-in fails to start with \"Can't open config.json\"", in,
                 config_problem);
  if (!text) {
    for (const auto& problem : {dump_problem, config_problem}) {
      if (problem) {
        Print(*problem, out);
      }
    }
    if (command.reload) {
      PrintReloadVerdict(ShownName(command.config), text, out);
    }
    return dump_failed ? kBadInvocation : kFailure;
  }
  const std::string config = ShownName(command.config);
  ConfigCheck check = CheckConfigText(config, *text, dump ? &*dump : nullptr);
  progress.Clear();
  if (dump_problem) {
    check.diagnostics.insert(check.diagnostics.begin(), *dump_problem);
  }
  if (command.strict) {
    TreatWarningsAsErrors(check.diagnostics);
  }
  for (const Diagnostic& diagnostic : check.diagnostics) {
    Print(diagnostic, out);
  }
  PrintLine(SummaryLine(config, check.effect, check.diagnostics), out);
  const bool reload_taken = !command.reload || PrintReloadVerdict(config, text, out);
  if (dump_failed) {
    return kBadInvocation;
  }
  return HasError(check.diagnostics) || !reload_taken ? kFailure : kSuccess;
}

int RunFromDump(const FromDumpCommand& command, std::istream& in, std::ostream& out,
                std::ostream& err) {
  // An output file that must not be replaced is refused before anything is
  // read.
  std::optional<OutputFile> output;
  if (command.output) {
    try {
      output.emplace(*command.output, command.force);
    } catch (const InputProblem& problem) {
      PrintLine(std::string("dravelquin-config: ") + problem.what(), err);
      return kBadInvocation;
    }
  }
  std::optional<Diagnostic> problem;
  const std::optional<DumpInput> dump = ReadDump(command.dump, in, problem);
  if (!dump) {
    Print(*problem, err);
    return kFailure;
  }
  const WrittenSettings written = SettingsFromDump(dump->file, dump->blueprints, command.options);
  for (const Diagnostic& note : written.left_out) {
    Print(note, err);
  }
  if (written.blueprints == 0) {
    Print(
        ErrorAtTop(dump->file, dump->blueprints.empty() ? "the dump is empty: no blueprint to write"
                                                        : "no blueprint to write"),
        err);
    return kFailure;
  }
  if (!output) {
    out << written.text;
    return kSuccess;
  }
  output->Stream() << written.text;
  try {
    output->Commit();
  } catch (const std::runtime_error& error) {
    PrintLine(std::string("dravelquin-config: ") + error.what(), err);
    return kFailure;
  }
  return kSuccess;
}

}  // namespace

int RunTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
  try {
    const Command command = ParseCommandLine(args);
    if (const auto* check = std::get_if<CheckCommand>(&command)) {
      return RunCheck(*check, in, out, err);
    }
    if (const auto* from_dump = std::get_if<FromDumpCommand>(&command)) {
      return RunFromDump(*from_dump, in, out, err);
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

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunTool(args, std::cin, out, err);
}

}  // namespace dravelquin
