// The settings document the plug-in reads once, at start-up, from its folder.

#include <fstream>
#include <stdexcept>

#include "host/plugin_files.h"
#include "population/settings.h"
#include "population/settings_file.h"

namespace dravelquin {

using nlohmann::json;

json& Settings() {
  static json document;
  return document;
}

void ReadSettings() {
  std::ifstream file(PluginFilePath("config.json"));
  if (!file.is_open()) {
    throw std::runtime_error("Can't open config.json");
  }
  Settings() = nullptr;
  Settings() = ParseSettingsText(file);
}

}  // namespace dravelquin
