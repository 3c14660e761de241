#pragma once

// The blueprint path and display name rules worked out on plain UTF-16
// text, with the resulting strings' fields from the engine string model.

#include <string>

#include "fuzz/engine_string_model.h"

namespace dravelquin {

namespace fuzz {

// The path of a creature whose class default object has `full_name`:
// "blueprint'" + what follows the first space, less a final "_C", + "'",
// without any "Default__". A zero unit in the object path ends the text
// there, closing apostrophe included, as every zero-terminated reading does.
ModelString ExpectedBlueprintPath(const std::u16string& full_name);

// The display name of a creature described as `descriptive_name`: its first
// non-empty piece between hyphens (up to a zero unit), with every
// "一只 ", "青年 ", "幼崽 " and "婴儿 " taken out in that order.
ModelString ExpectedDisplayName(const std::u16string& descriptive_name);

// UTF-8 of UTF-16 text up to its first zero unit: a surrogate pair gives one
// four-byte character, an unpaired surrogate U+FFFD.
std::string ExpectedUtf8(const std::u16string& text);

}  // namespace fuzz

}  // namespace dravelquin
