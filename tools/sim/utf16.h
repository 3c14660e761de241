#pragma once

// UTF-16 of the UTF-8 text that scenario files hold, for the game's names.

#include <string>
#include <string_view>

namespace dravelquin::sim {

// Decodes UTF-8 into UTF-16, characters above U+FFFF as surrogate pairs.
// A byte sequence that is not UTF-8 becomes U+FFFD per offending byte; the
// JSON parser has already refused such text, so this is only a safeguard.
std::u16string Utf16FromUtf8(std::string_view text);

}  // namespace dravelquin::sim
