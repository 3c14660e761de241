#include "fuzz/settings_oracle.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "fuzz/growth_model.h"

namespace dravelquin {

namespace fuzz {

namespace {

using nlohmann::json;

constexpr int kNotAnObjectForMembers = 305;
constexpr int kNotAnObjectForValue = 306;
constexpr int kNotANumber = 302;
constexpr int kNotIterableByName = 207;

constexpr std::int32_t kDefaultCap = 1000;
constexpr std::int32_t kDefaultInterval = 86400;

bool TakesMemberAccess(const json& document) { return document.is_null() || document.is_object(); }

// The member as member access leaves it: null when absent.
json MemberOf(const json& document, const char* name) {
  if (!document.is_object()) {
    return json();
  }
  const auto found = document.find(name);
  return found == document.end() ? json() : *found;
}

std::int32_t TruncatedAndHeld(double value) {
  const double whole = std::trunc(value);
  if (whole >= static_cast<double>(kLargestInt32)) {
    return static_cast<std::int32_t>(kLargestInt32);
  }
  if (whole <= -static_cast<double>(kLargestInt32) - 1) {
    return static_cast<std::int32_t>(-kLargestInt32 - 1);
  }
  return static_cast<std::int32_t>(whole);
}

// `value(name, fallback)` with an int fallback on `object`.
Expected<std::int32_t> IntLookup(const json& object, const char* name, std::int32_t fallback) {
  if (!object.is_object()) {
    return {kNotAnObjectForValue, 0};
  }
  const auto found = object.find(name);
  if (found == object.end()) {
    return {0, fallback};
  }
  const json& value = *found;
  if (value.is_boolean()) {
    return {0, value.get<bool>() ? 1 : 0};
  }
  if (value.is_number_unsigned()) {
    const std::uint64_t low = value.get<std::uint64_t>() & 0xFFFFFFFFu;
    return {0, static_cast<std::int32_t>(WrappedTo32(static_cast<std::int64_t>(low)))};
  }
  if (value.is_number_integer()) {
    return {0, static_cast<std::int32_t>(WrappedTo32(value.get<std::int64_t>()))};
  }
  if (value.is_number_float()) {
    return {0, TruncatedAndHeld(value.get<double>())};
  }
  return {kNotANumber, 0};
}

}  // namespace

json ReferenceSettings(const std::string& text) {
  // Names met so far in each object being read, by nesting depth.
  std::vector<std::set<std::string>> names;
  const auto first_wins = [&names](int depth, json::parse_event_t event, json& parsed) {
    const auto level = static_cast<std::size_t>(depth);
    if (event == json::parse_event_t::object_start) {
      names.resize(level + 1);
      names[level].clear();
    } else if (event == json::parse_event_t::key) {
      return names.at(level - 1).insert(parsed.get<std::string>()).second;
    }
    return true;
  };
  return json::parse(text, first_wins, /*allow_exceptions=*/false);
}

Expected<std::vector<std::string>> ExpectedBlueprintNames(const json& document) {
  if (!TakesMemberAccess(document)) {
    return {kNotAnObjectForMembers, {}};
  }
  const json dinos = MemberOf(document, "Dinos");
  std::vector<std::string> names;
  if (dinos.is_object()) {
    for (const auto& member : dinos.items()) {
      names.push_back(member.key());
    }
    return {0, names};
  }
  if (dinos.is_null() || (dinos.is_array() && dinos.empty())) {
    return {0, names};
  }
  return {kNotIterableByName, {}};
}

std::vector<std::string> ExpectedCensusKeys(const std::vector<std::string>& names) {
  std::map<std::string, std::string> key_of_folded;
  for (const std::string& name : names) {
    std::string key;
    for (const char byte : std::string(name.c_str())) {
      key.push_back(static_cast<unsigned char>(byte) >= 0x80 ? '?' : byte);
    }
    std::string folded = key;
    for (char& byte : folded) {
      byte = (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : byte;
    }
    key_of_folded.emplace(folded, key);
  }
  std::vector<std::string> keys;
  for (const auto& [folded, key] : key_of_folded) {
    keys.push_back(key);
  }
  std::sort(keys.begin(), keys.end());
  return keys;
}

Expected<std::int32_t> ExpectedCap(const json& document, const std::string& name) {
  if (!TakesMemberAccess(document)) {
    return {kNotAnObjectForMembers, 0};
  }
  const json dinos = MemberOf(document, "Dinos");
  if (!dinos.is_object()) {
    return {kNotAnObjectForValue, 0};
  }
  const auto blueprint = dinos.find(name);
  if (blueprint == dinos.end()) {
    return {0, kDefaultCap};
  }
  return IntLookup(*blueprint, "Count", kDefaultCap);
}

Expected<std::int32_t> ExpectedCheckInterval(const json& document) {
  if (!TakesMemberAccess(document)) {
    return {kNotAnObjectForMembers, 0};
  }
  return IntLookup(MemberOf(document, "General"), "CheckInterval", kDefaultInterval);
}

json DocumentAfterLookups(const json& document) {
  if (!TakesMemberAccess(document)) {
    return document;
  }
  json after = document.is_null() ? json::object() : document;
  for (const char* name : {"Dinos", "General"}) {
    if (!after.contains(name)) {
      after[name] = nullptr;
    }
  }
  return after;
}

}  // namespace fuzz

}  // namespace dravelquin
