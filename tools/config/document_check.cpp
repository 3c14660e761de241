#include "document_check.h"

#include <algorithm>
#include <string>

#include "value_kind.h"

namespace dravelquin {

namespace {

constexpr std::size_t kLongestValueShown = 40;

bool IsUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The value's text on one line: each run of white space that holds a line end
// or a tab becomes one space. A JSON string holds neither, so no string
// changes.
std::string OnOneLine(const std::string& value_text) {
  std::string line;
  for (std::size_t at = 0; at < value_text.size();) {
    const std::size_t run_end =
        std::min(value_text.find_first_not_of(" \t\n\r", at), value_text.size());
    if (run_end == at) {
      line += value_text[at++];
      continue;
    }
    const std::string run = value_text.substr(at, run_end - at);
    line += run.find_first_of("\t\n\r") == std::string::npos ? run : " ";
    at = run_end;
  }
  return line;
}

// The value's text on one line, cut after about 40 bytes between two UTF-8
// characters.
std::string Abridged(const std::string& written_text) {
  const std::string value_text = OnOneLine(written_text);
  if (value_text.size() <= kLongestValueShown) {
    return value_text;
  }
  std::size_t cut = kLongestValueShown;
  while (cut > 0 && IsUtf8Continuation(value_text[cut])) {
    --cut;
  }
  return value_text.substr(0, cut) + "...";
}

std::string PositionText(TextPosition at) {
  return std::to_string(at.line) + ":" + std::to_string(at.column);
}

}  // namespace

bool CheckTopLevel(const SettingsReader& settings, ConfigReport& report) {
  const nlohmann::json& document = settings.Document();
  if (document.is_object() || document.is_null()) {
    return true;
  }
  const NamesOutcome census = settings.ConfiguredNames();
  report.About(Severity::kError, "",
               "is " + KindOf(document) + ", not an object: every settings lookup fails (\"" +
                   census.error.value_or("") +
                   "\"), so every census fails, the timer never recounts and no creature is "
                   "ever destroyed");
  return false;
}

void CheckRepeatedNames(ConfigReport& report) {
  for (const RepeatedMember& repeat : report.Map().RepeatedMembers()) {
    const std::string kept = report.Map().ValueTextOf(repeat.pointer);
    report.At(Severity::kWarning, repeat.at,
              report.MemberNamed(repeat.pointer) + ": repeats the name written at " +
                  PositionText(repeat.first_at) +
                  ": the plug-in keeps the first value, " + Abridged(kept) +
                  ", and drops this one, " + Abridged(repeat.value_text));
  }
}

void CheckTextAfterValue(ConfigReport& report) {
  if (const auto& at = report.Map().TextAfterValue()) {
    report.At(Severity::kWarning, *at, "text after the JSON value: the plug-in never reads it");
  }
}

}  // namespace dravelquin
