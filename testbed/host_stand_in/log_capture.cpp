// The host's log sinks: one sink that keeps every line for tests and counts
// its flushes, and the host's own logger over them.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <spdlog/logger.h>
#include <spdlog/sinks/base_sink.h>

#include "host/ark_api.h"
#include "host_stand_in/host_internal.h"
#include "host_stand_in/testbed_host.h"

// The host API's functions below stand outside the project's namespace.
namespace testbed = dravelquin::testbed;

namespace {

// Each logger formats a message in its own pattern before its sinks get it:
// the sink keeps the finished line as it is, whichever logger wrote it.
class CapturingSink final : public spdlog::sinks::base_sink<std::mutex> {
 public:
  std::vector<std::string> Lines() {
    std::lock_guard<std::mutex> lock(_mutex);
    return lines_;
  }

  testbed::LogFlushes Flushes() {
    std::lock_guard<std::mutex> lock(_mutex);
    return flushes_;
  }

  void Reset() {
    std::lock_guard<std::mutex> lock(_mutex);
    lines_.clear();
    flushes_ = testbed::LogFlushes{};
  }

 protected:
  void _sink_it(const spdlog::details::log_msg& message) override {
    std::string line(message.formatted.data(), message.formatted.size());
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
      line.pop_back();
    }
    lines_.push_back(std::move(line));
  }

  void _flush() override {
    ++flushes_.calls;
    flushes_.lines_flushed = lines_.size();
  }

 private:
  std::vector<std::string> lines_;
  testbed::LogFlushes flushes_;
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

namespace {

// The host's own logger over its sinks, in the host's own pattern.
spdlog::logger& HostLog() {
  static const std::shared_ptr<spdlog::logger> log = [] {
    const ArkApi::LogSinks& sinks = ArkApi::GetLogSinks();
    auto made = std::make_shared<spdlog::logger>("ArkApi", sinks.begin(), sinks.end());
    made->set_pattern("[%n] %l: %v");
    return made;
  }();
  return *log;
}

}  // namespace

namespace dravelquin::testbed {

namespace host {

void ResetLogCapture() { Capture()->Reset(); }

}  // namespace host

std::vector<std::string> LogLines() { return Capture()->Lines(); }

LogFlushes GetLogFlushes() { return Capture()->Flushes(); }

void WriteHostLogLine(const std::string& text) { HostLog().info(text); }

}  // namespace dravelquin::testbed
