// Fuzz target: arbitrary bytes as a settings file, scanned for the
// positions of its members as the checker scans one. On every text the
// plug-in's parser accepts, the scan gives a position to exactly the members
// the parser keeps (the first of two equal names), down to the deepest level
// it records; each position lies inside the file at the opening quote of the
// member's name as written; each member's value as written parses to the
// value the parser kept; each repeat it lists is a dropped member written
// after the kept one; and text after the value is found where it stands.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "common/text.h"
#include "config/report.h"
#include "fuzz/fuzz_require.h"
#include "population/settings.h"

namespace dravelquin {

namespace {

using fuzz::Require;
using nlohmann::json;

struct Member {
  std::string pointer;
  std::string name;
};

// The members the scan must place: those of every object nested less deep
// than kDeepestRecordedLevel, in any order.
void CollectMembers(const json& value, const json::json_pointer& at, int level,
                    std::vector<Member>& members) {
  if (level >= kDeepestRecordedLevel) {
    return;
  }
  if (value.is_object()) {
    for (const auto& member : value.items()) {
      const json::json_pointer pointer = at / member.key();
      members.push_back(Member{pointer.to_string(), member.key()});
      CollectMembers(member.value(), pointer, level + 1, members);
    }
  } else if (value.is_array()) {
    for (std::size_t index = 0; index < value.size(); ++index) {
      CollectMembers(value[index], at / index, level + 1, members);
    }
  }
}

// Where 1-based line and byte column stand in the text, or the text's size
// when the line does not exist. Line 1 starts after a byte-order mark.
std::size_t OffsetOf(const std::string& text, const TextPosition& at) {
  std::size_t line_start = ByteOrderMarkSize(text);
  for (int line = 1; line < at.line; ++line) {
    line_start = text.find('\n', line_start);
    if (line_start == std::string::npos) {
      return text.size();
    }
    ++line_start;
  }
  return std::min(text.size(), line_start + static_cast<std::size_t>(at.column - 1));
}

json ParsedLikeThePlugin(const std::string& text) {
  std::istringstream in(text);
  return ParseSettingsText(in);
}

// Requires the JSON string written at `at` to be the quoted `name`.
void RequireNameAt(const std::string& text, const TextPosition& at, const std::string& name,
                   const std::string& pointer) {
  const std::size_t offset = OffsetOf(text, at);
  const std::string where =
      pointer + " at " + std::to_string(at.line) + ":" + std::to_string(at.column);
  Require(offset < text.size() && text[offset] == '"', where + " is not at a quote");
  std::size_t end = offset + 1;
  while (end < text.size() && text[end] != '"') {
    end += text[end] == '\\' ? 2 : 1;
  }
  Require(end < text.size(), where + " starts no closed string");
  const json written = json::parse(text.substr(offset, end + 1 - offset));
  Require(written == name, where + " holds " + written.dump() + ", not the name");
}

void RequireRepeatsDropped(const std::string& text, const SourceMap& map, const json& document) {
  for (const RepeatedMember& repeat : map.RepeatedMembers()) {
    const json::json_pointer pointer(repeat.pointer);
    Require(document.contains(pointer), "a repeat of a member the parser lacks: " + repeat.pointer);
    Require(repeat.first_at == map.PositionOf(repeat.pointer) && repeat.first_at < repeat.at,
            "a repeat not after the kept member: " + repeat.pointer);
    RequireNameAt(text, repeat.at, pointer.back(), repeat.pointer);
  }
}

void RequireTextAfterValue(const std::string& text, const SourceMap& map) {
  if (const auto& after = map.TextAfterValue()) {
    const std::size_t offset = OffsetOf(text, *after);
    Require(offset < text.size(), "text after the value placed past the end");
    const char c = text[offset];
    Require(c != ' ' && c != '\t' && c != '\n' && c != '\r',
            "text after the value placed on white space");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  json document;
  try {
    document = ParsedLikeThePlugin(text);
  } catch (const json::exception&) {
    return 0;  // the checker reports the parser's error and scans nothing
  }
  const SourceMap map(text);
  std::vector<Member> members;
  CollectMembers(document, json::json_pointer(), 0, members);
  std::vector<std::string> expected;
  for (const Member& member : members) {
    expected.push_back(member.pointer);
  }
  std::sort(expected.begin(), expected.end());
  Require(map.MemberPointers() == expected, "the scan places other members than the parser keeps");
  for (const Member& member : members) {
    RequireNameAt(text, map.PositionOf(member.pointer), member.name, member.pointer);
    Require(ParsedLikeThePlugin(map.ValueTextOf(member.pointer)) ==
                document.at(json::json_pointer(member.pointer)),
            "the value written for " + member.pointer + " is not the one kept");
  }
  RequireRepeatsDropped(text, map, document);
  RequireTextAfterValue(text, map);
  return 0;
}

}  // namespace dravelquin
