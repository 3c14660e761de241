#pragma once

// Text helpers both tools share: letter case as the census ignores it, the
// name someone most likely meant, UTF-8 (validation, printing, UTF-16),
// and blueprint paths and the full names they are made from.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravelquin {

// Letter case as the plug-in's census ignores it: A-Z against a-z, every
// other byte as it is.

// The byte with A-Z made a-z.
char FoldedCase(char c);

// The text with A-Z made a-z. Example: "Rex_BP é" -> "rex_bp é".
std::string FoldedCase(const std::string& text);

// Finding the name someone most likely meant.

// The number of single-byte insertions, deletions and substitutions that
// turn one text into the other, letter case of A-Z ignored.
// Example: EditDistance("Generl", "general") == 1.
std::size_t EditDistance(const std::string& from, const std::string& to);

// The candidate nearest to `name` when it is at most two edits away, else
// nothing. Of equally near candidates the first wins.
// Example: NearName("dinos", {"General", "Dinos"}) == "Dinos".
std::optional<std::string> NearName(const std::string& name,
                                    const std::vector<std::string>& candidates);

// The candidate nearest to `name` however far, or nothing when there is no
// candidate. Of equally near candidates the first wins.
std::optional<std::string> NearestOf(const std::string& name,
                                     const std::vector<std::string>& candidates);

// NearestOf's answer for many names over one long list of candidates, such
// as a census dump's paths. Each search first takes the candidates that end
// in the same asset name, then the rest in order of their difference in
// length, and measures a candidate only when a bound from its length and its
// letters (A-Z as a-z) allows it to be nearer than the nearest so far; the
// measure itself stops once it passes that. The answer is exactly
// NearestOf's: the nearest candidate, of equally near ones the first.
class NearestIndex {
 public:
  explicit NearestIndex(std::vector<std::string> candidates);

  // The position in the candidates of the one nearest to `name`, or nothing
  // when there is no candidate.
  std::optional<std::size_t> NearestTo(const std::string& name) const;

 private:
  std::vector<std::string> candidates_;
  std::vector<std::size_t> by_length_;  // positions, ordered by size, then position
  std::vector<std::uint32_t> letters_;  // per candidate, counts of its bytes by class
  std::vector<std::pair<std::string, std::size_t>> by_asset_;  // folded asset name, position
};

// The edit distance of EditDistance when it is at most `limit`, else limit + 1.
std::size_t EditDistanceWithin(const std::string& from, const std::string& to, std::size_t limit);

// The text cut after at most `longest` bytes, between two UTF-8
// characters, with "..." added where it is cut.
// Example: Shortened("1234567", 3) == "123...".
std::string Shortened(const std::string& text, std::size_t longest);

// True when the text looks like UTF-16: it begins with a UTF-16 byte-order
// mark, or holds a zero byte beside its first character.
bool LooksLikeUtf16(const std::string& text);

// What the tool prints is UTF-8 text. A config saved in another encoding, a
// dump path in the game's narrow code page or a file name can hold bytes that
// are not UTF-8; printed raw they garble a terminal or a CI log, so each one
// is written as "\xHH" instead.

// The text with every byte that does not belong to a well-formed UTF-8
// sequence (RFC 3629: no overlong form, no surrogate, nothing past U+10FFFF)
// written as "\x" and two upper-case hex digits.
// Example: "Cr\xE9" "atures \xC3\xA9" -> "Cr\\xE9atures \xC3\xA9".
std::string EscapedNonUtf8(const std::string& text);

// UTF-16 of the UTF-8 text that scenario files hold, for the game's names.

// Decodes UTF-8 into UTF-16, characters above U+FFFF as surrogate pairs.
// A byte sequence that is not UTF-8 becomes U+FFFD per offending byte; the
// JSON parser has already refused such text, so this is only a safeguard.
std::u16string Utf16FromUtf8(std::string_view text);

// Encodes UTF-16 as UTF-8; a surrogate that is not part of a pair becomes
// U+FFFD. This is how the tools take Windows' wide command-line arguments.
std::string Utf8FromUtf16(std::u16string_view text);

// The text every blueprint path begins with.
inline const std::string kBlueprintPathPrefix = "blueprint'";

// The full name of the default object whose blueprint path the plug-in makes
// into `path`, or nothing when `path` is not of the form
// blueprint'PACKAGE.ASSET'.
// Example: "blueprint'/Game/Dodo/Dodo_BP.Dodo_BP'" ->
//          "Dodo_BP_C /Game/Dodo/Dodo_BP.Default__Dodo_BP_C".
std::optional<std::string> FullNameOfBlueprintPath(const std::string& path);

// True for a class name such as "Raptor_BP_C": text ending in "_C" with
// no "/", ".", "'" or space, which a blueprint path never is.
bool IsClassName(const std::string& name);

// True when `path` ends in the asset named `asset`, A-Z as a-z: ".ASSET'".
// Example: ("blueprint'/Game/Rex/Rex_BP.Rex_BP'", "rex_bp") -> true.
bool EndsInAsset(const std::string& path, const std::string& asset);

// The three bytes of a UTF-8 byte-order mark, or 0 when `text` starts with none.
// Example: "\xEF\xBB\xBF{}" -> 3; "{}" -> 0.
std::size_t ByteOrderMarkSize(const std::string& text);

}  // namespace dravelquin
