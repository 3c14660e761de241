#include "config/checks.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "common/text.h"
#include "config/report.h"
#include "plugin_rules/plugin_rules.h"
#include "population/settings.h"

namespace dravelquin {

namespace {

// The most bytes of a written number or other token quoted back.
constexpr std::size_t kLongestNumberShown = 40;

// "; it ends with white space" and the like when the name begins or ends
// with white space, which no name the plug-in reads has; else "".
std::string StraySpaceHint(const std::string& name) {
  if (name.empty()) {
    return "";
  }
  const std::string space = " \t\r\n";
  const bool ends = space.find(name.back()) != std::string::npos;
  const bool begins = space.find(name.front()) != std::string::npos;
  if (!ends && !begins) {
    return "";
  }
  return std::string("; it ") + (begins ? (ends ? "begins and ends" : "begins") : "ends") +
         " with white space";
}

}  // namespace

NumberReading ReadingOf(const nlohmann::json& written, std::int32_t read) {
  if (written.is_boolean()) {
    return NumberReading::kBoolean;
  }
  if (written.is_number_float()) {
    const double value = written.get<double>();
    if (value == read) {
      return NumberReading::kExact;
    }
    return std::trunc(value) == read ? NumberReading::kFractional : NumberReading::kBeyond32Bits;
  }
  const bool exact =
      written.is_number_unsigned()
          ? written.get<std::uint64_t>() == static_cast<std::uint64_t>(read) && read >= 0
          : written.get<std::int64_t>() == read;
  return exact ? NumberReading::kExact : NumberReading::kBeyond32Bits;
}

std::string DescribeReading(const std::string& written, NumberReading reading, std::int32_t read) {
  const std::string written_text = Shortened(written, kLongestNumberShown);
  const std::string read_as = ": read as " + std::to_string(read);
  switch (reading) {
    case NumberReading::kBoolean:
      return "is " + written_text + read_as;
    case NumberReading::kFractional:
      return "is " + written_text + ", not a whole number" + read_as;
    case NumberReading::kBeyond32Bits:
      return "is " + written_text + ", beyond 32 bits" + read_as;
    case NumberReading::kExact:
      break;
  }
  return "is " + written_text;
}

void CheckUnknownMembers(const nlohmann::json& object, const nlohmann::json::json_pointer& pointer,
                         const std::vector<std::string>& known, ConfigReport& report) {
  if (!object.is_object()) {
    return;
  }
  for (const auto& member : object.items()) {
    const std::string& name = member.key();
    if (std::find(known.begin(), known.end(), name) != known.end()) {
      continue;
    }
    std::string message = "is not read by the plug-in" + StraySpaceHint(name);
    if (const auto near = NearName(name, known)) {
      message += "; did you mean " + Quoted(*near) + "?";
    }
    report.About(Severity::kWarning, (pointer / name).to_string(), message);
  }
}

using nlohmann::json;

namespace {

using NameGroups = std::map<std::string, std::vector<std::string>>;

std::string CapText(const LookupOutcome& cap) {
  return cap.value ? std::to_string(*cap.value) : "none, the gate fails on it";
}

void CheckReplacedBytes(const std::string& name, ConfigReport& report) {
  const std::string key = CensusKeyOf(name);
  if (key == name) {
    return;
  }
  const std::string how = name.find('\0') != std::string::npos
                              ? " (cut at its zero character), and the gate never reads its "
                                "\"Count\""
                              : " (bytes of 0x80 and above become \"?\"), so it never matches "
                                "a creature";
  report.About(Severity::kWarning, PointerOf(name),
               "the census reads this name as " + Quoted(key) + how);
}

void ReportMerged(const std::string& name, const std::string& key,
                  const std::vector<std::string>& group, const SettingsReader& settings,
                  ConfigReport& report) {
  std::string caps;
  for (const std::string& member : group) {
    caps += (caps.empty() ? "" : ", ") + Quoted(member) + ": " + CapText(settings.Cap(member));
  }
  report.About(Severity::kWarning, PointerOf(name),
               "is the same census key as " + Quoted(group.front()) +
                   " when letter case is ignored: the census merges them into one entry, "
                   "keyed " +
                   Quoted(key) +
                   "; each creature is capped by the \"Count\" of the "
                   "name equal to its path byte for byte (" +
                   caps +
                   "), and at 1000 when no "
                   "name is");
}

// For a name like "Raptor_BP_C", what a class name is and how the path is
// made from it; else "".
std::string ClassNameHint(const std::string& name) {
  if (!IsClassName(name)) {
    return "";
  }
  const std::string asset = name.substr(0, name.size() - 2);
  return "; " + Quoted(name) + " is a class name, the asset name " + Quoted(asset) +
         " with \"_C\": the path is \"blueprint'/Game/FOLDERS/" + asset + "." + asset +
         "'\", the package's folders as a census dump shows them";
}

void CheckForm(const std::string& name, const SettingsReader& settings, ConfigReport& report) {
  switch (FormOfName(name)) {
    case NameForm::kOtherLetterCase: {
      const std::string path = WithPathPrefix(name);
      report.About(Severity::kWarning, PointerOf(name),
                   "begins " + Quoted(name.substr(0, kBlueprintPathPrefix.size())) +
                       " where blueprint paths begin \"blueprint'\": the census still counts "
                       "creatures of " +
                       Quoted(path) +
                       " under it, but the gate reads "
                       "\"Count\" under that exact path, so they are capped at " +
                       CapText(settings.Cap(path)) +
                       " and this member's \"Count\" is "
                       "never read");
      return;
    }
    case NameForm::kNotBlueprintPath:
      report.About(Severity::kWarning, PointerOf(name),
                   "is not a blueprint path (\"blueprint'\" + object path + \"'\", the first "
                   "field of a dump line): its census entry matches no creature, so it caps "
                   "nothing" +
                       StraySpaceHint(name) + ClassNameHint(name));
      return;
    case NameForm::kBlueprintPath:
      return;
  }
}

NameGroups GroupsByEntry(const std::vector<std::string>& names, const CensusEntries& entries) {
  NameGroups groups;
  for (const std::string& name : names) {
    groups[entries.EntryKeyOf(name).value()].push_back(name);
  }
  return groups;
}

}  // namespace

void CheckNames(const std::vector<std::string>& names, const SettingsReader& settings,
                ConfigReport& report) {
  const CensusEntries entries(names);
  const NameGroups groups = GroupsByEntry(names, entries);
  for (const std::string& name : names) {
    const std::string key = entries.EntryKeyOf(name).value();
    const std::vector<std::string>& group = groups.at(key);
    CheckReplacedBytes(name, report);
    if (group.size() > 1) {
      if (name != group.front()) {
        ReportMerged(name, key, group, settings, report);
      }
    } else {
      CheckForm(name, settings, report);
    }
  }
}

using nlohmann::json;

namespace {

std::string GateFails(const std::string& error) {
  return ": the gate fails on it (\"" + error +
         "\") and never destroys a creature of this blueprint";
}

void CheckCountValue(const json& count, const std::string& pointer, const LookupOutcome& cap,
                     ConfigReport& report) {
  if (!cap.value) {
    report.About(Severity::kWarning, pointer, "is " + KindOf(count) + GateFails(cap.error));
    return;
  }
  const NumberReading reading = ReadingOf(count, *cap.value);
  const std::string described =
      DescribeReading(report.Map().ValueTextOf(pointer), reading, *cap.value);
  if (*cap.value <= 0) {
    report.About(Severity::kWarning, pointer,
                 described +
                     ", so the gate destroys every creature of this blueprint that "
                     "spawns, even when the census counted none");
  } else if (reading != NumberReading::kExact) {
    report.About(Severity::kWarning, pointer,
                 described + ", so the cap is " + std::to_string(*cap.value));
  }
}

}  // namespace

void CheckBlueprintSettings(const std::string& name, const SettingsReader& settings,
                            ConfigReport& report) {
  const json::json_pointer pointer = json::json_pointer("/Dinos") / name;
  const json& blueprint = settings.Document().at(pointer);
  const LookupOutcome cap = settings.Cap(name);
  if (!blueprint.is_object()) {
    report.About(Severity::kWarning, pointer.to_string(),
                 "is " + KindOf(blueprint) + ", not an object" + GateFails(cap.error));
    return;
  }
  CheckUnknownMembers(blueprint, pointer, {"Count"}, report);
  if (!blueprint.contains("Count")) {
    report.About(Severity::kNote, pointer.to_string(),
                 "has no \"Count\": the cap is " + std::to_string(cap.value.value_or(0)));
    return;
  }
  CheckCountValue(blueprint.at("Count"), (pointer / "Count").to_string(), cap, report);
}

using nlohmann::json;

namespace {

const json::json_pointer kGeneral("/General");
const json::json_pointer kCheckInterval("/General/CheckInterval");
const json::json_pointer kExactCaps("/General/ExactCaps");

constexpr std::int32_t kOneDay = 86400;

std::string Seconds(std::int32_t seconds) {
  return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
}

std::string TimerNeverRecounts(const std::string& error) {
  return "the timer never runs a census (its lookup fails with \"" + error +
         "\"); only the census after each start of the game mode runs";
}

void CheckIntervalValue(const json& interval, const LookupOutcome& outcome, ConfigReport& report) {
  const std::string pointer = kCheckInterval.to_string();
  if (!outcome.value) {
    report.About(Severity::kWarning, pointer,
                 "is " + KindOf(interval) + ": " + TimerNeverRecounts(outcome.error));
    return;
  }
  const std::int32_t seconds = *outcome.value;
  const NumberReading reading = ReadingOf(interval, seconds);
  const std::string described =
      DescribeReading(report.Map().ValueTextOf(pointer), reading, seconds);
  if (seconds <= 0) {
    report.About(Severity::kWarning, pointer, described + ", so a census runs at every timer call");
  } else if (reading != NumberReading::kExact) {
    report.About(Severity::kWarning, pointer,
                 described + ", so the timer recounts every " + Seconds(seconds));
  }
  if (seconds > kOneDay) {
    report.About(Severity::kNote, pointer,
                 "is more than a day: between censuses the counts go stale both ways: "
                 "creatures that die or are tamed still count, so a capped kind can have "
                 "every new one destroyed until it dies out, and new ones let through are "
                 "not counted (unless \"ExactCaps\" is on), so a kind can rise above its "
                 "cap; \"dravelquin-sim --sweep\" compares intervals on a scenario");
  }
}

// "ExactCaps" as each census reads it: a number or a boolean, on when it
// reads as a non-zero whole number; anything else leaves it off. Absent, it
// is off and says nothing.
void CheckExactCaps(const json& document, const json& general, ConfigReport& report) {
  if (!general.contains("ExactCaps")) {
    return;
  }
  const json& exact = general.at("ExactCaps");
  const std::string pointer = kExactCaps.to_string();
  if (!exact.is_number() && !exact.is_boolean()) {
    report.About(Severity::kWarning, pointer,
                 "is " + KindOf(exact) +
                     ", not a number or a boolean: it is off, and caps hold at census counts");
    return;
  }
  if (ExactCapsOf(document)) {
    report.About(Severity::kNote, pointer,
                 "is on: each creature the gate lets through counts until the next census, "
                 "so once a census has run a kind does not rise above its cap; deaths and "
                 "tamings are subtracted only at the next census");
  } else if (!exact.is_boolean() && exact != 0) {
    report.About(Severity::kWarning, pointer,
                 "is " + report.Map().ValueTextOf(pointer) + ": read as 0, so it is off");
  }
}

}  // namespace

void CheckGeneral(const SettingsReader& settings, ConfigReport& report) {
  const json& document = settings.Document();
  const LookupOutcome outcome = settings.CheckInterval();
  if (!document.contains(kGeneral)) {
    report.About(Severity::kWarning, kGeneral.to_string(),
                 "is absent: " + TimerNeverRecounts(outcome.error));
    return;
  }
  const json& general = document.at(kGeneral);
  if (!general.is_object()) {
    report.About(Severity::kWarning, kGeneral.to_string(),
                 "is " + KindOf(general) + ", not an object: " + TimerNeverRecounts(outcome.error));
    return;
  }
  CheckUnknownMembers(general, kGeneral, {"CheckInterval", "ExactCaps"}, report);
  CheckExactCaps(document, general, report);
  if (!general.contains("CheckInterval")) {
    report.About(Severity::kNote, kCheckInterval.to_string(),
                 "is absent: the timer recounts every " + Seconds(outcome.value.value_or(0)));
    return;
  }
  CheckIntervalValue(general.at("CheckInterval"), outcome, report);
}

void CheckPackageLetterCase(const std::vector<std::string>& names, ConfigReport& report) {
  const std::string lower_game = kBlueprintPathPrefix + "/game/";
  for (const std::string& name : names) {
    if (name.compare(0, lower_game.size(), lower_game) == 0 && FoldedCase(name) == name) {
      report.About(Severity::kNote, PointerOf(name),
                   "is all lower case, where the game's paths begin \"/Game/\" and mostly "
                   "have capitals: the census counts a path in any letter case, but the gate "
                   "reads \"Count\" only under the path byte for byte, so unless this is the "
                   "creatures' exact path the \"Count\" is never read; copy the path from a "
                   "census dump, and \"check --dump\" compares them");
    }
  }
}

using nlohmann::json;

namespace {

const json::json_pointer kDinos("/Dinos");

// Reports a "Dinos" that caps nothing or makes the census fail; true when
// the census reads names from it.
bool CheckDinosMember(const json& document, const NamesOutcome& census, ConfigReport& report) {
  const std::string pointer = kDinos.to_string();
  if (!document.contains(kDinos)) {
    report.About(Severity::kWarning, pointer, "is absent: no blueprint is capped");
    return false;
  }
  const json& dinos = document.at(kDinos);
  if (census.error) {
    report.About(Severity::kError, pointer,
                 "is " + KindOf(dinos) + ": every census fails with \"" + *census.error +
                     "\", so no creature is ever counted or destroyed");
    return false;
  }
  if (census.names.empty()) {
    report.About(Severity::kWarning, pointer, "is " + KindOf(dinos) + ": no blueprint is capped");
    return false;
  }
  return true;
}

}  // namespace

void CheckDinos(const SettingsReader& settings, ConfigReport& report) {
  const NamesOutcome census = settings.ConfiguredNames();
  if (!CheckDinosMember(settings.Document(), census, report)) {
    return;
  }
  CheckNames(census.names, settings, report);
  for (const std::string& name : census.names) {
    CheckBlueprintSettings(name, settings, report);
  }
}

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
  std::string value_text = OnOneLine(written_text);
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
                  PositionText(repeat.first_at) + ": the plug-in keeps the first value, " +
                  Abridged(kept) + ", and drops this one, " + Abridged(repeat.value_text));
  }
}

