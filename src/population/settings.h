#pragma once

// The lookups the census, the spawn gate and the census schedule make in a
// settings document, and the parser that makes one. Lookups raise the JSON
// library's own errors for a wrongly shaped document. The plug-in's running
// document and its file are in population/settings_file.h.

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace dravelquin {

// Parses one JSON value from the stream: a leading UTF-8 byte-order mark is
// skipped, whatever follows the value is neither read nor checked, and of two
// members with the same name in one object the first is kept.
// Example: {"a":1,"a":2} x  ->  {"a":1}
// Text that is not JSON raises the library's parse_error 101 with the text
// in its classic form, the position counting the bytes after the mark:
// "" -> "[json.exception.parse_error.101] parse error at 1: syntax error -
// unexpected end of input; expected '[', '{', or a literal".
nlohmann::json ParseSettingsText(std::istream& in);

// The named member of the document, inserted as null when absent. A null
// document becomes an empty object first; any other non-object raises
// type_error 305 "cannot use operator[] with " and its type name.
nlohmann::json& MemberByName(nlohmann::json& document, const char* name);

// The named member of `object` as a signed 32-bit integer, or `fallback` when
// it has none. Booleans give 1 and 0; integers keep their low 32 bits; doubles
// are truncated toward zero and saturate at the 32-bit bounds. Raises
// type_error 306 when `object` is not an object and 302 when the member is
// not a number or a boolean.
// Example: {"Count": 2.9} -> 2; {"Count": 4294967296} -> 0; {} -> fallback.
std::int32_t IntValueOr(const nlohmann::json& object, const char* name, std::int32_t fallback);

// The named member of `object`, or `fallback` when it has none. Raises
// type_error 306 when `object` is not an object.
const nlohmann::json& MemberOr(const nlohmann::json& object, const std::string& name,
                               const nlohmann::json& fallback);

// The member names of `value` in the object's own (byte) order. Null and
// empty containers have none; a non-empty array or a scalar raises
// invalid_iterator 207.
std::vector<std::string> MemberNames(const nlohmann::json& value);

// Seconds from one timer-driven census to the next: "General" ->
// "CheckInterval" read as a signed 32-bit integer, 86400 when absent.
// Raises type_error 305 when `settings` is neither null nor an object, 306
// when "General" is absent (it is then inserted as null) or not an object,
// and 302 when "CheckInterval" is neither a number nor a boolean.
std::int32_t CheckIntervalSeconds(nlohmann::json& settings);

// The interval as CheckIntervalSeconds reads it, or nothing where that
// lookup raises. Inserts nothing into `settings`.
// Reads a number or a boolean only, which raises nothing.
// NOLINTNEXTLINE(bugprone-exception-escape)
std::optional<std::int32_t> ReadableCheckInterval(const nlohmann::json& settings) noexcept;

// "General" -> "ExactCaps" read as "CheckInterval" is, non-zero meaning true;
// false when absent or when it cannot be read ("General" missing or not an
// object, "ExactCaps" neither a number nor a boolean). Inserts nothing.
// Example: {"General":{"ExactCaps":0.5}} -> false; {"General":{"ExactCaps":2}} -> true.
// NOLINTNEXTLINE(bugprone-exception-escape): as ReadableCheckInterval.
bool ExactCapsOf(const nlohmann::json& settings) noexcept;

// The cap for creatures whose blueprint path in narrow form is `narrow_path`:
// "Count" of the "Dinos" member named exactly so, byte for byte, read as a
// signed 32-bit integer; 1000 when that member or its "Count" is absent.
// Raises type_error 305 when `settings` is neither null nor an object, 306
// when "Dinos" or that member is not an object, and 302 when "Count" is
// neither a number nor a boolean.
std::int32_t CapOfPath(nlohmann::json& settings, const std::string& narrow_path);

}  // namespace dravelquin
