#include "common/text.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <limits>
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
  std::optional<std::string> nearest = NearestOf(name, candidates);
  if (nearest && EditDistance(name, *nearest) <= kMostEditsForASuggestion) {
    return nearest;
  }
  return std::nullopt;
}

std::size_t EditDistanceWithin(const std::string& from, const std::string& to, std::size_t limit) {
  const std::size_t over = limit + 1;
  const std::size_t rows = from.size();
  const std::size_t columns = to.size();
  if ((rows > columns ? rows - columns : columns - rows) > limit) {
    return over;
  }
  // Only the cells within `limit` of the diagonal can stay within the limit;
  // the cell just outside each side of the band is held at `over`.
  std::vector<std::size_t> previous(columns + 2, over);
  std::vector<std::size_t> current(columns + 2, over);
  for (std::size_t j = 0; j <= std::min(columns, limit); ++j) {
    previous[j] = j;
  }
  for (std::size_t i = 1; i <= rows; ++i) {
    const std::size_t first = i > limit ? i - limit : 0;
    const std::size_t last = std::min(columns, i + limit);
    std::size_t row_least = over;
    if (first == 0) {
      current[0] = i;
      row_least = i;
    } else {
      current[first - 1] = over;
    }
    for (std::size_t j = std::max<std::size_t>(first, 1); j <= last; ++j) {
      const std::size_t substitution =
          previous[j - 1] + (FoldedCase(from[i - 1]) == FoldedCase(to[j - 1]) ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution, over});
      row_least = std::min(row_least, current[j]);
    }
    current[last + 1] = over;
    if (row_least > limit) {
      return over;
    }
    std::swap(previous, current);
  }
  return std::min(previous[columns], over);
}

namespace {

constexpr std::size_t kLetterClasses = 32;

// The class of a byte for the bound on the distance: each letter (A-Z as
// a-z) its own, the digits one, the path marks one each, the rest one.
std::size_t LetterClassOf(char c) {
  const char folded = FoldedCase(c);
  if (folded >= 'a' && folded <= 'z') {
    return static_cast<std::size_t>(folded - 'a');
  }
  if (folded >= '0' && folded <= '9') {
    return 26;
  }
  switch (folded) {
    case '/':
      return 27;
    case '.':
      return 28;
    case '_':
      return 29;
    case '\'':
      return 30;
    default:
      return 31;
  }
}

void CountLetters(const std::string& text, std::uint32_t* counts) {
  for (const char c : text) {
    ++counts[LetterClassOf(c)];
  }
}

// The asset name a path or a name ends in, folded: the text after the last
// "." or "/", without a closing quote.
// Example: "blueprint'/Game/Rex/Rex_BP.Rex_BP'" -> "rex_bp".
std::string AssetOf(const std::string& text) {
  std::string asset = text.substr(std::min(text.size(), text.find_last_of("./") + 1));
  if (!asset.empty() && asset.back() == '\'') {
    asset.pop_back();
  }
  return FoldedCase(asset);
}

}  // namespace

NearestIndex::NearestIndex(std::vector<std::string> candidates)
    : candidates_(std::move(candidates)), letters_(candidates_.size() * kLetterClasses) {
  by_length_.resize(candidates_.size());
  std::iota(by_length_.begin(), by_length_.end(), std::size_t{0});
  std::stable_sort(by_length_.begin(), by_length_.end(), [this](std::size_t a, std::size_t b) {
    return candidates_[a].size() < candidates_[b].size();
  });
  for (std::size_t at = 0; at < candidates_.size(); ++at) {
    CountLetters(candidates_[at], &letters_[at * kLetterClasses]);
    by_asset_.emplace_back(AssetOf(candidates_[at]), at);
  }
  std::sort(by_asset_.begin(), by_asset_.end());
}

std::optional<std::size_t> NearestIndex::NearestTo(const std::string& name) const {
  if (candidates_.empty()) {
    return std::nullopt;
  }
  // The nearest so far is kept; a candidate measured as near replaces it only
  // when it comes first.
  std::uint32_t own[kLetterClasses] = {};
  CountLetters(name, own);
  std::size_t best = 0;
  std::size_t best_distance = std::numeric_limits<std::size_t>::max();
  const auto consider = [&](std::size_t at) {
    const std::string& candidate = candidates_[at];
    const std::size_t longer = std::max(name.size(), candidate.size());
    if (best_distance != std::numeric_limits<std::size_t>::max()) {
      // Each byte of the longer text that is not matched costs an edit.
      const std::uint32_t* counts = &letters_[at * kLetterClasses];
      std::size_t shared = 0;
      for (std::size_t k = 0; k < kLetterClasses; ++k) {
        shared += std::min(own[k], counts[k]);
      }
      if (longer - shared > best_distance) {
        return;
      }
    }
    const std::size_t distance =
        EditDistanceWithin(name, candidate, std::min(best_distance, longer));
    if (distance < best_distance || (distance == best_distance && at < best)) {
      best = at;
      best_distance = distance;
    }
  };
  // A candidate of the same asset name is likely the nearest: measured first,
  // it lets the bound pass over most of the others.
  const std::string asset = AssetOf(name);
  for (auto same = std::lower_bound(by_asset_.begin(), by_asset_.end(),
                                    std::make_pair(asset, std::size_t{0}));
       same != by_asset_.end() && same->first == asset; ++same) {
    consider(same->second);
  }
  // Then outward from the name's length: a difference in length is an edit
  // each, so the walk ends where that alone passes the nearest so far.
  const auto length_of = [this](std::size_t at) { return candidates_[at].size(); };
  auto longer =
      std::lower_bound(by_length_.begin(), by_length_.end(), name.size(),
                       [&](std::size_t at, std::size_t size) { return length_of(at) < size; });
  auto shorter = longer;
  while (true) {
    const std::size_t up = longer != by_length_.end() ? length_of(*longer) - name.size()
                                                      : std::numeric_limits<std::size_t>::max();
    const std::size_t down = shorter != by_length_.begin()
                                 ? name.size() - length_of(*(shorter - 1))
                                 : std::numeric_limits<std::size_t>::max();
    const std::size_t step = std::min(up, down);
    if (step == std::numeric_limits<std::size_t>::max() || step > best_distance) {
      break;
    }
    if (up <= down) {
      consider(*longer++);
    } else {
      consider(*--shorter);
    }
  }
  return best;
}

std::string Shortened(const std::string& text, std::size_t longest) {
  if (text.size() <= longest) {
    return text;
  }
  std::size_t cut = longest;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
    --cut;
  }
  return text.substr(0, cut) + "...";
}

bool LooksLikeUtf16(const std::string& text) {
  if (text.compare(0, 2, "\xFF\xFE") == 0 || text.compare(0, 2, "\xFE\xFF") == 0) {
    return true;
  }
  return text.size() >= 2 && (text[0] == '\0') != (text[1] == '\0');
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
      text,
      [&](std::string_view run) {
        utf8::utf8to16(run.begin(), run.end(), std::back_inserter(out));
      },
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

bool IsClassName(const std::string& name) {
  const std::string suffix = "_C";
  return name.size() > suffix.size() &&
         name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0 &&
         name.find_first_of("/.' ") == std::string::npos;
}

bool EndsInAsset(const std::string& path, const std::string& asset) {
  const std::string ending = "." + FoldedCase(asset) + "'";
  return path.size() >= ending.size() &&
         FoldedCase(path.substr(path.size() - ending.size())) == ending;
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