void CheckTextAfterValue(ConfigReport& report) {
  if (const auto& at = report.Map().TextAfterValue()) {
    report.At(Severity::kWarning, *at, "text after the JSON value: the plug-in never reads it");
  }
}

namespace {

bool IsJsonWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Whether a byte can end a JSON value: a string, an object or array, a
// number, true, false or null.
bool EndsAValue(char c) {
  return c == '"' || c == '}' || c == ']' || (c >= '0' && c <= '9') || c == 'e' || c == 'l';
}

// The last byte before `offset` that is not white space, or '\0'.
char LastTokenByteBefore(const std::string& text, std::size_t offset) {
  while (offset > 0 && IsJsonWhiteSpace(text[offset - 1])) {
    --offset;
  }
  return offset > 0 ? text[offset - 1] : '\0';
}

}  // namespace

std::optional<std::string> LikelyJsonMistake(const std::string& text, std::size_t error_offset) {
  if (LooksLikeUtf16(text)) {
    return "the file is UTF-16 text (a Windows editor's \"Unicode\"), not UTF-8";
  }
  if (error_offset >= text.size()) {
    return std::nullopt;
  }
  const char stop = text[error_offset];
  const char next = error_offset + 1 < text.size() ? text[error_offset + 1] : '\0';
  if (stop == '/' && next == '/') {
    return "a \"//\" comment, which JSON does not allow";
  }
  if (stop == '/' && next == '*') {
    return "a \"/* */\" comment, which JSON does not allow";
  }
  if (stop == '\'') {
    return "a single quote where JSON wants a double quote (\") around a name or a string";
  }
  const char before = LastTokenByteBefore(text, error_offset);
  if ((stop == '}' || stop == ']') && before == ',') {
    return std::string("a comma before this \"") + stop +
           "\", which JSON does not allow after the last member or element";
  }
  // The parser stops at the closing quote of a string it did not expect.
  const std::size_t open =
      stop == '"' && error_offset > 0 ? text.rfind('"', error_offset - 1) : std::string::npos;
  if (open != std::string::npos && text.find('\n', open) > error_offset &&
      EndsAValue(LastTokenByteBefore(text, open))) {
    return "a comma missing before the name or string that ends here: JSON wants one between "
           "two members or elements";
  }
  return std::nullopt;
}

