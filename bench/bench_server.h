#pragma once

// One server for one benchmark run: a fresh host, game and allocator, a
// server directory of its own, and the plug-in loaded with a given config or
// not at all. The allocator counts its calls without recording each one, so
// that runs of millions of calls cost the same at their end as at their start,
// and serves them with its full accounting or lean, as a server's would.

#include <filesystem>
#include <string>

#include "game/engine_allocator.h"

namespace dravelquin {

class BenchServer {
 public:
  explicit BenchServer(testbed::AllocatorMode allocator);
  // Unloads the plug-in when it is still loaded, empties the world and
  // removes the server directory.
  ~BenchServer();
  BenchServer(const BenchServer&) = delete;
  BenchServer& operator=(const BenchServer&) = delete;

  // Writes the config and loads the plug-in built with the benchmarks.
  // Raises std::runtime_error with the loader's message when it does not load.
  void LoadPlugin(const std::string& config_text) const;

  // Unloads the plug-in when loaded, then names what went wrong during the
  // run: a failed unload, errors that left the plug-in's callbacks, misuse of
  // the game's allocator, engine blocks left live. "" when nothing did.
  std::string Finish() const;

  // DIR/ArkApi/Plugins/dravelquin/dinoDump.txt.
  std::filesystem::path DumpFile() const;

 private:
  std::filesystem::path PluginDir() const;

  std::filesystem::path dir_;
};

}  // namespace dravelquin
