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

// The plug-in's files a run writes into the server dir.
struct PluginFileWrites {
  bool config = false;  // config.json, from the scenario or --config
  bool dump = false;    // dinoDump.txt, when a console command may write it
};

// Refuses (InputProblem) a server dir the run must not use, before anything
// is made: an existing ROOT that is not a directory, a config.json or
// dinoDump.txt in it that is not a file, or one that the run would replace
// while `may_replace` is false. Nothing to check without `requested`.
void CheckServerDir(const std::optional<std::string>& requested, const PluginFileWrites& writes,
                    bool may_replace);

// Removes a temporary server dir when the run stops before Keep() (a failed
// write, an error); a given server dir is never removed.
class TemporaryDirRemoval {
 public:
  explicit TemporaryDirRemoval(const ServerDir& dir) : dir_(dir) {}
  TemporaryDirRemoval(const TemporaryDirRemoval&) = delete;
  TemporaryDirRemoval& operator=(const TemporaryDirRemoval&) = delete;
  ~TemporaryDirRemoval();

  // The run went through: the directory stays for inspection.
  void Keep() { kept_ = true; }

 private:
  const ServerDir& dir_;
  bool kept_ = false;
};

// Writes the scenario's config.json into the plug-in's folder; a scenario
// that gives no config leaves whatever is there (or nothing) untouched.
void WriteConfig(const ServerDir& dir, const ScenarioConfig& config);

}  // namespace dravelquin::sim
