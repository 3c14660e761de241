#pragma once

// What the settings rules say a document gives, worked out apart from the
// plug-in's own reader and lookups: a first-wins parse through the JSON
// library's filtering parser, and the outcome of each lookup the census,
// the spawn gate and the census schedule make.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace dravelquin {

namespace fuzz {

// The document of `text` when the whole text is one JSON value, keeping the
// first of two members with the same name; a discarded value otherwise.
nlohmann::json ReferenceSettings(const std::string& text);

// A lookup's outcome: a library error number, or the value.
template <typename Value>
struct Expected {
  int error = 0;  // 0: no error
  Value value{};
};

// The configured blueprint names of the document, in byte order.
Expected<std::vector<std::string>> ExpectedBlueprintNames(const nlohmann::json& document);
// The census table's keys for the configured names (in byte order) as
// narrow text: each name up to a zero byte with bytes from 0x80 up as "?",
// one key for names equal but for the letter case of A-Z, the first
// name's. In byte order.
std::vector<std::string> ExpectedCensusKeys(const std::vector<std::string>& names);
// The cap the gate reads for a creature whose narrow path is `name`.
Expected<std::int32_t> ExpectedCap(const nlohmann::json& document, const std::string& name);
// The seconds between timer-driven censuses.
Expected<std::int32_t> ExpectedCheckInterval(const nlohmann::json& document);

// The document after the lookups: a null document becomes an object, and
// "Dinos" and "General" are there, as null when they were absent.
nlohmann::json DocumentAfterLookups(const nlohmann::json& document);

}  // namespace fuzz

}  // namespace dravelquin
