#include "printable_text.h"

#include <cstddef>

namespace dravelquin {

namespace {

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
  return byte >= low && byte <= high;
}

// The bounds of the second byte of a sequence, which depend on its lead byte.
struct SecondByteRange {
  unsigned char low;
  unsigned char high;
};

SecondByteRange SecondByteAfter(unsigned char lead) {
  switch (lead) {
    case 0xE0:
      return {0xA0, 0xBF};  // no overlong three-byte form
    case 0xED:
      return {0x80, 0x9F};  // no surrogate
    case 0xF0:
      return {0x90, 0xBF};  // no overlong four-byte form
    case 0xF4:
      return {0x80, 0x8F};  // nothing past U+10FFFF
    default:
      return {0x80, 0xBF};
  }
}

std::size_t SequenceLengthOfLead(unsigned char lead) {
  if (lead < 0x80) {
    return 1;
  }
  if (InRange(lead, 0xC2, 0xDF)) {
    return 2;
  }
  if (InRange(lead, 0xE0, 0xEF)) {
    return 3;
  }
  return InRange(lead, 0xF0, 0xF4) ? 4 : 0;
}

// The length of the well-formed UTF-8 sequence at `at`, or 0 when the byte
// there does not begin one.
std::size_t WellFormedLengthAt(const std::string& text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = SequenceLengthOfLead(lead);
  if (length == 0 || at + length > text.size()) {
    return 0;
  }
  if (length == 1) {
    return 1;
  }
  const SecondByteRange second = SecondByteAfter(lead);
  if (!InRange(static_cast<unsigned char>(text[at + 1]), second.low, second.high)) {
    return 0;
  }
  for (std::size_t i = 2; i < length; ++i) {
    if (!InRange(static_cast<unsigned char>(text[at + i]), 0x80, 0xBF)) {
      return 0;
    }
  }
  return length;
}

std::string HexEscape(unsigned char byte) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("\\x") + kDigits[byte >> 4] + kDigits[byte & 0x0F];
}

}  // namespace

std::string EscapedNonUtf8(const std::string& text) {
  std::string printable;
  printable.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = WellFormedLengthAt(text, at);
    if (length == 0) {
      printable += HexEscape(static_cast<unsigned char>(text[at]));
      ++at;
    } else {
      printable.append(text, at, length);
      at += length;
    }
  }
  return printable;
}

}  // namespace dravelquin
