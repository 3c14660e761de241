// The loader where libraries have no entry whose result the loader reads: the
// plug-in's load-time entry reports its attach through LoaderReportAttach.

#include <dlfcn.h>

#include <string>

#include "host/loader.h"
#include "host_stand_in/library_loading.h"

namespace {

enum class AttachReport { kNone, kSucceeded, kFailed };

AttachReport attach_report = AttachReport::kNone;

std::string LoaderMessage() {
  const char* message = dlerror();
  return message != nullptr ? message : "unknown loader error";
}

}  // namespace

extern "C" void LoaderReportAttach(int succeeded) {
  attach_report = succeeded != 0 ? AttachReport::kSucceeded : AttachReport::kFailed;
}

namespace dravelquin::testbed::host {

LoadedLibrary LoadRunningAttach(const std::string& path) {
  attach_report = AttachReport::kNone;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    return LoadedLibrary{LoadResult::kNotLoaded, nullptr, LoaderMessage()};
  }
  if (attach_report == AttachReport::kSucceeded) {
    return LoadedLibrary{LoadResult::kAttached, handle, ""};
  }
  const LoadResult result = attach_report == AttachReport::kFailed ? LoadResult::kAttachFailed
                                                                   : LoadResult::kAttachUnreported;
  return LoadedLibrary{result, nullptr, Unload(handle)};
}

std::string Unload(void* handle) {
  return dlclose(handle) == 0 ? std::string() : "unloading failed: " + LoaderMessage();
}

bool InProcess(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) {
    return false;
  }
  dlclose(handle);
  return true;
}

}  // namespace dravelquin::testbed::host
