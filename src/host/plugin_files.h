#pragma once

// Where the plug-in's files live: the folder "ArkApi/Plugins/dravelquin"
// under the server's working directory, as the host reports it.

#include <string>

namespace dravelquin {

// The path of the named file in the plug-in's folder.
// Example: PluginFilePath("config.json") with the server in "C:/srv" ->
// "C:/srv/ArkApi/Plugins/dravelquin/config.json".
std::string PluginFilePath(const char* file_name);

}  // namespace dravelquin
