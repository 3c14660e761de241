#pragma once

// How a message names a member of the settings file: its names from the top
// level down, as they are written in the file, joined by " > ". A name made
// of ASCII letters, digits and "_" that does not begin with a digit stands
// bare; any other name is written as a JSON string; an element of an array
// is "[INDEX]".
// Example: "/Dinos/blueprint'~1Game~1A.A'/Count" ->
//          "Dinos > \"blueprint'/Game/A.A'\" > Count".

#include <string>

#include <nlohmann/json.hpp>

namespace dravelquin {

// The readable path of the member that the JSON pointer names in `document`,
// "top level" for "". The document tells array elements from members; below
// what it holds (a member the file does not write) every step is a member.
std::string ReadableMemberPath(const nlohmann::json& document, const std::string& pointer);

}  // namespace dravelquin