namespace {

// The offset just past the end of the line that holds `at`.
std::size_t PastLineEnd(const std::string& text, std::size_t at) {
  const std::size_t end = text.find('\n', at);
  return end == std::string::npos ? text.size() : end + 1;
}

// The offset after a name or string written in single quotes from `open`:
// past the first later quote on its line that a ":", ",", "}", "]" or the
// line end follows, since a blueprint path holds quotes of its own; past the
// line when there is none.
std::size_t PastSingleQuoted(const std::string& text, std::size_t open) {
  const std::size_t line_end = PastLineEnd(text, open);
  for (std::size_t at = text.find('\'', open + 1); at < line_end; at = text.find('\'', at + 1)) {
    const std::size_t next = text.find_first_not_of(" \t\r", at + 1);
    if (next == std::string::npos || std::string(":,}]\n").find(text[next]) != std::string::npos) {
      return at + 1;
    }
  }
  return line_end;
}

}  // namespace

std::vector<std::size_t> UsualJsonMistakes(const std::string& text) {
  std::vector<std::size_t> found;
  if (LooksLikeUtf16(text)) {
    return found;
  }
  for (std::size_t at = 0; at < text.size();) {
    const char c = text[at];
    const char next = at + 1 < text.size() ? text[at + 1] : '\0';
    if (c == '"') {
      // A string ends at its closing quote; a line end ends one left open.
      std::size_t end = at + 1;
      while (end < text.size() && text[end] != '"' && text[end] != '\n') {
        end += text[end] == '\\' ? 2 : 1;
      }
      at = end + 1;
    } else if (c == '/' && next == '/') {
      found.push_back(at);
      at = PastLineEnd(text, at);
    } else if (c == '/' && next == '*') {
      found.push_back(at);
      const std::size_t close = text.find("*/", at + 2);
      at = close == std::string::npos ? text.size() : close + 2;
    } else if (c == '\'') {
      found.push_back(at);
      at = PastSingleQuoted(text, at);
    } else if (c == ',') {
      const std::size_t after = text.find_first_not_of(" \t\r\n", at + 1);
      if (after != std::string::npos && (text[after] == '}' || text[after] == ']')) {
        found.push_back(after);
        at = after;
      }
      ++at;
    } else {
      ++at;
    }
  }
  return found;
}

