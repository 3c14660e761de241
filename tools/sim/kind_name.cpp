#include "tools/sim/kind_name.h"

namespace dravelquin::sim {

namespace {

constexpr const char* kPathOpening = "blueprint'";
constexpr const char* kFullNameField = "full_name";
constexpr const char* kPathField = "blueprint_path";

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

}  // namespace

std::optional<std::string> FullNameOfBlueprintPath(const std::string& path) {
  const std::string opening = kPathOpening;
  if (!StartsWith(path, opening) || path.size() < opening.size() + 1 || path.back() != '\'') {
    return std::nullopt;
  }
  const std::string object_path = path.substr(opening.size(), path.size() - opening.size() - 1);
  const std::size_t dot = object_path.rfind('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == object_path.size() ||
      object_path.find(' ') != std::string::npos) {
    return std::nullopt;
  }
  const std::string class_name = object_path.substr(dot + 1) + "_C";
  return class_name + " " + object_path.substr(0, dot) + ".Default__" + class_name;
}

std::string KindFullName(FieldReader& kind) {
  if (kind.Has(kFullNameField) == kind.Has(kPathField)) {
    kind.Fail(kFullNameField, kind.Has(kPathField)
                                  ? "cannot be given together with \"blueprint_path\""
                                  : "missing (or give \"blueprint_path\")");
  }
  if (kind.Has(kFullNameField)) {
    const std::string full_name = kind.RequiredString(kFullNameField);
    if (StartsWith(full_name, kPathOpening)) {
      kind.Fail(kFullNameField,
                "is a blueprint path, of which the plug-in makes no path; give it as "
                "\"blueprint_path\"");
    }
    return full_name;
  }
  const std::string path = kind.RequiredString(kPathField);
  const std::optional<std::string> full_name = FullNameOfBlueprintPath(path);
  if (!full_name) {
    kind.Fail(kPathField, "expected blueprint'PACKAGE.ASSET' as the dump shows it, got " +
                              Json(path).dump());
  }
  return *full_name;
}

}  // namespace dravelquin::sim
