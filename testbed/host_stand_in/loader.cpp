// The host's loader: loads the plug-in library, reads the result of its
// load-time attach, and on unload checks that the library and everything it
// bound are really gone.

#include <string>
#include <utility>
#include <vector>

#include "host_stand_in/host_internal.h"
#include "host_stand_in/library_loading.h"
#include "host_stand_in/testbed_host.h"

namespace dravelquin::testbed {

namespace {

void* plugin_handle = nullptr;
std::string plugin_path;

std::string Joined(const std::vector<std::string>& problems) {
  std::string text;
  for (const std::string& problem : problems) {
    text += (text.empty() ? "" : "; ") + problem;
  }
  return text;
}

// Once the library is unloaded: lists what should have gone with it and did
// not, and lets go of whatever of its code the host still holds.
std::vector<std::string> LeftoversOf(const std::string& path) {
  std::vector<std::string> problems;
  if (testbed::host::InProcess(path)) {
    problems.push_back("library still loaded after unload");
  }
  for (const std::string& left : testbed::host::RestoreAllHooks()) {
    problems.push_back("left " + left + " behind");
  }
  for (const std::string& left : testbed::host::AbandonAllCommands()) {
    problems.push_back("left " + left + " behind");
  }
  return problems;
}

LoaderOutcome Failure(std::string error) { return LoaderOutcome{false, std::move(error)}; }

}  // namespace

LoaderOutcome LoadPlugin(const std::string& path) {
  if (plugin_handle != nullptr) {
    return Failure("a plug-in is already loaded: " + plugin_path);
  }
  const host::LoadedLibrary loaded = host::LoadRunningAttach(path);
  if (loaded.result == host::LoadResult::kNotLoaded) {
    return Failure("cannot load " + path + ": " + loaded.error);
  }
  if (loaded.result == host::LoadResult::kAttached) {
    plugin_handle = loaded.handle;
    plugin_path = path;
    return LoaderOutcome{true, ""};
  }
  std::vector<std::string> problems{loaded.result == host::LoadResult::kAttachFailed
                                        ? "attach failed"
                                        : "the library did not report its attach"};
  if (!loaded.error.empty()) {
    problems.push_back(loaded.error);
  }
  for (std::string& problem : LeftoversOf(path)) {
    problems.push_back(std::move(problem));
  }
  return Failure(Joined(problems));
}

LoaderOutcome UnloadPlugin() {
  if (plugin_handle == nullptr) {
    return Failure("no plug-in is loaded");
  }
  void* handle = plugin_handle;
  const std::string path = plugin_path;
  plugin_handle = nullptr;
  plugin_path.clear();
  std::vector<std::string> problems;
  if (std::string error = host::Unload(handle); !error.empty()) {
    problems.push_back(std::move(error));
  }
  for (std::string& problem : LeftoversOf(path)) {
    problems.push_back(std::move(problem));
  }
  return problems.empty() ? LoaderOutcome{true, ""} : Failure(Joined(problems));
}

bool IsPluginLoaded() { return plugin_handle != nullptr; }

}  // namespace dravelquin::testbed
