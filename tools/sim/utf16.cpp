#include "tools/sim/utf16.h"

#include <cstddef>
#include <cstdint>

namespace dravelquin::sim {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

struct Decoded {
  std::uint32_t code_point;
  std::size_t length;  // 0 when the bytes at the position are not UTF-8
};

std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

Decoded DecodeAt(std::string_view text, std::size_t position) {
  const auto lead = static_cast<unsigned char>(text[position]);
  const std::size_t length = SequenceLength(lead);
  if (length == 0 || position + length > text.size()) {
    return Decoded{0, 0};
  }
  if (length == 1) {
    return Decoded{lead, 1};
  }
  std::uint32_t code_point = lead & (0x7FU >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[position + i]);
    if ((next & 0xC0U) != 0x80U) {
      return Decoded{0, 0};
    }
    code_point = (code_point << 6) | (next & 0x3FU);
  }
  constexpr std::uint32_t kSmallestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool overlong = code_point < kSmallestOfLength[length];
  const bool surrogate = code_point >= 0xD800 && code_point <= 0xDFFF;
  if (overlong || surrogate || code_point > 0x10FFFF) {
    return Decoded{0, 0};
  }
  return Decoded{code_point, length};
}

void AppendUtf16(std::u16string& out, std::uint32_t code_point) {
  if (code_point < 0x10000) {
    out.push_back(static_cast<char16_t>(code_point));
    return;
  }
  const std::uint32_t offset = code_point - 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t position = 0;
  while (position < text.size()) {
    const Decoded decoded = DecodeAt(text, position);
    if (decoded.length == 0) {
      out.push_back(kReplacement);
      ++position;
      continue;
    }
    AppendUtf16(out, decoded.code_point);
    position += decoded.length;
  }
  return out;
}

}  // namespace dravelquin::sim
