#pragma once

#include <memory>

#include <spdlog/logger.h>

namespace dravelquin {

// The plug-in's logger, made by PluginStart over copies of the host's sinks;
// null before that. The plug-in's own work writes no messages to it.
std::shared_ptr<spdlog::logger>& PluginLog();

// Binds the plug-in to the host: logger, settings, census clock, the two
// hooks, the timer callback and the console command, in that order. Raises
// whatever the settings reader or the host raise; what was bound before the
// error stays bound until PluginStop.
void PluginStart();

// Unbinds, in order, the two hooks, the console command and the timer
// callback: each only when it is bound. Needs no engine memory: the names
// of the command and the timer are those made when they were bound.
void PluginStop();

}  // namespace dravelquin
