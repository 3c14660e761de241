// The settings document the plug-in reads at start-up and on an
// administrator's reload, from its folder.

#include "population/settings_file.h"

#include <fstream>
#include <stdexcept>

#include "host/plugin_files.h"
#include "population/settings.h"

namespace dravelquin {

using nlohmann::json;

namespace {

std::ifstream OpenSettingsFile() {
  std::ifstream file(PluginFilePath("config.json"));
  if (!file.is_open()) {
    throw std::runtime_error("Can't open config.json");
  }
  return file;
}

}  // namespace

json& Settings() {
  static json document;
  return document;
}

json ReadSettingsFile() {
  std::ifstream file = OpenSettingsFile();
  return ParseSettingsText(file);
}

void ReadSettings() {
  std::ifstream file = OpenSettingsFile();
  Settings() = nullptr;
  Settings() = ParseSettingsText(file);
}

}  // namespace dravelquin
