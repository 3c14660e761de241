#include "host/plugin_log.h"

namespace dravelquin {

std::shared_ptr<spdlog::logger>& PluginLog() {
  static std::shared_ptr<spdlog::logger> log;
  return log;
}

void LogError(const std::string& message) noexcept {
  try {
    if (PluginLog()) {
      PluginLog()->error(message);
    }
  } catch (...) {
    // The log is the only place the error could be told.
  }
}

}  // namespace dravelquin
