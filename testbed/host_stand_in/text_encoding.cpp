#include "host_stand_in/text_encoding.h"

#include <cstddef>
#include <string>
#include <string_view>

#include "host_stand_in/testbed_host.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

char Byte(char32_t bits) { return static_cast<char>(static_cast<unsigned char>(bits)); }

void AppendUtf8(std::string& out, char32_t code_point) {
  if (IsHighSurrogate(code_point) || IsLowSurrogate(code_point) || code_point > 0x10FFFF) {
    code_point = kReplacement;
  }
  if (code_point < 0x80) {
    out.push_back(Byte(code_point));
  } else if (code_point < 0x800) {
    out.push_back(Byte(0xC0 | (code_point >> 6)));
    out.push_back(Byte(0x80 | (code_point & 0x3F)));
  } else if (code_point < 0x10000) {
    out.push_back(Byte(0xE0 | (code_point >> 12)));
    out.push_back(Byte(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(Byte(0x80 | (code_point & 0x3F)));
  } else {
    out.push_back(Byte(0xF0 | (code_point >> 18)));
    out.push_back(Byte(0x80 | ((code_point >> 12) & 0x3F)));
    out.push_back(Byte(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(Byte(0x80 | (code_point & 0x3F)));
  }
}

// UTF-8 of UTF-16 units given as code units of any width up to 16 bits.
template <typename Unit>
std::string Utf8FromUtf16Units(std::basic_string_view<Unit> text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto unit = static_cast<char32_t>(text[i]);
    const bool pair_follows = IsHighSurrogate(unit) && i + 1 < text.size() &&
                              IsLowSurrogate(static_cast<char32_t>(text[i + 1]));
    if (pair_follows) {
      const auto low = static_cast<char32_t>(text[i + 1]);
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

}  // namespace

namespace dravelquin::testbed {

namespace host {

std::string Utf8FromWide(const std::wstring& text) {
  if constexpr (sizeof(wchar_t) == 2) {
    return Utf8FromUtf16Units(std::wstring_view(text));
  } else {
    std::string out;
    out.reserve(text.size());
    for (const wchar_t unit : text) {
      AppendUtf8(out, static_cast<char32_t>(unit));
    }
    return out;
  }
}

}  // namespace host

std::string Utf8FromUtf16(std::u16string_view text) { return Utf8FromUtf16Units(text); }

}  // namespace dravelquin::testbed
