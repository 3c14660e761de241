#include "unknown_members.h"

#include <algorithm>

#include "near_names.h"
#include "value_kind.h"

namespace dravelquin {

void CheckUnknownMembers(const nlohmann::json& object, const nlohmann::json::json_pointer& pointer,
                         const std::vector<std::string>& known, ConfigReport& report) {
  if (!object.is_object()) {
    return;
  }
  for (const auto& member : object.items()) {
    const std::string& name = member.key();
    if (std::find(known.begin(), known.end(), name) != known.end()) {
      continue;
    }
    std::string message = "is not read by the plug-in";
    if (const auto near = NearName(name, known)) {
      message += "; did you mean " + Quoted(*near) + "?";
    }
    report.About(Severity::kWarning, (pointer / name).to_string(), message);
  }
}

}  // namespace dravelquin