namespace {

// The creatures' path a "Dinos" name makes the census count, or "" when it
// matches none.
std::string PathCountedUnder(const std::string& name) {
  if (CensusKeyOf(name) != name) {
    return "";
  }
  switch (FormOfName(name)) {
    case NameForm::kBlueprintPath:
      return name;
    case NameForm::kOtherLetterCase:
      return WithPathPrefix(name);
    case NameForm::kNotBlueprintPath:
      break;
  }
  return "";
}

// "1 error", "2 warnings".
std::string Counted(std::size_t count, const std::string& singular) {
  return std::to_string(count) + " " + singular + (count == 1 ? "" : "s");
}

std::string FindingCounts(const std::vector<Diagnostic>& diagnostics) {
  const auto count = [&diagnostics](Severity severity) {
    return static_cast<std::size_t>(
        std::count_if(diagnostics.begin(), diagnostics.end(),
                      [severity](const Diagnostic& found) { return found.severity == severity; }));
  };
  return Counted(count(Severity::kError), "error") + ", " +
         Counted(count(Severity::kWarning), "warning") + ", " +
         Counted(count(Severity::kNote), "note");
}

std::string TimerText(const LookupOutcome& interval) {
  if (!interval.value) {
    return "the timer never recounts";
  }
  if (*interval.value <= 0) {
    return "the timer recounts at every call";
  }
  return "the timer recounts every " + Counted(static_cast<std::size_t>(*interval.value), "second");
}

}  // namespace

