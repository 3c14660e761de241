// Fuzz target: the blueprint path and display name of a creature whose
// class default object's full name and whose descriptive name come from
// the input, read through the stand-in game's natives. The input is UTF-16
// (little-endian units); a U+FFFF unit separates the full name from the
// descriptive name, and without one the whole text serves as both.
// Checked against the naming model: the strings' units, counts and
// capacities, the path's narrow form and whether a "Dinos" key copied from
// the dump matches it, the display name's UTF-8 as the dump writes it, and
// zero live blocks afterwards.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "engine/fstring.h"
#include "engine/naming.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/naming_model.h"
#include "game/game_world.h"
#include "host/ark_api.h"
#include "host/platform.h"
#include "population/census.h"

namespace dravelquin {

namespace {

using fuzz::ModelString;
using fuzz::Require;

constexpr char16_t kSeparator = 0xFFFF;

std::u16string UnitsOf(const std::uint8_t* data, std::size_t size) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  return units;
}

std::pair<std::u16string, std::u16string> NamesOf(const std::u16string& units) {
  const std::size_t separator = units.find(kSeparator);
  if (separator == std::u16string::npos) {
    return {units, units};
  }
  return {units.substr(0, separator), units.substr(separator + 1)};
}

void RequireString(const FString& actual, const ModelString& expected, const char* what) {
  Require((actual.data != nullptr) == expected.has_block && actual.count == expected.count &&
              actual.capacity == expected.capacity,
          std::string(what) + ": fields {" + std::to_string(actual.count) + ", " +
              std::to_string(actual.capacity) + "}, expected {" + std::to_string(expected.count) +
              ", " + std::to_string(expected.capacity) + "}");
  for (std::int32_t i = 0; i < actual.count; ++i) {
    Require(static_cast<char16_t>(actual.data[i]) == expected.block[static_cast<std::size_t>(i)],
            std::string(what) + ": unit " + std::to_string(i));
  }
}

std::u16string TextOf(const ModelString& s) { return *fuzz::ModelTerminatedText(s); }

std::string NarrowOf(const std::u16string& text) {
  std::string narrow;
  for (const char16_t unit : text) {
    narrow.push_back(unit <= 0xFF ? static_cast<char>(static_cast<unsigned char>(unit)) : '?');
  }
  return narrow;
}

bool IsAscii(const std::u16string& text) {
  for (const char16_t unit : text) {
    if (unit >= 0x80) {
      return false;
    }
  }
  return true;
}

// A "Dinos" key copied from the dump's first field matches the path in the
// census exactly when every unit of the path is ASCII: the narrow form keeps
// other units as single bytes or "?", and the key's bytes from 0x80 up read
// as "?".
void RequireDumpKeyMatches(const FString& path, const std::u16string& expected_text) {
  const std::string key = ToNarrow(path);
  const FString key_string = FromNarrow(key.c_str());
  const bool matches = CaseInsensitiveEqual()(key_string, path);
  Require(matches == IsAscii(expected_text), "dump field as a \"Dinos\" key");
}

void RequireNamesOf(const std::u16string& full_name, const std::u16string& descriptive_name) {
  testbed::GameClass* kind = testbed::AddKind(full_name);
  testbed::GameCreature* creature = testbed::PlaceCreature(kind, descriptive_name, 0);

  const FString path = BlueprintPathOf(creature);
  const ModelString expected_path = fuzz::ExpectedBlueprintPath(full_name);
  RequireString(path, expected_path, "blueprint path");
  const std::u16string path_text = TextOf(expected_path);
  Require(ToNarrow(path) == NarrowOf(path_text), "narrow blueprint path");
  RequireDumpKeyMatches(path, path_text);

  const FString name = DinoDisplayName(testbed::AsOpaque<APrimalDinoCharacter>(creature));
  const ModelString expected_name = fuzz::ExpectedDisplayName(descriptive_name);
  RequireString(name, expected_name, "display name");
  Require(ArkApi::Tools::Utf8Encode(WideTextOf(TextPointer(name))) ==
              fuzz::ExpectedUtf8(TextOf(expected_name)),
          "display name as UTF-8");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::StartInput();
  const auto [full_name, descriptive_name] = NamesOf(UnitsOf(data, size));
  RequireNamesOf(full_name, descriptive_name);
  testbed::ResetGame();
  fuzz::RequireEngineMemoryReturned();
  return 0;
}

}  // namespace dravelquin
