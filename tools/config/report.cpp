#include "config/report.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <set>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace dravelquin {

LineIndex::LineIndex(const std::string& text)
    : line_starts_{0}, text_size_(text.size()), mark_size_(ByteOrderMarkSize(text)) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      line_starts_.push_back(i + 1);
    }
  }
}

TextPosition LineIndex::PositionOf(std::size_t offset) const {
  offset = std::min(offset, text_size_);
  const auto next_line = std::upper_bound(line_starts_.begin(), line_starts_.end(), offset);
  const auto line = static_cast<std::size_t>(next_line - line_starts_.begin());
  std::size_t line_start = line_starts_[line - 1];
  if (line == 1) {
    line_start = mark_size_;
    offset = std::max(offset, mark_size_);
  }
  return TextPosition{static_cast<int>(line), static_cast<int>(offset - line_start + 1)};
}

namespace {

const char* NameOf(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    case Severity::kNote:
      break;
  }
  return "note";
}

}  // namespace

std::string FormatDiagnostic(const Diagnostic& diagnostic) {
  return diagnostic.file + ":" + std::to_string(diagnostic.at.line) + ":" +
         std::to_string(diagnostic.at.column) + ": " + NameOf(diagnostic.severity) + ": " +
         diagnostic.message;
}

void TreatWarningsAsErrors(std::vector<Diagnostic>& diagnostics) {
  for (Diagnostic& diagnostic : diagnostics) {
    if (diagnostic.severity == Severity::kWarning) {
      diagnostic.severity = Severity::kError;
    }
  }
}

bool HasError(const std::vector<Diagnostic>& diagnostics) {
  return std::any_of(diagnostics.begin(), diagnostics.end(), [](const Diagnostic& diagnostic) {
    return diagnostic.severity == Severity::kError;
  });
}

using nlohmann::json;

namespace {

bool IsJsonWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// Walks the first JSON value of a text that the parser has accepted.
class MemberScanner {
 public:
  MemberScanner(const std::string& text, SourceMap& map)
      : text_(text), map_(map), pos_(ByteOrderMarkSize(text)) {}

  void Scan() {
    SkipWhiteSpace();
    map_.value_start_ = Position(pos_);
    Value(json::json_pointer(), 0);
    SkipWhiteSpace();
    if (pos_ < text_.size()) {
      map_.text_after_value_ = Position(pos_);
    }
  }

 private:
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

  TextPosition Position(std::size_t offset) const { return map_.lines_.PositionOf(offset); }

  void SkipWhiteSpace() {
    while (pos_ < text_.size() && IsJsonWhiteSpace(text_[pos_])) {
      ++pos_;
    }
  }

  void Value(const json::json_pointer& pointer, int level) {
    const char first = Peek();
    if ((first == '{' || first == '[') && level >= kDeepestRecordedLevel) {
      SkipContainer();
    } else if (first == '{') {
      Object(pointer, level);
    } else if (first == '[') {
      Array(pointer, level);
    } else if (first == '"') {
      SkipString();
    } else {
      SkipScalar();
    }
  }

  void Object(const json::json_pointer& pointer, int level) {
    ++pos_;
    SkipWhiteSpace();
    std::set<std::string> names;
    while (Peek() == '"') {
      const std::size_t name_start = pos_;
      const std::string name = StringValue();
      SkipWhiteSpace();
      ++pos_;  // ':'
      SkipWhiteSpace();
      const json::json_pointer member = pointer / name;
      const std::size_t value_start = pos_;
      const bool kept = names.insert(name).second;
      if (kept) {
        Value(member, level + 1);
      } else {
        SkipValue();
      }
      Record(member.to_string(), kept, name_start, text_.substr(value_start, pos_ - value_start));
      SkipWhiteSpace();
      if (Peek() == ',') {
        ++pos_;
        SkipWhiteSpace();
      }
    }
    ++pos_;  // '}'
  }

  void Array(const json::json_pointer& pointer, int level) {
    ++pos_;
    SkipWhiteSpace();
    for (std::size_t index = 0; Peek() != ']' && pos_ < text_.size(); ++index) {
      Value(pointer / index, level + 1);
      SkipWhiteSpace();
      if (Peek() == ',') {
        ++pos_;
        SkipWhiteSpace();
      }
    }
    ++pos_;  // ']'
  }

  void Record(const std::string& pointer, bool kept, std::size_t name_start,
              std::string value_text) {
    const TextPosition at = Position(name_start);
    if (kept) {
      map_.sites_[pointer] = SourceMap::Site{at, std::move(value_text)};
    } else {
      map_.repeats_.push_back(
          RepeatedMember{pointer, at, map_.sites_[pointer].at, std::move(value_text)});
    }
  }

