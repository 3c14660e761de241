#include "common/dump_file.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "common/text.h"

namespace dravelquin {

namespace {

// The most bytes of a count quoted back in an error.
constexpr std::size_t kLongestCountShown = 20;

std::int32_t CountOf(const std::string& field, int line) {
  const bool digits_only =
      !field.empty() && field.find_first_not_of("0123456789") == std::string::npos;
  const std::string shown = Shortened(field, kLongestCountShown);
  if (!digits_only || field[0] == '0') {
    throw DumpFormatError(line, "the count \"" + shown + "\" is not a number from 1 up");
  }
  constexpr auto kLargest = std::numeric_limits<std::int32_t>::max();
  if (field.size() > 10 || std::stoll(field) > kLargest) {
    throw DumpFormatError(line, "the count " + shown + " is beyond 32 bits");
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
  if (LooksLikeUtf16(text)) {
    throw DumpFormatError(1,
                          "the file is UTF-16 text (a Windows editor's \"Unicode\"), not "
                          "the UTF-8 the plug-in writes: save it as UTF-8");
  }
  std::vector<DumpLine> lines;
  std::size_t start = ByteOrderMarkSize(text);
  for (int line = 1; start < text.size(); ++line) {
    const std::size_t line_end = std::min(text.find('\n', start), text.size());
    std::string line_text = text.substr(start, line_end - start);
    if (!line_text.empty() && line_text.back() == '\r') {
      line_text.pop_back();
    }
    if (line_text.find_first_not_of(" \t") != std::string::npos) {
      lines.push_back(LineOf(line_text, line));
    }
    start = line_end + 1;
  }
  return lines;
}

std::vector<DumpBlueprint> BlueprintsOf(std::vector<DumpLine> lines) {
  // The plug-in writes its dump sorted by bytes, so the sort seldom moves a
  // line; being stable, it keeps the lines of one path in file order.
  std::stable_sort(lines.begin(), lines.end(),
                   [](const DumpLine& a, const DumpLine& b) { return a.path < b.path; });
  std::vector<DumpBlueprint> blueprints;
  for (DumpLine& line : lines) {
    if (blueprints.empty() || blueprints.back().path != line.path) {
      blueprints.push_back(DumpBlueprint{std::move(line.path), 0, line.line, {}});
    }
    blueprints.back().wild += line.count;
    blueprints.back().names.push_back(std::move(line.name));
  }
  return blueprints;
}

}  // namespace dravelquin
