#include "plugin_rules/plugin_rules.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <set>
#include <sstream>

#include "common/text.h"
#include "engine/fstring.h"
#include "population/settings.h"

namespace dravelquin {

namespace {

// Takes away, when it ends, the members that member access by name adds to
// the top level of a document, and makes a document that was null null again.
class TopLevelRestorer {
 public:
  explicit TopLevelRestorer(nlohmann::json& document)
      : document_(document), was_null_(document.is_null()) {
    if (document.is_object()) {
      for (const auto& member : document.items()) {
        names_before_.insert(member.key());
      }
    }
  }
  TopLevelRestorer(const TopLevelRestorer&) = delete;
  TopLevelRestorer& operator=(const TopLevelRestorer&) = delete;

  // Assigning null and erasing an object's member by its own iterator
  // cannot raise.
  // NOLINTNEXTLINE(bugprone-exception-escape)
  ~TopLevelRestorer() {
    if (was_null_) {
      document_ = nullptr;
    } else if (document_.is_object()) {
      for (auto member = document_.begin(); member != document_.end();) {
        member =
            names_before_.count(member.key()) != 0 ? std::next(member) : document_.erase(member);
      }
    }
  }

 private:
  nlohmann::json& document_;
  bool was_null_;
  std::set<std::string> names_before_;
};

}  // namespace

template <typename Lookup>
LookupOutcome SettingsReader::Outcome(Lookup lookup) const {
  const TopLevelRestorer restorer(document_);
  try {
    return LookupOutcome{lookup(document_), ""};
  } catch (const std::exception& error) {
    return LookupOutcome{std::nullopt, error.what()};
  }
}

LookupOutcome SettingsReader::CheckInterval() const {
  return Outcome([](nlohmann::json& document) { return CheckIntervalSeconds(document); });
}

LookupOutcome SettingsReader::Cap(const std::string& path) const {
  return Outcome([&path](nlohmann::json& document) { return CapOfPath(document, path); });
}

NamesOutcome SettingsReader::ConfiguredNames() const {
  const TopLevelRestorer restorer(document_);
  try {
    return NamesOutcome{ConfiguredBlueprintNames(document_), std::nullopt};
  } catch (const std::exception& error) {
    return NamesOutcome{{}, std::string(error.what())};
  }
}

std::optional<std::string> ReloadRefusal(const SettingsReader& settings) {
  NamesOutcome names = settings.ConfiguredNames();
  if (names.error) {
    return names.error;
  }
  LookupOutcome interval = settings.CheckInterval();
  if (!interval.value) {
    return interval.error;
  }
  return std::nullopt;
}

std::optional<std::string> ReloadRefusalOfText(const std::string& text) {
  std::istringstream in(text);
  nlohmann::json document;
  try {
    document = ParseSettingsText(in);
  } catch (const std::exception& error) {
    return std::string(error.what());
  }
  return ReloadRefusal(SettingsReader(std::move(document)));
}

std::string CensusKeyOf(const std::string& name) { return ToNarrow(FromNarrow(name.c_str())); }

bool SameCensusKey(const std::string& left, const std::string& right) {
  return CensusEntries({left}).EntryKeyOf(right).has_value();
}

CensusEntries::CensusEntries(const std::vector<std::string>& names) {
  AddEntriesForNames(table_, names);
}

void CensusEntries::Add(const std::string& name) { AddEntriesForNames(table_, {name}); }

std::optional<std::string> CensusEntries::EntryKeyOf(const std::string& path) const {
  const auto entry = table_.find(FromNarrow(path.c_str()));
  if (entry == table_.end()) {
    return std::nullopt;
  }
  return ToNarrow(entry->first);
}

bool CensusEntries::Counts(const FString& path) const { return table_.find(path) != table_.end(); }

NameForm FormOfName(const std::string& name) {
  if (name.size() < kBlueprintPathPrefix.size() + 1 || name.back() != '\'') {
    return NameForm::kNotBlueprintPath;
  }
  const std::string head = name.substr(0, kBlueprintPathPrefix.size());
  if (head == kBlueprintPathPrefix) {
    return NameForm::kBlueprintPath;
  }
  return SameCensusKey(head, kBlueprintPathPrefix) ? NameForm::kOtherLetterCase
                                                   : NameForm::kNotBlueprintPath;
}

std::string WithPathPrefix(const std::string& name) {
  return kBlueprintPathPrefix + name.substr(std::min(name.size(), kBlueprintPathPrefix.size()));
}

}  // namespace dravelquin