SettingsEffect EffectOf(const SettingsReader& settings) {
  std::set<std::string> capped;
  for (const std::string& name : settings.ConfiguredNames().names) {
    const std::string path = PathCountedUnder(name);
    if (!path.empty() && settings.Cap(path).value) {
      capped.insert(path);
    }
  }
  return SettingsEffect{capped.size(), settings.CheckInterval()};
}

std::string SummaryLine(const std::string& file, const std::optional<SettingsEffect>& effect,
                        const std::vector<Diagnostic>& diagnostics) {
  const std::string effect_text = effect ? Counted(effect->capped_blueprints, "blueprint") +
                                               " capped, " + TimerText(effect->check_interval)
                                         : "the plug-in does not start";
  return file + ": " + effect_text + "; " + FindingCounts(diagnostics);
}

using nlohmann::json;

namespace {

// The JSON library's message with each text it quotes ('...') shortened: it
// quotes a token whole, which may be a number of any length.
std::string ShortenedQuotes(const std::string& message) {
  std::string shortened;
  std::size_t at = 0;
  while (true) {
    const std::size_t open = message.find('\'', at);
    const std::size_t close = open == std::string::npos ? open : message.find('\'', open + 1);
    if (close == std::string::npos) {
      return shortened + message.substr(at);
    }
    shortened += message.substr(at, open + 1 - at) +
                 Shortened(message.substr(open + 1, close - open - 1), kLongestNumberShown) + "'";
    at = close + 1;
  }
}

Diagnostic InvalidJson(const std::string& file, TextPosition at, const std::exception& error,
                       const std::optional<std::string>& mistake = std::nullopt) {
  const std::string plain_words = mistake ? *mistake + "; " : "";
  return Diagnostic{file, at, Severity::kError,
                    "not valid JSON: " + plain_words + "the plug-in fails to start with \"" +
                        ShortenedQuotes(error.what()) + "\""};
}

// The document the plug-in's parser makes of the text, or the diagnostic of
// its failure.
std::optional<json> ParseOrReport(const std::string& file, const std::string& text,
                                  std::vector<Diagnostic>& diagnostics) {
  std::istringstream in(text);
  try {
    return ParseSettingsText(in);
  } catch (const json::parse_error& error) {
    const std::size_t offset = error.byte > 0 ? error.byte - 1 : 0;
    const LineIndex lines(text);
    diagnostics.push_back(
        InvalidJson(file, lines.PositionOf(offset), error, LikelyJsonMistake(text, offset)));
    // The parser stops at the first mistake; the usual ones after it are
    // listed too, so that one run names them all.
    for (const std::size_t later : UsualJsonMistakes(text)) {
      const std::optional<std::string> mistake = LikelyJsonMistake(text, later);
      if (later > offset && mistake) {
        diagnostics.push_back(Diagnostic{file, lines.PositionOf(later), Severity::kError,
                                         "not valid JSON either: " + *mistake});
      }
    }
  } catch (const std::exception& error) {
    diagnostics.push_back(InvalidJson(file, TextPosition{}, error));
  }
  return std::nullopt;
}

}  // namespace

ConfigCheck CheckConfigText(const std::string& file, const std::string& text,
                            const DumpInput* dump) {
  ConfigCheck check;
  std::optional<json> document = ParseOrReport(file, text, check.diagnostics);
  if (!document) {
    return check;
  }
  const SettingsReader settings(std::move(*document));
  const SourceMap map(text);
  ConfigReport report(file, map, settings.Document());
  CheckRepeatedNames(report);
  CheckTextAfterValue(report);
  std::vector<Diagnostic> dump_notes;
  if (CheckTopLevel(settings, report)) {
    CheckUnknownMembers(settings.Document(), json::json_pointer(), {"General", "Dinos"}, report);
    CheckGeneral(settings, report);
    CheckDinos(settings, report);
    if (dump != nullptr) {
      dump_notes = CompareWithDump(settings, *dump, report);
    } else {
      CheckPackageLetterCase(settings.ConfiguredNames().names, report);
    }
  }
  check.diagnostics = report.InTextOrder();
  check.diagnostics.insert(check.diagnostics.end(), dump_notes.begin(), dump_notes.end());
  check.effect = EffectOf(settings);
  return check;
}

}  // namespace dravelquin
