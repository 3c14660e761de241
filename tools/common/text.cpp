#include "common/text.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <numeric>
#include <string_view>

#include <utf8.h>

#ifdef _WIN32
#include "common/command_line.h"
#endif

namespace dravelquin {

char FoldedCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string FoldedCase(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) {
    c = FoldedCase(c);
  }
  return folded;
}

namespace {

constexpr std::size_t kMostEditsForASuggestion = 2;

}  // namespace

std::size_t EditDistance(const std::string& from, const std::string& to) {
  std::vector<std::size_t> previous(to.size() + 1);
  std::iota(previous.begin(), previous.end(), std::size_t{0});
  std::vector<std::size_t> current(to.size() + 1);
  for (std::size_t i = 1; i <= from.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j <= to.size(); ++j) {
      const std::size_t substitution =
          previous[j - 1] + (FoldedCase(from[i - 1]) == FoldedCase(to[j - 1]) ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
    }
    std::swap(previous, current);
  }
  return previous[to.size()];
}

std::optional<std::string> NearestOf(const std::string& name,
                                     const std::vector<std::string>& candidates) {
  std::optional<std::string> nearest;
  std::size_t nearest_distance = 0;
  for (const std::string& candidate : candidates) {
    const std::size_t distance = EditDistance(name, candidate);
    if (!nearest || distance < nearest_distance) {
      nearest = candidate;
      nearest_distance = distance;
    }
  }
  return nearest;
}

std::optional<std::string> NearName(const std::string& name,
                                    const std::vector<std::string>& candidates) {
  const std::optional<std::string> nearest = NearestOf(name, candidates);
  if (nearest && EditDistance(name, *nearest) <= kMostEditsForASuggestion) {
    return nearest;
  }
  return std::nullopt;
}

namespace {

std::string HexEscape(unsigned char byte) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("\\x") + kDigits[byte >> 4] + kDigits[byte & 0x0F];
}

// Calls `valid` with each longest run of well-formed UTF-8 in `text` and
// `invalid` with each byte between them that does not begin a well-formed
// sequence; the text after that byte is read again from the next one.
template <typename Valid, typename Invalid>
void ForEachUtf8Run(std::string_view text, Valid valid, Invalid invalid) {
  auto at = text.begin();
  while (at != text.end()) {
    const auto bad = utf8::find_invalid(at, text.end());
    if (bad != at) {
      valid(std::string_view(&*at, static_cast<std::size_t>(bad - at)));
    }
    if (bad == text.end()) {
      return;
    }
    invalid(static_cast<unsigned char>(*bad));
    at = bad + 1;
  }
}

constexpr char16_t kReplacement = u'\uFFFD';

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::string EscapedNonUtf8(const std::string& text) {
  std::string printable;
  printable.reserve(text.size());
  ForEachUtf8Run(
      text, [&](std::string_view run) { printable.append(run); },
      [&](unsigned char byte) { printable += HexEscape(byte); });
  return printable;
}

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  ForEachUtf8Run(
      text, [&](std::string_view run) { utf8::utf8to16(run.begin(), run.end(), std::back_inserter(out)); },
      [&](unsigned char) { out.push_back(kReplacement); });
  return out;
}

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code_point = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      code_point = 0x10000 + ((code_point - 0xD800) << 10) + (text[i + 1] - 0xDC00U);
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      code_point = kReplacement;
    }
    utf8::append(code_point, std::back_inserter(out));
  }
  return out;
}

std::optional<std::string> FullNameOfBlueprintPath(const std::string& path) {
  const std::string& opening = kBlueprintPathPrefix;
  if (path.compare(0, opening.size(), opening) != 0 || path.size() < opening.size() + 1 ||
      path.back() != '\'') {
    return std::nullopt;
  }
  const std::string object_path = path.substr(opening.size(), path.size() - opening.size() - 1);
  const std::size_t dot = object_path.rfind('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == object_path.size() ||
      object_path.find(' ') != std::string::npos) {
    return std::nullopt;
  }
  const std::string class_name = object_path.substr(dot + 1) + "_C";
  return class_name + " " + object_path.substr(0, dot) + ".Default__" + class_name;
}

std::size_t ByteOrderMarkSize(const std::string& text) {
  return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
}

#ifdef _WIN32
std::vector<std::string> Utf8Arguments(int argc, const wchar_t* const* argv) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide text is UTF-16");
  std::vector<std::string> arguments;
  for (int index = 1; index < argc; ++index) {
    const std::wstring_view wide(argv[index]);
    std::u16string units(wide.begin(), wide.end());
    arguments.push_back(Utf8FromUtf16(units));
  }
  return arguments;
}
#endif

}  // namespace dravelquin
