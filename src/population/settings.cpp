#include "population/settings.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace dravelquin {

using nlohmann::json;

namespace {

constexpr std::size_t kByteOrderMarkBytes = 3;

// A parse error of the library that reads in the classic form; its id and
// byte position stay the library's own.
class ClassicParseError : public json::parse_error {
 public:
  ClassicParseError(const json::parse_error& error, const std::string& text)
      : json::parse_error(error), text_(text) {}

  const char* what() const noexcept override { return text_.what(); }

 private:
  std::runtime_error text_;
};

// The library's detail after "syntax error while parsing CONTEXT - " with the
// lexer's message for a control character in its short form, "invalid
// string: control character must be escaped", and a cut-short byte-order mark
// read as the byte that begins it, which no value can begin with.
std::string ClassicDetail(const std::string& library_text, bool broken_mark) {
  if (broken_mark) {
    return "invalid literal; last read: '\xEF'";
  }
  const std::string syntax = "syntax error ";
  const std::size_t syntax_at = library_text.find(syntax);
  const std::size_t dash = syntax_at == std::string::npos
                               ? std::string::npos
                               : library_text.find("- ", syntax_at + syntax.size());
  if (dash == std::string::npos) {
    return library_text;
  }
  std::string detail = library_text.substr(dash + 2);
  const std::string control = "invalid string: control character ";
  if (detail.compare(0, control.size(), control) == 0) {
    detail.replace(0, detail.find("; last read: "), control + "must be escaped");
  }
  return detail;
}

// "[json.exception.parse_error.101] parse error at N: syntax error - DETAIL",
// N counting the bytes read after a skipped byte-order mark (the read that
// met the end of the input included) and left out when 0, in place of the
// library's line and column and the context it names.
std::string ClassicParseErrorText(const json::parse_error& error, bool began_with_mark) {
  const std::string library_text = error.what();
  const bool broken_mark = library_text.find("invalid BOM") != std::string::npos;
  std::size_t position = error.byte;
  if (broken_mark) {
    position = 1;
  } else if (began_with_mark && position >= kByteOrderMarkBytes) {
    position -= kByteOrderMarkBytes;
  }
  std::string text = "[json.exception.parse_error.101] parse error";
  if (position != 0) {
    text += " at " + std::to_string(position);
  }
  return text + ": syntax error - " + ClassicDetail(library_text, broken_mark);
}

// Builds the document from the parser's events, keeping the first of two
// members with the same name: the repeated member's value, however deep, is
// skipped as it streams past.
class FirstWinsBuilder {
 public:
  FirstWinsBuilder(json& root, bool began_with_mark)
      : root_(root), began_with_mark_(began_with_mark) {}

  bool null() { return Scalar(json(nullptr)); }
  bool boolean(bool value) { return Scalar(json(value)); }
  bool number_integer(json::number_integer_t value) { return Scalar(json(value)); }
  bool number_unsigned(json::number_unsigned_t value) { return Scalar(json(value)); }
  bool number_float(json::number_float_t value, const json::string_t&) {
    return Scalar(json(value));
  }
  bool string(json::string_t& value) { return Scalar(json(std::move(value))); }
  bool binary(json::binary_t& value) { return Scalar(json::binary(std::move(value))); }

  bool start_object(std::size_t) { return Open(json::object()); }
  bool start_array(std::size_t) { return Open(json::array()); }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }

  bool key(json::string_t& name) {
    if (skipping_) {
      return true;
    }
    json& object = *open_.back();
    if (object.contains(name)) {
      skipping_ = true;
    } else {
      member_ = &object[name];
    }
    return true;
  }

  [[noreturn]] bool parse_error(std::size_t, const std::string&,
                                const nlohmann::detail::exception& error) {
    if (const auto* parse = dynamic_cast<const json::parse_error*>(&error)) {
      throw ClassicParseError(*parse, ClassicParseErrorText(*parse, began_with_mark_));
    }
    if (const auto* range = dynamic_cast<const json::out_of_range*>(&error)) {
      throw *range;
    }
    throw std::runtime_error(error.what());
  }

 private:
  bool Scalar(json&& value) {
    if (skipping_) {
      skipping_ = skip_depth_ != 0;
      return true;
    }
    Place(std::move(value));
    return true;
  }

  bool Open(json&& container) {
    if (skipping_) {
      ++skip_depth_;
      return true;
    }
    open_.push_back(Place(std::move(container)));
    return true;
  }

  bool Close() {
    if (skipping_) {
      skipping_ = --skip_depth_ != 0;
      return true;
    }
    open_.pop_back();
    return true;
  }

