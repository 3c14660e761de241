#pragma once

// Where the plug-in's files live: the folder "ArkApi/Plugins/dravelquin"
// under the server's working directory, as the host reports it.

#include <string>

namespace dravelquin {

// The path of the named file in the plug-in's folder.
// Example: PluginFilePath("config.json") with the server in "C:/srv" ->
// "C:/srv/ArkApi/Plugins/dravelquin/config.json".
std::string PluginFilePath(const char* file_name);

// Renames the file `from` to `to`, replacing a file `to` in one step, so that
// a reader of `to` finds either the old file or the new one whole. False
// when the system refuses.
bool ReplaceFileWith(const std::string& from, const std::string& to);

}  // namespace dravelquin
