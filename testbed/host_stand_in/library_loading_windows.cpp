// The Windows loader: the library's DllMain answers the process attach, and
// LoadLibrary fails with ERROR_DLL_INIT_FAILED when it answers FALSE, having
// sent the detach and unloaded the library again.

#include <windows.h>

#include <string>

#include "host_stand_in/library_loading.h"

namespace {

std::wstring WidePath(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), size);
  wide.resize(wide.size() - 1);
  return wide;
}

// The system's text for the error code, followed by the code itself.
std::string ErrorText(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message(text != nullptr ? text : "", length);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return (message.empty() ? "" : message + " ") + "(error " + std::to_string(code) + ")";
}

}  // namespace

namespace dravelquin::testbed::host {

LoadedLibrary LoadRunningAttach(const std::string& path) {
  HMODULE module = LoadLibraryW(WidePath(path).c_str());
  if (module != nullptr) {
    return LoadedLibrary{LoadResult::kAttached, reinterpret_cast<void*>(module), ""};
  }
  const DWORD code = GetLastError();
  if (code == ERROR_DLL_INIT_FAILED) {
    return LoadedLibrary{LoadResult::kAttachFailed, nullptr, ""};
  }
  return LoadedLibrary{LoadResult::kNotLoaded, nullptr, ErrorText(code)};
}

std::string Unload(void* handle) {
  if (FreeLibrary(static_cast<HMODULE>(handle))) {
    return std::string();
  }
  return "unloading failed: " + ErrorText(GetLastError());
}

bool InProcess(const std::string& path) {
  return GetModuleHandleW(WidePath(path).c_str()) != nullptr;
}

}  // namespace dravelquin::testbed::host
