#include "host/plugin_files.h"

#include "host/ark_api.h"

namespace dravelquin {

std::string PluginFilePath(const char* file_name) {
  return ArkApi::Tools::GetCurrentDir() + "/ArkApi/Plugins/dravelquin/" + file_name;
}

}  // namespace dravelquin
