#pragma once

// How a JSON value's kind is named in messages.

#include <string>

#include <nlohmann/json.hpp>

namespace dravelquin {

// "null", "a boolean", "a number", "a string", "an array", "an object";
// "an empty array" and "an empty object" for empty containers.
std::string KindOf(const nlohmann::json& value);

// A name or other text quoted as a JSON string: "Dinos", "a\"b". Bytes of
// 0x80 and above are left as they are, so that a byte that is not UTF-8 is
// kept for the printed line to show (see printable_text.h).
std::string Quoted(const std::string& text);

}  // namespace dravelquin
