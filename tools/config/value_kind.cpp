#include "value_kind.h"

namespace dravelquin {

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
  return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace dravelquin
