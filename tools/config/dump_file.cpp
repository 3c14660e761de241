#include "dump_file.h"

#include <limits>
#include <map>
#include <sstream>
#include <utility>

namespace dravelquin {

namespace {

std::int32_t CountOf(const std::string& field, int line) {
  const bool digits_only =
      !field.empty() && field.find_first_not_of("0123456789") == std::string::npos;
  if (!digits_only || field[0] == '0') {
    throw DumpFormatError(line, "the count \"" + field + "\" is not a number from 1 up");
  }
  constexpr auto kLargest = std::numeric_limits<std::int32_t>::max();
  if (field.size() > 10 || std::stoll(field) > kLargest) {
    throw DumpFormatError(line, "the count " + field + " is beyond 32 bits");
  }
  return static_cast<std::int32_t>(std::stoll(field));
}

DumpLine LineOf(const std::string& text, int line) {
  const std::size_t first_bar = text.find('|');
  const std::size_t last_bar = text.rfind('|');
  if (first_bar == std::string::npos || first_bar == last_bar) {
    throw DumpFormatError(line, "not \"PATH|NAME|COUNT\": fewer than two \"|\"");
  }
  return DumpLine{line, text.substr(0, first_bar),
                  text.substr(first_bar + 1, last_bar - first_bar - 1),
                  CountOf(text.substr(last_bar + 1), line)};
}

}  // namespace

std::vector<DumpLine> ParseDump(const std::string& text) {
  std::vector<DumpLine> lines;
  std::istringstream in(text);
  std::string line_text;
  for (int line = 1; std::getline(in, line_text); ++line) {
    if (!line_text.empty() && line_text.back() == '\r') {
      line_text.pop_back();
    }
    lines.push_back(LineOf(line_text, line));
  }
  return lines;
}

std::vector<DumpBlueprint> BlueprintsOf(const std::vector<DumpLine>& lines) {
  std::map<std::string, DumpBlueprint> by_path;
  for (const DumpLine& line : lines) {
    DumpBlueprint& blueprint = by_path[line.path];
    if (blueprint.names.empty()) {
      blueprint.path = line.path;
      blueprint.first_line = line.line;
    }
    blueprint.wild += line.count;
    blueprint.names.push_back(line.name);
  }
  std::vector<DumpBlueprint> blueprints;
  for (auto& entry : by_path) {
    blueprints.push_back(std::move(entry.second));
  }
  return blueprints;
}

}  // namespace dravelquin
