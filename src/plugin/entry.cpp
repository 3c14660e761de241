// The library's only entry: the loader's process notifications. Attach runs
// PluginStart; an error there is written to the host's log, whatever was bound
// is unbound again, and the loader is told that the attach failed. Detach runs
// PluginStop. Nothing raised here reaches the loader.

#include <exception>

#include "host/plugin_log.h"
#include "plugin/plugin.h"

namespace {

constexpr unsigned long kProcessDetach = 0;
constexpr unsigned long kProcessAttach = 1;

// The log is the only place a start-up failure can be told; if it fails too,
// the failed attach itself is what the loader sees.
void LogStartFailure(const char* what) noexcept {
  try {
    dravelquin::LogError(what);
  } catch (...) {
    // Making the line's text failed: the failed attach is still seen.
  }
}

void UnbindQuietly() noexcept {
  try {
    dravelquin::PluginStop();
  } catch (const std::exception& error) {
    LogStartFailure(error.what());
  } catch (...) {
    LogStartFailure("unknown error while unbinding");
  }
}

bool Attach() noexcept {
  try {
    dravelquin::PluginStart();
    return true;
  } catch (const std::exception& error) {
    LogStartFailure(error.what());
  } catch (...) {
    LogStartFailure("unknown error during start-up");
  }
  UnbindQuietly();
  return false;
}

// The shared body of the platform entries; reasons as Windows numbers them.
bool OnLoaderNotification(unsigned long reason) noexcept {
  if (reason == kProcessAttach) {
    return Attach();
  }
  if (reason == kProcessDetach) {
    UnbindQuietly();
  }
  return true;
}

}  // namespace

#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  return OnLoaderNotification(reason) ? TRUE : FALSE;
}
#else
#include "host/loader.h"

namespace {

__attribute__((constructor)) void OnLibraryLoaded() {
  LoaderReportAttach(OnLoaderNotification(kProcessAttach) ? 1 : 0);
}

__attribute__((destructor)) void OnLibraryUnloading() { OnLoaderNotification(kProcessDetach); }

}  // namespace
#endif
