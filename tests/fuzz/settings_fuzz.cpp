// Fuzz target: arbitrary bytes as config.json. ReadSettings either loads
// them or raises the JSON library's parse_error 101 or out_of_range 406;
// whenever the whole text is one JSON value it loads the document of the
// first-wins reference parse; text after the first value changes nothing;
// the document survives serialise -> parse -> serialise unchanged; every
// lookup the census, the spawn gate and the census schedule make gives the
// value or the library error the settings rules give, leaving the document
// as the rules say; and the census table gets one key per configured name
// but for letter case.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/fstring.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/settings_oracle.h"
#include "game/engine_allocator.h"
#include "host_stand_in/testbed_host.h"
#include "population/census.h"
#include "population/census_schedule.h"
#include "population/settings.h"
#include "population/settings_file.h"
#include "population/spawn_gate.h"

namespace dravelquin {

namespace {

using fuzz::Require;
using nlohmann::json;

std::filesystem::path& ServerDir() {
  static std::filesystem::path dir;
  return dir;
}

std::filesystem::path ConfigPath() {
  return ServerDir() / "ArkApi" / "Plugins" / "dravelquin" / "config.json";
}

void RemoveServerDir() {
  std::error_code ignored;
  std::filesystem::remove_all(ServerDir(), ignored);
}

void WriteConfig(const std::uint8_t* data, std::size_t size) {
  std::ofstream out(ConfigPath(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  Require(out.good(), "cannot write " + ConfigPath().string());
}

// Reads the file; false when the text is no JSON value, which must be one
// of the two errors the library reports for that.
bool Load() {
  Settings() = nullptr;
  try {
    ReadSettings();
    return true;
  } catch (const json::parse_error& error) {
    Require(error.id == 101, std::string("unexpected parse error: ") + error.what());
  } catch (const json::out_of_range& error) {
    Require(error.id == 406, std::string("unexpected range error: ") + error.what());
  }
  return false;
}

// Reading stops at the end of the first value: whatever follows it, here
// text that is no JSON at all, changes nothing.
void RequireTextAfterTheValueIgnored(const std::uint8_t* data, std::size_t size,
                                     const json& document) {
  std::istringstream text(std::string(reinterpret_cast<const char*>(data), size) + " }x\"");
  Require(ParseSettingsText(text) == document, "text after the value changed the document");
}

void RequireRoundTrip(const json& document) {
  const std::string first = document.dump();
  std::istringstream text(first);
  const json again = ParseSettingsText(text);
  Require(again == document, "document changed by a round trip: " + first);
  Require(again.dump() == first, "serialisation changed by a round trip: " + first);
}

template <typename Value, typename Lookup>
void RequireOutcome(const fuzz::Expected<Value>& expected, Lookup&& lookup, const char* what) {
  try {
    const Value value = lookup();
    Require(expected.error == 0, std::string(what) + " gave a value where the rules raise " +
                                     std::to_string(expected.error));
    Require(value == expected.value, std::string(what) + " gave a different value");
  } catch (const json::exception& error) {
    Require(error.id == expected.error, std::string(what) + " raised " + error.what() +
                                            " where the rules raise " +
                                            std::to_string(expected.error));
  }
}

// The census's names, then the gate's cap for each name and for a name
// that is not configured, then the schedule's interval, as the plug-in
// makes them one after another on the one document.
void RequireLookups(const json& loaded) {
  const auto expected_names = fuzz::ExpectedBlueprintNames(loaded);
  std::vector<std::string> names;
  RequireOutcome(
      expected_names, [&names] { return names = ConfiguredBlueprintNames(Settings()); },
      "census names");
  CapTableMap table;
  AddEntriesForNames(table, names);
  std::vector<std::string> keys;
  for (const auto& entry : table) {
    keys.push_back(ToNarrow(entry.first));
  }
  std::sort(keys.begin(), keys.end());
  Require(keys == fuzz::ExpectedCensusKeys(names), "census table keys");
  names.push_back("blueprint'/Game/Unconfigured.Unconfigured'");
  for (const std::string& name : names) {
    RequireOutcome(
        fuzz::ExpectedCap(loaded, name), [&name] { return CapOfPath(Settings(), name); },
        "gate cap");
  }
  RequireOutcome(
      fuzz::ExpectedCheckInterval(loaded), [] { return CheckIntervalSeconds(Settings()); },
      "check interval");
  Require(Settings() == fuzz::DocumentAfterLookups(loaded), "lookups left another document");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  ServerDir() = std::filesystem::temp_directory_path() /
                ("dravelquin-settings-fuzz-" + std::to_string(getpid()));
  std::filesystem::create_directories(ConfigPath().parent_path());
  std::atexit(RemoveServerDir);
  fuzz::StartInput(ServerDir());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  testbed::ResetAllocator();
  WriteConfig(data, size);
  const bool loaded = Load();
  const json reference =
      fuzz::ReferenceSettings(std::string(reinterpret_cast<const char*>(data), size));
  if (!reference.is_discarded()) {
    Require(loaded, "a text that is one JSON value did not load");
    Require(Settings() == reference, "loaded document differs from the first-wins reference");
  }
  if (loaded) {
    const json document = Settings();
    RequireTextAfterTheValueIgnored(data, size, document);
    RequireRoundTrip(document);
    RequireLookups(document);
  }
  fuzz::RequireEngineMemoryReturned();
  return 0;
}

}  // namespace dravelquin
