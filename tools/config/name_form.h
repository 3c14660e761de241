#pragma once

// Whether a "Dinos" member name has the form of a blueprint path,
// "blueprint'" + object path + "'", the only text that creatures' paths take.

#include <string>

namespace dravelquin {

// The text every blueprint path begins with.
inline const std::string kBlueprintPathPrefix = "blueprint'";

enum class NameForm {
  kBlueprintPath,     // "blueprint'...'"
  kOtherLetterCase,   // the same but for the letter case of "blueprint'"
  kNotBlueprintPath,  // anything else, "" included
};

// The form of a name. The letter case test is the census's own key
// comparison. Examples: "blueprint''" and "blueprint'/Game/A.A'" are paths;
// "Blueprint'/Game/A.A'" is kOtherLetterCase; "blueprint'/Game/A.A" (no
// closing quote) and "/Game/A.A" are not paths.
NameForm FormOfName(const std::string& name);

// The name with its first ten characters written as "blueprint'": the path
// of the creatures a kOtherLetterCase name is meant for.
std::string WithPathPrefix(const std::string& name);

}  // namespace dravelquin
