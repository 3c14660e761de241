#pragma once

// Text helpers both tools share: letter case as the census ignores it, the
// name someone most likely meant, UTF-8 (validation, printing, UTF-16),
// and blueprint paths and the full names they are made from.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
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

// The three bytes of a UTF-8 byte-order mark, or 0 when `text` starts with none.
// Example: "\xEF\xBB\xBF{}" -> 3; "{}" -> 0.
std::size_t ByteOrderMarkSize(const std::string& text);

}  // namespace dravelquin
