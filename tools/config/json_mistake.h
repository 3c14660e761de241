#pragma once

// The usual reasons a hand-edited settings file is not JSON, told in plain
// words beside the JSON library's own message: comments, a comma after the
// last member, single quotes, and a file saved as UTF-16 by a Windows editor.

#include <cstddef>
#include <optional>
#include <string>

namespace dravelquin {

// The mistake that most likely made the parser stop at byte `error_offset`
// of `text` (the byte it could not take), or nothing when it is none of the
// usual ones.
// Example: ("{ // note\n}", 2) -> "a \"//\" comment, which JSON does not allow".
std::optional<std::string> LikelyJsonMistake(const std::string& text, std::size_t error_offset);

}  // namespace dravelquin