  // The decoded text of the string token at the current position, read by
  // the JSON library itself so that escapes mean what they mean to it.
  std::string StringValue() {
    const std::size_t start = pos_;
    SkipString();
    return json::parse(std::string_view(text_).substr(start, pos_ - start)).get<std::string>();
  }

  void SkipString() {
    ++pos_;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      pos_ += text_[pos_] == '\\' ? 2 : 1;
    }
    ++pos_;
  }

  // A literal or a number: "-"? int frac? exp?
  void SkipScalar() {
    if (text_.compare(pos_, 5, "false") == 0) {
      pos_ += 5;
      return;
    }
    if (text_.compare(pos_, 4, "true") == 0 || text_.compare(pos_, 4, "null") == 0) {
      pos_ += 4;
      return;
    }
    if (Peek() == '-') {
      ++pos_;
    }
    if (Peek() == '0') {
      ++pos_;
    } else {
      SkipDigits();
    }
    if (Peek() == '.') {
      ++pos_;
      SkipDigits();
    }
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') {
        ++pos_;
      }
      SkipDigits();
    }
  }

  void SkipDigits() {
    while (IsDigit(Peek())) {
      ++pos_;
    }
  }

  void SkipValue() {
    if (Peek() == '{' || Peek() == '[') {
      SkipContainer();
    } else if (Peek() == '"') {
      SkipString();
    } else {
      SkipScalar();
    }
  }

  // Skips a whole object or array by counting brackets outside strings.
  void SkipContainer() {
    std::size_t depth = 0;
    do {
      const char c = Peek();
      if (c == '"') {
        SkipString();
        continue;
      }
      if (c == '{' || c == '[') {
        ++depth;
      } else if (c == '}' || c == ']') {
        --depth;
      }
      ++pos_;
    } while (depth > 0 && pos_ < text_.size());
  }

  const std::string& text_;
  SourceMap& map_;
  std::size_t pos_;
};

SourceMap::SourceMap(const std::string& text) : lines_(text) { MemberScanner(text, *this).Scan(); }

TextPosition SourceMap::PositionOf(const std::string& pointer) const {
  for (json::json_pointer member(pointer); !member.empty(); member = member.parent_pointer()) {
    const auto site = sites_.find(member.to_string());
    if (site != sites_.end()) {
      return site->second.at;
    }
  }
  return value_start_;
}

std::vector<std::string> SourceMap::MemberPointers() const {
  std::vector<std::string> pointers;
  pointers.reserve(sites_.size());
  for (const auto& site : sites_) {
    pointers.push_back(site.first);
  }
  return pointers;
}

std::string SourceMap::ValueTextOf(const std::string& pointer) const {
  const auto site = sites_.find(pointer);
  return site == sites_.end() ? std::string() : site->second.value_text;
}

namespace {

// A byte as the JSON library writes it inside a string, except that bytes
// of 0x80 and above stay as they are, well-formed UTF-8 or not.
std::string EscapedInJsonString(char c) {
  switch (c) {
    case '"':
      return "\\\"";
    case '\\':
      return "\\\\";
    case '\b':
      return "\\b";
    case '\f':
      return "\\f";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    default:
      break;
  }
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0x20) {
    return std::string(1, c);
  }
  constexpr char kDigits[] = "0123456789abcdef";
  return std::string("\\u00") + kDigits[byte >> 4] + kDigits[byte & 0x0F];
}

}  // namespace

std::string KindOf(const nlohmann::json& value) {
  if (value.is_null()) {
    return "null";
  }
  if (value.is_boolean()) {
    return "a boolean";
  }
  if (value.is_number()) {
    return "a number";
  }
  if (value.is_string()) {
    return "a string";
  }
  const std::string container = value.is_array() ? "array" : "object";
  return value.empty() ? "an empty " + container : "an " + container;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += EscapedInJsonString(c);
  }
  return quoted + "\"";
}

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

void ConfigReport::About(Severity severity, const std::string& pointer,
                         const std::string& message) {
  At(severity, map_.PositionOf(pointer), MemberNamed(pointer) + ": " + message);
}

std::string ConfigReport::MemberNamed(const std::string& pointer) const {
  return ReadableMemberPath(document_, pointer);
}

void ConfigReport::At(Severity severity, TextPosition at, const std::string& message) {
  diagnostics_.push_back(Diagnostic{file_, at, severity, message});
}

std::vector<Diagnostic> ConfigReport::InTextOrder() const {
  std::vector<Diagnostic> ordered = diagnostics_;
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const Diagnostic& a, const Diagnostic& b) { return a.at < b.at; });
  return ordered;
}

std::string PointerOf(const std::string& name) {
  return (nlohmann::json::json_pointer("/Dinos") / name).to_string();
}

}  // namespace dravelquin
