#include "host/plugin_files.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdio>
#endif

#include "host/ark_api.h"

namespace dravelquin {

std::string PluginFilePath(const char* file_name) {
  return ArkApi::Tools::GetCurrentDir() + "/ArkApi/Plugins/dravelquin/" + file_name;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
#if defined(_WIN32)
  // The runtime's rename refuses an existing target; the system's move
  // replaces it.
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace dravelquin
