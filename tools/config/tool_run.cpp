#include "tool_run.h"

#include <optional>
#include <utility>

#include "command_line.h"
#include "config_check.h"
#include "config_from_dump.h"
#include "dump_file.h"
#include "input_file.h"
#include "printable_text.h"

#ifndef DRAVELQUIN_VERSION
#error "DRAVELQUIN_VERSION, the project's version, is defined by the build"
#endif

namespace dravelquin {

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
  InputFile input = ReadInputFile(file);
  if (!input.text) {
    Print(ErrorAtTop(file, "cannot read the file (" + input.failure + ")" + consequence), to);
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
