#include "source_map.h"

#include <set>
#include <string_view>

#include <nlohmann/json.hpp>

namespace dravelquin {

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

SourceMap::SourceMap(const std::string& text) : lines_(text) {
  MemberScanner(text, *this).Scan();
}

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

}  // namespace dravelquin
