// The host's loader: loads the plug-in library, reads the result of its
// load-time attach, and on unload checks that the library and everything it
// bound are really gone.

#include <dlfcn.h>

#include <string>
#include <utility>
#include <vector>

#include "plugin/host/loader.h"
#include "testbed/host/host_internal.h"
#include "testbed/host/testbed_host.h"

namespace {

enum class AttachReport { kNone, kSucceeded, kFailed };

AttachReport attach_report = AttachReport::kNone;
void* plugin_handle = nullptr;
std::string plugin_path;

std::string LoaderMessage() {
  const char* message = dlerror();
  return message != nullptr ? message : "unknown loader error";
}

bool StillInProcess(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) {
    return false;
  }
  dlclose(handle);
  return true;
}

std::string Joined(const std::vector<std::string>& problems) {
  std::string text;
  for (const std::string& problem : problems) {
    text += (text.empty() ? "" : "; ") + problem;
  }
  return text;
}

// Closes the library, then lists what should have gone with it and did not.
std::vector<std::string> CloseAndCheck(void* handle, const std::string& path) {
  std::vector<std::string> problems;
  if (dlclose(handle) != 0) {
    problems.push_back("unloading failed: " + LoaderMessage());
  }
  if (StillInProcess(path)) {
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

testbed::LoaderOutcome Failure(std::string error) {
  return testbed::LoaderOutcome{false, std::move(error)};
}

}  // namespace

extern "C" void LoaderReportAttach(int succeeded) {
  attach_report = succeeded != 0 ? AttachReport::kSucceeded : AttachReport::kFailed;
}

namespace testbed {

LoaderOutcome LoadPlugin(const std::string& path) {
  if (plugin_handle != nullptr) {
    return Failure("a plug-in is already loaded: " + plugin_path);
  }
  attach_report = AttachReport::kNone;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    return Failure("cannot load " + path + ": " + LoaderMessage());
  }
  if (attach_report == AttachReport::kSucceeded) {
    plugin_handle = handle;
    plugin_path = path;
    return LoaderOutcome{true, ""};
  }
  std::vector<std::string> problems{attach_report == AttachReport::kFailed
                                        ? "attach failed"
                                        : "the library did not report its attach"};
  for (std::string& problem : CloseAndCheck(handle, path)) {
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
  const std::vector<std::string> problems = CloseAndCheck(handle, path);
  return problems.empty() ? LoaderOutcome{true, ""} : Failure(Joined(problems));
}

bool IsPluginLoaded() { return plugin_handle != nullptr; }

}  // namespace testbed
