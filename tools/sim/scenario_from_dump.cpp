#include "sim/scenario_from_dump.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/dump_file.h"
#include "common/text.h"
#include "sim/scenario.h"

namespace dravelquin::sim {

namespace {

// The words the plug-in takes out of a display name ("one", "young adult",
// "cub" and "infant", each with a space after it).
const char* const kRemovedWords[] = {"\xE4\xB8\x80\xE5\x8F\xAA ", "\xE9\x9D\x92\xE5\xB9\xB4 ",
                                     "\xE5\xB9\xBC\xE5\xB4\xBD ", "\xE5\xA9\xB4\xE5\x84\xBF "};

std::string JsonText(const Json& value) {
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// `value` on one line, with a space after each ":" and ",".
std::string OneLine(const Json& value) {
  if (value.is_object() || value.is_array()) {
    std::string text = value.is_object() ? "{" : "[";
    for (auto member = value.begin(); member != value.end(); ++member) {
      text += member == value.begin() ? "" : ", ";
      text += value.is_object() ? JsonText(member.key()) + ": " : "";
      text += OneLine(*member);
    }
    return text + (value.is_object() ? "}" : "]");
  }
  return JsonText(value);
}

bool HoldsByteFrom0x80(const std::string& text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Why the game would show the creatures placed under `name` by another
// display name, or "".
std::string WhyNameChanges(const std::string& name) {
  if (EscapedNonUtf8(name) != name) {
    return "is not UTF-8; it is placed with U+FFFD for each such byte";
  }
  if (name.find('-') != std::string::npos) {
    return "holds \"-\", where the plug-in cuts a display name";
  }
  for (const char* word : kRemovedWords) {
    if (name.find(word) != std::string::npos) {
      return "holds \"" + std::string(word) + "\", which the plug-in takes out of a display name";
    }
  }
  return "";
}

std::string Place(const std::string& file, int line) { return file + ":" + std::to_string(line); }

// The config as the scenario gives it: the document when it is strict JSON,
// else its text byte for byte.
void AddConfig(const DumpScenarioInput& input, Json& scenario) {
  if (!input.config_text) {
    return;
  }
  try {
    scenario["config"] = ParseStrictJson(*input.config_text);
    return;
  } catch (const ScenarioError&) {
  }
  if (EscapedNonUtf8(*input.config_text) != *input.config_text) {
    throw ScenarioError(input.config_file +
                        ": the config is not UTF-8, so a scenario cannot hold it; give it with "
                        "--config when running the scenario instead");
  }
  scenario["config_text"] = *input.config_text;
}

std::string Indented(const std::string& text, const std::string& indent) {
  std::string indented;
  for (const char c : text) {
    indented += c;
    if (c == '\n') {
      indented += indent;
    }
  }
  return indented;
}

// The scenario's text: the comment and the config indented, a kind or a step
// per line.
std::string Layout(const Json& scenario) {
  std::string text = "{\n";
  for (auto member = scenario.begin(); member != scenario.end(); ++member) {
    text += member == scenario.begin() ? "" : ",\n";
    text += "  " + JsonText(member.key()) + ": ";
    if (member.key() == "config") {
      text += Indented(member->dump(2, ' ', false, Json::error_handler_t::replace), "  ");
      continue;
    }
    if (!member->is_structured() || member->empty()) {
      text += JsonText(*member);
      continue;
    }
    const bool object = member->is_object();
    text += object ? "{\n" : "[\n";
    for (auto item = member->begin(); item != member->end(); ++item) {
      text += item == member->begin() ? "" : ",\n";
      text += "    " + (object ? JsonText(item.key()) + ": " : "") + OneLine(*item);
    }
    text += object ? "\n  }" : "\n  ]";
  }
  return text + "\n}\n";
}

// A whole number as one, "24" rather than "24.0".
Json NumberValue(double number) {
  constexpr double kExactWholeLimit = 1e15;
  if (std::floor(number) == number && number < kExactWholeLimit) {
    return static_cast<std::int64_t>(number);
  }
  return number;
}

std::string CountText(std::int64_t count) {
  return std::to_string(count) + (count == 1 ? " wild creature" : " wild creatures");
}

// Why no scenario kind gives the dump path `path` back, or "" when one does.
std::string WhyNotPlaceable(const std::string& path) {
  if (path.empty()) {
    return "the path is empty, so which blueprint it is is not known";
  }
  if (path.find('?') != std::string::npos) {
    return "it holds \"?\", which the game writes for a character its narrow text cannot "
           "hold, so the real path is not known";
  }
  if (HoldsByteFrom0x80(path)) {
    return "it holds bytes of 0x80 or above, characters of the server's code page that the "
           "plug-in makes \"?\" in the path of a simulated kind";
  }
  if (!FullNameOfBlueprintPath(path)) {
    return "it is not blueprint'PACKAGE.ASSET'";
  }
  if (path.find("Default__") != std::string::npos) {
    return "it holds \"Default__\", which the plug-in takes out of every path it makes";
  }
  return "";
}

// A readable kind id for a blueprint path: its asset name less the parts
// "BP", "C" and "Character", in lower case, split where a character is not
// an ASCII letter or digit. Example:
// "blueprint'/Game/Dinos/Raptor/Raptor_Character_BP.Raptor_Character_BP'" -> "raptor".
std::string KindIdOf(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  std::string asset = dot == std::string::npos ? path : path.substr(dot + 1);
  if (!asset.empty() && asset.back() == '\'') {
    asset.pop_back();
  }
  std::string id;
  std::string part;
  const auto end_part = [&] {
    const std::string folded = FoldedCase(part);
    if (!part.empty() && folded != "bp" && folded != "c" && folded != "character") {
      id += (id.empty() ? "" : "_") + folded;
    }
    part.clear();
  };
  for (const char c : asset) {
    if (std::isalnum(static_cast<unsigned char>(c)) != 0 && static_cast<unsigned char>(c) < 0x80) {
      part += c;
    } else {
      end_part();
    }
  }
  end_part();
  return id.empty() ? "kind" : id;
}

// The ids of the kinds, each made unique by a number after it.
class KindIds {
 public:
  std::string Take(const std::string& path) {
    const std::string id = KindIdOf(path);
    std::string unique = id;
    for (int number = 2; !taken_.insert(unique).second; ++number) {
      unique = id + "_" + std::to_string(number);
    }
    return unique;
  }

 private:
  std::set<std::string> taken_;
};

}  // namespace

DumpScenario ScenarioFromDump(const DumpScenarioInput& input) {
  std::vector<DumpLine> lines = ParseDump(input.dump_text);
  // The lines of each path in file order, beside the paths in byte order.
  std::stable_sort(lines.begin(), lines.end(),
                   [](const DumpLine& a, const DumpLine& b) { return a.path < b.path; });
  const std::vector<DumpBlueprint> blueprints = BlueprintsOf(lines);

  DumpScenario written;
  Json kinds = Json::object();
  Json steps = Json::array({Json{{"do", "load"}}});
  Json spawns = Json::object();
  Json deaths = Json::object();
  std::vector<std::string> skipped;
  std::int64_t placed = 0;
  KindIds ids;
  auto line = lines.begin();
  for (const DumpBlueprint& blueprint : blueprints) {
    const auto end = line + static_cast<std::ptrdiff_t>(blueprint.names.size());
    const std::string why = WhyNotPlaceable(blueprint.path);
    if (!why.empty()) {
      skipped.push_back(Place(input.dump_file, blueprint.first_line) + ": \"" +
                        EscapedNonUtf8(blueprint.path) + "\" (" + CountText(blueprint.wild) +
                        ") not placed: " + why);
      line = end;
      continue;
    }
    const std::string id = ids.Take(blueprint.path);
    Json names = Json::array();
    std::set<std::string> named;
    for (; line != end; ++line) {
      const std::string why_name = WhyNameChanges(line->name);
      if (!why_name.empty()) {
        written.notes.push_back(Place(input.dump_file, line->line) + ": the display name \"" +
                                EscapedNonUtf8(line->name) + "\" " + why_name +
                                ", so the game shows its creatures by another");
      }
      if (named.insert(line->name).second) {
        names.push_back(line->name);
      }
      for (std::int64_t left = line->count; left > 0; left -= kMaxCreaturesPerStep) {
        steps.push_back(Json{{"do", "place"},
                             {"kind", id},
                             {"name", line->name},
                             {"count", std::min(left, kMaxCreaturesPerStep)}});
      }
    }
    kinds[id] = Json{{"blueprint_path", blueprint.path}, {"names", std::move(names)}};
    spawns[id] = NumberValue(static_cast<double>(blueprint.wild * kPlaceholderPercent) / 100);
    deaths[id] = kPlaceholderPercent / 100.0;
    placed += blueprint.wild;
  }
  written.notes.insert(written.notes.begin(), skipped.begin(), skipped.end());
  if (kinds.empty()) {
    return written;
  }
  steps.push_back(Json{{"do", "init_game"}});
  steps.push_back(Json{
      {"do", "run"},
      {"comment", "Placeholders: each kind spawns " + std::to_string(kPlaceholderPercent) +
                      "% of its dump count per hour and " + std::to_string(kPlaceholderPercent) +
                      "% of its wild creatures die per hour, which keeps it near that count. "
                      "Put in what the server sees."},
      {"hours", NumberValue(input.hours)},
      {"spawn_per_hour", std::move(spawns)},
      {"death_per_hour", std::move(deaths)},
      {"seed", 1}});

  Json comment = Json::array();
  comment.push_back("A starting scenario from the census dump " + input.dump_file + ": " +
                    std::to_string(kinds.size()) + (kinds.size() == 1 ? " kind, " : " kinds, ") +
                    CountText(placed) +
                    " placed as it counts them, counted by the census at init_game.");
  comment.push_back(input.config_text ? "The config is " + input.config_file + "."
                                      : "No config is given: without one the plug-in does not "
                                        "start. Run it with --config FILE, or add \"config\".");
  for (const std::string& note : written.notes) {
    comment.push_back(note);
  }

  Json scenario = Json::object();
  scenario["comment"] = std::move(comment);
  AddConfig(input, scenario);
  scenario["kinds"] = std::move(kinds);
  scenario["steps"] = std::move(steps);
  written.text = Layout(scenario);
  try {
    ParseScenario(written.text);
  } catch (const ScenarioError& error) {
    throw ScenarioError("the scenario written from " + input.dump_file +
                        " would be refused: " + error.what());
  }
  return written;
}

}  // namespace dravelquin::sim
