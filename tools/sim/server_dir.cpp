#include "tools/sim/server_dir.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

namespace dravelquin::sim {

namespace {

// A new directory of a random name under the system's temporary directory;
// a name taken already is passed over.
std::filesystem::path MakeTemporaryDir() {
  constexpr int kAttempts = 100;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  std::random_device entropy;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::ostringstream name;
    name << "dravelquin-sim-" << std::hex << entropy() << entropy();
    if (std::filesystem::create_directory(base / name.str())) {
      return base / name.str();
    }
  }
  throw std::runtime_error("cannot make a temporary server directory in " + base.string());
}

}  // namespace

std::filesystem::path ServerDir::PluginDir() const {
  return root / "ArkApi" / "Plugins" / "dravelquin";
}

std::filesystem::path ServerDir::ConfigPath() const { return PluginDir() / "config.json"; }

std::filesystem::path ServerDir::DumpPath() const { return PluginDir() / "dinoDump.txt"; }

ServerDir PrepareServerDir(const std::optional<std::string>& requested) {
  ServerDir dir;
  dir.temporary = !requested.has_value();
  dir.root = dir.temporary ? MakeTemporaryDir() : std::filesystem::absolute(*requested);
  std::filesystem::create_directories(dir.PluginDir());
  return dir;
}

void WriteConfig(const ServerDir& dir, const ScenarioConfig& config) {
  if (config.source == ConfigSource::kExisting) {
    return;
  }
  std::ofstream out(dir.ConfigPath(), std::ios::binary | std::ios::trunc);
  out << config.text;
  out.close();
  if (!out) {
    throw std::runtime_error("cannot write " + dir.ConfigPath().string());
  }
}

std::optional<std::string> ReadFileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace dravelquin::sim
