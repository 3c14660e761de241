#include "tools/sim/server_dir.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "tools/sim/input_files.h"

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

// Refuses a plug-in file that is there but is not a file, or that the run
// would replace without leave.
void CheckPluginFile(const std::filesystem::path& path, bool written, bool may_replace) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) {
    return;
  }
  if (!std::filesystem::is_regular_file(status)) {
    throw InputProblem("cannot use the server dir: " + path.string() + " is not a file");
  }
  if (written && !may_replace) {
    throw InputProblem("the run would replace " + path.string() +
                       ", which it did not make; give --overwrite to let it, or --config "
                       "with no --server-dir to preview that config");
  }
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

void CheckServerDir(const std::optional<std::string>& requested, const PluginFileWrites& writes,
                    bool may_replace) {
  if (!requested) {
    return;
  }
  ServerDir dir;
  dir.root = *requested;
  std::error_code error;
  if (std::filesystem::exists(dir.root, error) && !std::filesystem::is_directory(dir.root, error)) {
    throw InputProblem("cannot use the server dir " + dir.root.string() + ": " +
                       std::make_error_code(std::errc::not_a_directory).message());
  }
  CheckPluginFile(dir.ConfigPath(), writes.config, may_replace);
  CheckPluginFile(dir.DumpPath(), writes.dump, may_replace);
}

TemporaryDirRemoval::~TemporaryDirRemoval() {
  if (dir_.temporary && !kept_) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_.root, ignored);
  }
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

}  // namespace dravelquin::sim
