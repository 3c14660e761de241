#pragma once

// What the tool prints is UTF-8 text. A config saved in another encoding, a
// dump path in the game's narrow code page or a file name can hold bytes that
// are not UTF-8; printed raw they garble a terminal or a CI log, so each one
// is written as "\xHH" instead.

#include <string>

namespace dravelquin {

// The text with every byte that does not belong to a well-formed UTF-8
// sequence (RFC 3629: no overlong form, no surrogate, nothing past U+10FFFF)
// written as "\x" and two upper-case hex digits.
// Example: "Cr\xE9" "atures \xC3\xA9" -> "Cr\\xE9atures \xC3\xA9".
std::string EscapedNonUtf8(const std::string& text);

}  // namespace dravelquin
