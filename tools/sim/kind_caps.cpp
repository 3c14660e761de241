#include "tools/sim/kind_caps.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tools/sim/utf16.h"

namespace dravelquin::sim {

namespace {

using nlohmann::json;

constexpr std::int64_t kDefaultCap = 1000;

char16_t FoldAscii(char16_t unit) {
  return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

// A member name as the plug-in's census keys it: each byte, "?" above 0x7F.
std::u16string KeyUnitsOf(const std::string& name) {
  std::u16string units;
  for (const char byte : name) {
    const auto value = static_cast<unsigned char>(byte);
    units.push_back(value > 0x7F ? u'?' : static_cast<char16_t>(value));
  }
  return units;
}

bool EqualIgnoringAsciiCase(const std::u16string& left, const std::u16string& right) {
  if (left.size() != right.size()) {
    return false;
  }
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (FoldAscii(left[i]) != FoldAscii(right[i])) {
      return false;
    }
  }
  return true;
}

// The path in the narrow form the gate looks its settings up by: the
// server's classic locale keeps U+0000 to U+00FF as the byte of that value.
std::string NarrowOf(const std::u16string& path) {
  std::string narrow;
  for (const char16_t unit : path) {
    narrow.push_back(unit > 0xFF ? '?' : static_cast<char>(unit));
  }
  return narrow;
}

bool EndsWith(const std::u16string& text, const std::u16string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Every occurrence of `removed`, left to right, without overlap.
std::u16string RemoveAll(const std::u16string& text, const std::u16string& removed) {
  std::u16string kept;
  std::size_t from = 0;
  for (std::size_t found = text.find(removed); found != std::u16string::npos;
       found = text.find(removed, from)) {
    kept += text.substr(from, found - from);
    from = found + removed.size();
  }
  return kept + text.substr(from);
}

std::int64_t TruncatedToInt32(double number) {
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  if (std::isnan(number)) {
    return 0;
  }
  return static_cast<std::int64_t>(std::fmax(kMin, std::fmin(kMax, std::trunc(number))));
}

std::optional<std::int64_t> Int32Of(const json& value) {
  if (value.is_boolean()) {
    return value.get<bool>() ? 1 : 0;
  }
  if (value.is_number_integer()) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value.get<std::uint64_t>()));
  }
  if (value.is_number_float()) {
    return TruncatedToInt32(value.get<double>());
  }
  return std::nullopt;
}

std::optional<json> ParsedConfig(const std::optional<std::string>& text) {
  if (!text) {
    return std::nullopt;
  }
  std::istringstream in(*text);
  json document;
  try {
    in >> document;
  } catch (const json::exception&) {
    return std::nullopt;
  }
  return document;
}

KindCap CapOf(const json& dinos, const std::u16string& path) {
  bool matched = false;
  for (const auto& member : dinos.items()) {
    matched = matched || EqualIgnoringAsciiCase(KeyUnitsOf(member.key()), path);
  }
  if (!matched) {
    return KindCap{};
  }
  const auto exact = dinos.find(NarrowOf(path));
  if (exact == dinos.end()) {
    return KindCap{true, kDefaultCap};
  }
  if (!exact->is_object()) {
    return KindCap{};
  }
  const auto count = exact->find("Count");
  if (count == exact->end()) {
    return KindCap{true, kDefaultCap};
  }
  const std::optional<std::int64_t> cap = Int32Of(*count);
  return cap ? KindCap{true, *cap} : KindCap{};
}

}  // namespace

std::u16string BlueprintPathOfFullName(const std::u16string& full_name) {
  const std::size_t space = full_name.find(u' ');
  if (space == std::u16string::npos) {
    return u"";
  }
  const std::u16string class_suffix = u"_C";
  const bool has_suffix = EndsWith(full_name, class_suffix);
  const std::size_t length = full_name.size() - space - 1 - (has_suffix ? class_suffix.size() : 0);
  return RemoveAll(u"blueprint'" + full_name.substr(space + 1, length) + u"'", u"Default__");
}

std::vector<KindCap> KindCaps(const std::optional<std::string>& config_text,
                              const std::vector<ScenarioKind>& kinds) {
  std::vector<KindCap> caps(kinds.size());
  const std::optional<json> config = ParsedConfig(config_text);
  if (!config || !config->is_object()) {
    return caps;
  }
  const auto dinos = config->find("Dinos");
  if (dinos == config->end() || !dinos->is_object()) {
    return caps;
  }
  for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
    caps[kind] = CapOf(*dinos, BlueprintPathOfFullName(Utf16FromUtf8(kinds[kind].full_name)));
  }
  return caps;
}

}  // namespace dravelquin::sim
