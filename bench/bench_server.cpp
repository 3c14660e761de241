#include "bench_server.h"

#include <fstream>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "common/files.h"
#include "game/engine_allocator.h"
#include "game/fresh_server.h"
#include "game/game_world.h"
#include "host_stand_in/testbed_host.h"

namespace dravelquin {

namespace {

constexpr const char* kPluginPath = DRAVELQUIN_PLUGIN_PATH;

void AddProblem(std::string& problems, const std::string& problem) {
  problems += (problems.empty() ? "" : "; ") + problem;
}

}  // namespace

BenchServer::BenchServer(testbed::AllocatorMode allocator)
    : dir_(MakeTemporaryFolder("dravelquin-bench-", "server directory")) {
  testbed::StartFreshServer(dir_, testbed::AllocatorRecord::kCountsOnly);
  testbed::SetAllocatorMode(allocator);
}

BenchServer::~BenchServer() {
  if (testbed::IsPluginLoaded()) {
    testbed::UnloadPlugin();
  }
  testbed::ResetGame();
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

void BenchServer::LoadPlugin(const std::string& config_text) const {
  std::filesystem::create_directories(PluginDir());
  std::ofstream(PluginDir() / "config.json", std::ios::binary | std::ios::trunc) << config_text;
  const testbed::LoaderOutcome outcome = testbed::LoadPlugin(kPluginPath);
  if (!outcome.succeeded) {
    throw std::runtime_error("the plug-in did not load: " + outcome.error);
  }
}

std::string BenchServer::Finish() const {
  std::string problems;
  if (testbed::IsPluginLoaded()) {
    const testbed::LoaderOutcome outcome = testbed::UnloadPlugin();
    if (!outcome.succeeded) {
      AddProblem(problems, "unloading: " + outcome.error);
    }
  }
  for (const testbed::CallbackError& error : testbed::TakeCallbackErrors()) {
    AddProblem(problems, error.where + ": " + error.what);
  }
  for (const std::string& error : testbed::TakeAllocatorErrors()) {
    AddProblem(problems, error);
  }
  if (testbed::LiveBlockCount() != 0) {
    AddProblem(problems, std::to_string(testbed::LiveBlockCount()) + " engine blocks left live");
  }
  return problems;
}

std::filesystem::path BenchServer::DumpFile() const { return PluginDir() / "dinoDump.txt"; }

std::filesystem::path BenchServer::PluginDir() const { return PluginFolderOf(dir_); }

}  // namespace dravelquin