  json* Place(json&& value) {
    if (open_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    json& parent = *open_.back();
    if (parent.is_array()) {
      parent.push_back(std::move(value));
      return &parent.back();
    }
    *member_ = std::move(value);
    return member_;
  }

  json& root_;
  const bool began_with_mark_;
  std::vector<json*> open_;
  json* member_ = nullptr;
  bool skipping_ = false;
  std::size_t skip_depth_ = 0;
};

[[noreturn]] void RaiseNotNumber(const json& value) {
  throw json::type_error::create(
      302, std::string("type must be number, but is ") + value.type_name(), &value);
}

[[noreturn]] void RaiseNoMemberAccess(const json& value) {
  throw json::type_error::create(
      305, std::string("cannot use operator[] with ") + value.type_name(), &value);
}

[[noreturn]] void RaiseNotObject(const json& value) {
  throw json::type_error::create(306, std::string("cannot use value() with ") + value.type_name(),
                                 &value);
}

// The members of an object; type_error 306 for any other value, as the
// library's value() raises it.
const json::object_t& MembersOf(const json& object) {
  const json::object_t* members = object.get_ptr<const json::object_t*>();
  if (members == nullptr) {
    RaiseNotObject(object);
  }
  return *members;
}

std::int32_t LowBits(std::uint64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::int32_t Truncated(double value) {
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  if (std::isnan(value)) {
    return 0;
  }
  if (value <= kMin) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (value >= kMax) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(value);
}

std::int32_t AsInt32(const json& value) {
  switch (value.type()) {
    case json::value_t::boolean:
      return value.get<bool>() ? 1 : 0;
    case json::value_t::number_integer:
      return LowBits(static_cast<std::uint64_t>(value.get<json::number_integer_t>()));
    case json::value_t::number_unsigned:
      return LowBits(value.get<json::number_unsigned_t>());
    case json::value_t::number_float:
      return Truncated(value.get<json::number_float_t>());
    default:
      RaiseNotNumber(value);
  }
}

}  // namespace

json ParseSettingsText(std::istream& in) {
  json document;
  std::streambuf* const buffer = in.rdbuf();
  const bool began_with_mark =
      buffer != nullptr && buffer->sgetc() == std::char_traits<char>::to_int_type('\xEF');
  FirstWinsBuilder builder(document, began_with_mark);
  json::sax_parse(in, &builder, json::input_format_t::json, /*strict=*/false,
                  /*ignore_comments=*/false);
  return document;
}

json& MemberByName(json& document, const char* name) {
  // A member that is there is the one operator[] would give, found without
  // the node that operator[] builds and throws away when the name is taken.
  if (json::object_t* members = document.get_ptr<json::object_t*>()) {
    const auto member = members->find(name);
    if (member != members->end()) {
      return member->second;
    }
  } else if (!document.is_null()) {
    RaiseNoMemberAccess(document);
  }
  return document[name];
}

std::int32_t IntValueOr(const json& object, const char* name, std::int32_t fallback) {
  const json::object_t& members = MembersOf(object);
  const auto member = members.find(name);
  return member == members.end() ? fallback : AsInt32(member->second);
}

const json& MemberOr(const json& object, const std::string& name, const json& fallback) {
  const json::object_t& members = MembersOf(object);
  const auto member = members.find(name);
  return member == members.end() ? fallback : member->second;
}

std::vector<std::string> MemberNames(const json& value) {
  std::vector<std::string> names;
  for (auto it = value.begin(); it != value.end(); ++it) {
    names.push_back(it.key());
  }
  return names;
}

namespace {

constexpr std::int32_t kDefaultIntervalSeconds = 86400;

// "General" when `settings` is an object holding it as an object; else null.
const json* GeneralObjectOf(const json& settings) {
  if (!settings.is_object()) {
    return nullptr;
  }
  const auto general = settings.find("General");
  return general != settings.end() && general->is_object() ? &*general : nullptr;
}

}  // namespace

std::int32_t CheckIntervalSeconds(json& settings) {
  return IntValueOr(MemberByName(settings, "General"), "CheckInterval", kDefaultIntervalSeconds);
}

// AsInt32 raises only for a value that is neither a number nor a boolean,
// which the two functions below check first.
// NOLINTNEXTLINE(bugprone-exception-escape)
std::optional<std::int32_t> ReadableCheckInterval(const json& settings) noexcept {
  const json* general = GeneralObjectOf(settings);
  if (general == nullptr) {
    return std::nullopt;
  }
  const auto interval = general->find("CheckInterval");
  if (interval == general->end()) {
    return kDefaultIntervalSeconds;
  }
  if (!interval->is_number() && !interval->is_boolean()) {
    return std::nullopt;
  }
  return AsInt32(*interval);
}

// NOLINTNEXTLINE(bugprone-exception-escape)
bool ExactCapsOf(const json& settings) noexcept {
  const json* general = GeneralObjectOf(settings);
  if (general == nullptr) {
    return false;
  }
  const auto exact = general->find("ExactCaps");
  return exact != general->end() && (exact->is_number() || exact->is_boolean()) &&
         AsInt32(*exact) != 0;
}

std::int32_t CapOfPath(json& settings, const std::string& narrow_path) {
  constexpr std::int32_t kDefaultCap = 1000;
  static const json kNoSettings = json::object();
  const json& blueprint = MemberOr(MemberByName(settings, "Dinos"), narrow_path, kNoSettings);
  return IntValueOr(blueprint, "Count", kDefaultCap);
}

}  // namespace dravelquin
