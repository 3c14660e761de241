#include "json_mistake.h"

namespace dravelquin {

namespace {

bool IsJsonWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// A UTF-16 file begins with its byte-order mark, or, without one, holds a
// zero byte beside the first character of a text that is otherwise ASCII.
bool LooksLikeUtf16(const std::string& text) {
  if (text.compare(0, 2, "\xFF\xFE") == 0 || text.compare(0, 2, "\xFE\xFF") == 0) {
    return true;
  }
  return text.size() >= 2 && (text[0] == '\0') != (text[1] == '\0');
}

// The last byte before `offset` that is not white space, or '\0'.
char LastTokenByteBefore(const std::string& text, std::size_t offset) {
  while (offset > 0 && IsJsonWhiteSpace(text[offset - 1])) {
    --offset;
  }
  return offset > 0 ? text[offset - 1] : '\0';
}

}  // namespace

std::optional<std::string> LikelyJsonMistake(const std::string& text, std::size_t error_offset) {
  if (LooksLikeUtf16(text)) {
    return "the file is UTF-16 text (a Windows editor's \"Unicode\"), not UTF-8";
  }
  if (error_offset >= text.size()) {
    return std::nullopt;
  }
  const char stop = text[error_offset];
  const char next = error_offset + 1 < text.size() ? text[error_offset + 1] : '\0';
  if (stop == '/' && next == '/') {
    return "a \"//\" comment, which JSON does not allow";
  }
  if (stop == '/' && next == '*') {
    return "a \"/* */\" comment, which JSON does not allow";
  }
  if (stop == '\'') {
    return "a single quote where JSON wants a double quote (\") around a name or a string";
  }
  if ((stop == '}' || stop == ']') && LastTokenByteBefore(text, error_offset) == ',') {
    return std::string("a comma before this \"") + stop +
           "\", which JSON does not allow after the last member or element";
  }
  return std::nullopt;
}

}  // namespace dravelquin
