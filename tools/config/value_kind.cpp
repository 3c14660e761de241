#include "value_kind.h"

namespace dravelquin {

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

}  // namespace dravelquin
