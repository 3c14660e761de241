#include "config_check.h"

#include <exception>
#include <optional>
#include <sstream>
#include <utility>

#include <nlohmann/json.hpp>

#include "dinos_check.h"
#include "document_check.h"
#include "general_check.h"
#include "json_mistake.h"
#include "plugin_reading.h"
#include "population/settings.h"
#include "source_map.h"
#include "unknown_members.h"

namespace dravelquin {

using nlohmann::json;

namespace {

Diagnostic InvalidJson(const std::string& file, TextPosition at, const std::exception& error,
                       const std::optional<std::string>& mistake = std::nullopt) {
  const std::string plain_words = mistake ? *mistake + "; " : "";
  return Diagnostic{file, at, Severity::kError,
                    "not valid JSON: " + plain_words + "the plug-in fails to start with \"" +
                        error.what() + "\""};
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
    diagnostics.push_back(InvalidJson(file, LineIndex(text).PositionOf(offset), error,
                                      LikelyJsonMistake(text, offset)));
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
    }
  }
  check.diagnostics = report.InTextOrder();
  check.diagnostics.insert(check.diagnostics.end(), dump_notes.begin(), dump_notes.end());
  check.effect = EffectOf(settings);
  return check;
}

}  // namespace dravelquin
