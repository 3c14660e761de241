#pragma once

// The simulated server's working directory and the plug-in's files in it.

#include <filesystem>
#include <optional>
#include <string>

#include "tools/sim/scenario.h"

namespace dravelquin::sim {

struct ServerDir {
  std::filesystem::path root;  // what the host reports as the current dir
  bool temporary = false;      // made for this run; kept afterwards for inspection

  // ROOT/ArkApi/Plugins/dravelquin, where the plug-in keeps its files.
  std::filesystem::path PluginDir() const;
  std::filesystem::path ConfigPath() const;
  std::filesystem::path DumpPath() const;
};

// The given directory (made absolute, created when missing), or a new
// temporary one. The plug-in's folder is created in it, as a server that
// has the plug-in installed has it. Raises std::runtime_error when a
// directory cannot be made.
ServerDir PrepareServerDir(const std::optional<std::string>& requested);

// Writes the scenario's config.json into the plug-in's folder; a scenario
// that gives no config leaves whatever is there (or nothing) untouched.
void WriteConfig(const ServerDir& dir, const ScenarioConfig& config);

// The text of a file, or nothing when it cannot be read.
std::optional<std::string> ReadFileText(const std::filesystem::path& path);

}  // namespace dravelquin::sim
