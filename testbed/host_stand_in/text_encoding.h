#pragma once

// UTF-8 encoding of UTF-16 and of platform wide text, with U+FFFD for
// anything that is not a Unicode scalar value, as the platform converter does.

#include <string>

namespace dravelquin::testbed::host {

// UTF-8 of a wide string: where wchar_t is 16 bits the text is UTF-16 and
// surrogate pairs are combined; where it is 32 bits each unit is a code
// point. Unpaired surrogates and values above U+10FFFF become U+FFFD.
std::string Utf8FromWide(const std::wstring& text);

}  // namespace dravelquin::testbed::host
