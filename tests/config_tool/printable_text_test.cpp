// What the tool prints is UTF-8: well-formed sequences pass unchanged, and
// every other byte is written as "\xHH".

#include <gtest/gtest.h>

#include <string>

#include "common/text.h"

namespace dravelquin {

TEST(PrintableText, WellFormedUtf8PassesUnchanged) {
  // ASCII, then two-, three- and four-byte sequences: é, €, U+1F996.
  const std::string text = "Rex \xC3\xA9 \xE2\x82\xAC \xF0\x9F\xA6\x96";
  EXPECT_EQ(text, EscapedNonUtf8(text));
}

TEST(PrintableText, BytesOfOtherEncodingsAreEscaped) {
  // A Latin-1 é, and the byte-order mark of a UTF-16 file.
  EXPECT_EQ("Cr\\xE9atures", EscapedNonUtf8("Cr\xE9"
                                            "atures"));
  EXPECT_EQ("\\xFF\\xFE{", EscapedNonUtf8("\xFF\xFE{"));
}

TEST(PrintableText, MalformedSequencesAreEscapedByteByByte) {
  // A continuation byte alone, an overlong "/", a surrogate, a code point
  // past U+10FFFF.
  EXPECT_EQ("a\\x80b", EscapedNonUtf8("a\x80"
                                      "b"));
  EXPECT_EQ("\\xC0\\xAF", EscapedNonUtf8("\xC0\xAF"));
  EXPECT_EQ("\\xED\\xA0\\x80", EscapedNonUtf8("\xED\xA0\x80"));
  EXPECT_EQ("\\xF4\\x90\\x80\\x80", EscapedNonUtf8("\xF4\x90\x80\x80"));
  // A lead byte before a byte just outside the continuation range: 0x7F
  // (ASCII, printed as it is), or 0xC3 beginning an "é" of its own.
  EXPECT_EQ("\\xC3\x7F", EscapedNonUtf8("\xC3\x7F"));
  EXPECT_EQ("\\xE2\\x82\x7F", EscapedNonUtf8("\xE2\x82\x7F"));
  EXPECT_EQ("\\xC3\xC3\xA9", EscapedNonUtf8("\xC3\xC3\xA9"));
}

TEST(PrintableText, SequenceCutShortIsEscapedWithoutReadingPastTheEnd) {
  // The first two bytes of "€" at the end, then before an ASCII byte.
  EXPECT_EQ("x\\xE2\\x82", EscapedNonUtf8("x\xE2\x82"));
  EXPECT_EQ("\\xE2\\x82y", EscapedNonUtf8("\xE2\x82y"));
}

// How the tools take Windows' wide command-line arguments.
TEST(Utf8FromUtf16, PairsAreJoinedAndLoneSurrogatesReplaced) {
  // "é", then U+1F996 as a surrogate pair.
  EXPECT_EQ("\xC3\xA9\xF0\x9F\xA6\x96", Utf8FromUtf16(u"\u00E9\U0001F996"));
  // A high surrogate with no low one after it, and a low one alone.
  EXPECT_EQ(
      "a\xEF\xBF\xBD"
      "b\xEF\xBF\xBD",
      Utf8FromUtf16(u"a\xD83E"
                    u"b\xDD96"));
}

}  // namespace dravelquin
