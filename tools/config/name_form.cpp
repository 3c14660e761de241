#include "name_form.h"

#include <algorithm>

#include "plugin_reading.h"

namespace dravelquin {

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
