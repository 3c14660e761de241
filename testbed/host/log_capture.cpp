// The host's log sinks: one sink that keeps every formatted line for tests.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/base_sink.h>

#include "plugin/host/ark_api.h"
#include "testbed/host/host_internal.h"
#include "testbed/host/testbed_host.h"

namespace {

// Formatters let go of by AbandonFormatter; never destroyed.
std::vector<spdlog::formatter*>& Abandoned() {
  static auto* abandoned = new std::vector<spdlog::formatter*>();
  return *abandoned;
}

class CapturingSink final : public spdlog::sinks::base_sink<std::mutex> {
 public:
  std::vector<std::string> Lines() {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
  }

  // Forgets the lines and puts back the default pattern, which a logger
  // over this sink may have replaced with its own.
  void Reset() {
    set_formatter(std::make_unique<spdlog::pattern_formatter>());
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.clear();
  }

  // Puts back the default pattern without destroying the formatter it
  // replaces: that one may run the code of a library unloaded since.
  void AbandonFormatter() {
    std::lock_guard<std::mutex> lock(mutex_);
    Abandoned().push_back(formatter_.release());
    formatter_ = std::make_unique<spdlog::pattern_formatter>();
  }

 protected:
  void sink_it_(const spdlog::details::log_msg& message) override {
    spdlog::memory_buf_t formatted;
    formatter_->format(message, formatted);
    std::string line(formatted.data(), formatted.size());
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
      line.pop_back();
    }
    lines_.push_back(std::move(line));
  }

  void flush_() override {}

 private:
  std::vector<std::string> lines_;
};

const std::shared_ptr<CapturingSink>& Capture() {
  static const auto sink = std::make_shared<CapturingSink>();
  return sink;
}

}  // namespace

namespace ArkApi {

LogSinks& GetLogSinks() {
  static LogSinks sinks{Capture()};
  return sinks;
}

}  // namespace ArkApi

namespace testbed {

namespace host {

void ResetLogCapture() { Capture()->Reset(); }

void AbandonLogFormatter() { Capture()->AbandonFormatter(); }

}  // namespace host

std::vector<std::string> LogLines() { return Capture()->Lines(); }

}  // namespace testbed
