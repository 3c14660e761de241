#pragma once

// The plug-in's logger over the host's log sinks.

#include <memory>
#include <string>

#include <spdlog/logger.h>

namespace dravelquin {

// The plug-in's logger, made by PluginStart over copies of the host's sinks;
// null before that. It writes only the errors of start-up and of the
// administrators' reload and status commands.
std::shared_ptr<spdlog::logger>& PluginLog();

// Writes `message` as one error line when the logger exists. Raises nothing:
// a failing log loses the line.
void LogError(const std::string& message) noexcept;

}  // namespace dravelquin
