#include "member_path.h"

#include <algorithm>
#include <vector>

#include "value_kind.h"

namespace dravelquin {

using nlohmann::json;

namespace {

bool IsAsciiLetterOrUnderscore(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsBareName(const std::string& name) {
  return !name.empty() && IsAsciiLetterOrUnderscore(name[0]) &&
         std::all_of(name.begin(), name.end(),
                     [](char c) { return IsAsciiLetterOrUnderscore(c) || (c >= '0' && c <= '9'); });
}

// The pointer's reference tokens, unescaped, from the top level down.
std::vector<std::string> TokensOf(const std::string& pointer) {
  std::vector<std::string> tokens;
  for (json::json_pointer rest(pointer); !rest.empty(); rest = rest.parent_pointer()) {
    tokens.push_back(rest.back());
  }
  std::reverse(tokens.begin(), tokens.end());
  return tokens;
}

// One step down from `value` (null once below what the document holds).
const json* StepInto(const json* value, const std::string& token) {
  if (value == nullptr) {
    return nullptr;
  }
  if (value->is_object()) {
    const auto member = value->find(token);
    return member == value->end() ? nullptr : &*member;
  }
  const bool index_form = !token.empty() && token.size() <= 9 &&
                          token.find_first_not_of("0123456789") == std::string::npos;
  if (value->is_array() && index_form) {
    const std::size_t index = std::stoul(token);
    return index < value->size() ? &(*value)[index] : nullptr;
  }
  return nullptr;
}

}  // namespace

std::string ReadableMemberPath(const json& document, const std::string& pointer) {
  std::string path;
  const json* value = &document;
  for (const std::string& token : TokensOf(pointer)) {
    const bool element = value != nullptr && value->is_array();
    const std::string name = IsBareName(token) ? token : Quoted(token);
    const std::string step = element ? "[" + token + "]" : name;
    path += (path.empty() ? "" : " > ") + step;
    value = StepInto(value, token);
  }
  return path.empty() ? "top level" : path;
}

}  // namespace dravelquin
