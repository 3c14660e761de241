#include "population/census_table.h"

#include <algorithm>
#include <cstring>

#include "host/case_folding.h"
#include "host/packed_units.h"
#include "host/platform.h"
#include "population/settings.h"

namespace dravelquin {

namespace {

// A string's text and the end of its block: the text ends at its first zero
// unit, or at the end of the block when it holds none. A string without
// storage is the empty text.
struct TextUnits {
  const EngineUnit* at;
  const EngineUnit* end;
};

TextUnits TextUnitsOf(const FString& s) {
  const EngineUnit* text = TextPointer(s);
  return TextUnits{text, text + std::max(s.count, 1)};
}

EngineUnit UnitOrZero(const TextUnits& units) {
  return units.at == units.end ? EngineUnit{0} : *units.at;
}

bool SameTextIgnoringCase(TextUnits left, TextUnits right) {
  for (;; ++left.at, ++right.at) {
    const EngineUnit a = UnitOrZero(left);
    const EngineUnit b = UnitOrZero(right);
    if (a != b && FoldedUnit(a) != FoldedUnit(b)) {
      return false;
    }
    if (a == 0) {
      return b == 0;
    }
  }
}

constexpr std::uint64_t kHashSeed = 0xCBF29CE484222325u;
constexpr std::ptrdiff_t kHashedTailUnits = 16;
constexpr std::uint64_t kHashFactor = 0x9E3779B97F4A7C15u;

std::uint64_t Mixed(std::uint64_t hash, std::uint64_t value) {
  return (hash ^ value) * kHashFactor;
}

}  // namespace

CapTableMap& CapTable() {
  static CapTableMap table;
  return table;
}

bool CaseInsensitiveEqual::operator()(const FString& left, const FString& right) const {
  // Blocks of the same units hold the same text: the common case of a path
  // written exactly as its key, settled without folding.
  if (left.count == right.count &&
      (left.count == 0 || std::equal(left.data, left.data + left.count, right.data))) {
    return true;
  }
  return SameTextIgnoringCase(TextUnitsOf(left), TextUnitsOf(right));
}

std::size_t CaseInsensitiveHash::operator()(const FString& s) const {
  const TextUnits units = TextUnitsOf(s);
  const EngineUnit* text_end = packed::FindUnit(units.at, units.end, EngineUnit{0});
  std::uint64_t hash = Mixed(kHashSeed, static_cast<std::uint64_t>(text_end - units.at));
  // Blueprint paths of one server share long beginnings and differ towards
  // their ends, in the class name: the last units tell them apart.
  const EngineUnit* at = units.at;
  if (text_end - at > kHashedTailUnits) {
    at = text_end - kHashedTailUnits;
  }
  for (; text_end - at >= packed::kUnitsPerWord; at += packed::kUnitsPerWord) {
    hash = Mixed(hash, packed::LoadFour(at) | kCaseBitInEveryLane);
  }
  for (; at != text_end; ++at) {
    hash = Mixed(hash, static_cast<std::uint16_t>(*at) | kCaseBit);
  }
  return static_cast<std::size_t>(hash ^ (hash >> 32));
}

std::size_t PathHash::operator()(const std::string& path) const noexcept {
  std::uint64_t hash = Mixed(kHashSeed, path.size());
  std::size_t at = 0;
  for (; path.size() - at >= sizeof(std::uint64_t); at += sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, path.data() + at, sizeof word);
    hash = Mixed(hash, word);
  }
  for (; at != path.size(); ++at) {
    hash = Mixed(hash, static_cast<unsigned char>(path[at]));
  }
  return static_cast<std::size_t>(hash ^ (hash >> 32));
}

std::vector<std::string> ConfiguredBlueprintNames(nlohmann::json& settings) {
  return MemberNames(MemberByName(settings, "Dinos"));
}

void AddEntriesForNames(CapTableMap& table, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    // A name equal to an earlier one but for letter case shares its entry.
    table.try_emplace(FromNarrow(name.c_str()));
  }
}

}  // namespace dravelquin
