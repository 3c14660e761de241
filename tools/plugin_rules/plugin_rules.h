#pragma once

// The plug-in's own rules as the tools read a settings document with them:
// its lookups of a blueprint's settings, its census's table and key
// comparison, and the form a "Dinos" member name must have.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/fstring.h"
#include "population/census_table.h"

namespace dravelquin {

// What the plug-in's own code makes of a settings document. Every answer
// comes from running the plug-in's lookups and engine-string rules, so the
// tools and the plug-in cannot disagree. Engine strings are made here: the
// program supplies the engine allocator (host/engine_memory.h).

// The result of one of the plug-in's lookups: its value, or the text of the
// error it raises (then `value` is empty).
struct LookupOutcome {
  std::optional<std::int32_t> value;
  std::string error;
};

// The "Dinos" member names the census makes entries for, or the error every
// census fails with.
struct NamesOutcome {
  std::vector<std::string> names;
  std::optional<std::string> error;
};

// A settings document with the plug-in's own lookups on it. The lookups run
// on the document itself, since a copy would recurse as deep as the document
// nests; what their member access adds (a null top level made an object,
// absent members inserted as null) is taken away after each lookup, so the
// document stays as parsed.
class SettingsReader {
 public:
  explicit SettingsReader(nlohmann::json document) : document_(std::move(document)) {}

  // The document as parsed.
  const nlohmann::json& Document() const { return document_; }

  // The seconds between two timer-driven censuses, as the census schedule
  // reads them (86400 without "CheckInterval"; an error without "General").
  LookupOutcome CheckInterval() const;

  // The cap the spawn gate applies to creatures whose narrow blueprint path
  // is `path` (1000 when no "Dinos" member or no "Count" gives one).
  LookupOutcome Cap(const std::string& path) const;

  // The member names of "Dinos" that the census reads.
  NamesOutcome ConfiguredNames() const;

 private:
  template <typename Lookup>
  LookupOutcome Outcome(Lookup lookup) const;

  mutable nlohmann::json document_;
};

// Whether the administrators' "dravelquin.reload" takes a document read from
// the settings file: it refuses one that the census or the timer would fail
// on, and the running settings stay. The reason is the error text of the
// first failing lookup, the census's before the schedule's, as the command
// checks them; nothing when the reload takes the document.
std::optional<std::string> ReloadRefusal(const SettingsReader& settings);
// The same for the text of a settings file, parsed as the plug-in parses
// it: a text that does not parse is refused with the parser's message.
std::optional<std::string> ReloadRefusalOfText(const std::string& text);

// The key the census makes of a name, in narrow form: bytes of 0x80 and above
// read as "?", and the name cut at a zero character.
// Example: "caf\xC3\xA9" -> "caf??".
std::string CensusKeyOf(const std::string& name);

// True when the census takes the two texts as one key: equal once letter
// case of A-Z is ignored and bytes of 0x80 and above read as "?".
bool SameCensusKey(const std::string& left, const std::string& right);

// The census's entries for a list of names, without counts: which entry a
// name or a creature's blueprint path falls under.
class CensusEntries {
 public:
  explicit CensusEntries(const std::vector<std::string>& names);

  // Adds a name after the others, as the census would.
  void Add(const std::string& name);

  // The narrow form of the key of the entry that `path` matches, or nothing.
  // Of names equal but for letter case the first one made the key.
  std::optional<std::string> EntryKeyOf(const std::string& path) const;

  // Whether the census counts a creature whose blueprint path, as the
  // plug-in builds it, is `path`.
  bool Counts(const FString& path) const;

 private:
  CapTableMap table_;
};

// Whether a "Dinos" member name has the form of a blueprint path,
// "blueprint'" + object path + "'", the only text that creatures' paths take.

enum class NameForm {
  kBlueprintPath,     // "blueprint'...'"
  kOtherLetterCase,   // the same but for the letter case of "blueprint'"
  kNotBlueprintPath,  // anything else, "" included
};

// The form of a name. The letter case test is the census's own key
// comparison. Examples: "blueprint''" and "blueprint'/Game/A.A'" are paths;
// "Blueprint'/Game/A.A'" is kOtherLetterCase; "blueprint'/Game/A.A" (no
// closing quote) and "/Game/A.A" are not paths.
NameForm FormOfName(const std::string& name);

// The name with its first ten characters written as "blueprint'": the path
// of the creatures a kOtherLetterCase name is meant for.
std::string WithPathPrefix(const std::string& name);

}  // namespace dravelquin
