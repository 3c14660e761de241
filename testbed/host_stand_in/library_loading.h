#pragma once

// The platform's loader as the host uses it for the plug-in library: load it
// (which runs its process attach), learn whether that attach succeeded,
// unload it, and ask whether it is still in the process.

#include <string>

namespace dravelquin::testbed::host {

enum class LoadResult {
  kAttached,          // loaded, and its attach succeeded
  kAttachFailed,      // its attach reported a failure; unloaded again
  kAttachUnreported,  // loaded, but its attach reported nothing; unloaded again
  kNotLoaded,         // the loader could not load it
};

struct LoadedLibrary {
  LoadResult result = LoadResult::kNotLoaded;
  void* handle = nullptr;  // only for kAttached
  // The loader's message for kNotLoaded, or why unloading a library whose
  // attach went wrong failed; otherwise empty.
  std::string error;
};

// Loads the library with every symbol bound now and none of them made
// visible to other libraries. A library whose attach did not succeed is
// unloaded again before this returns, as the Windows loader does.
LoadedLibrary LoadRunningAttach(const std::string& path);

// Unloads the library, which runs its process detach. Empty on success,
// otherwise the loader's message.
std::string Unload(void* handle);

// Whether a library of that path is mapped in the process.
bool InProcess(const std::string& path);

}  // namespace dravelquin::testbed::host
