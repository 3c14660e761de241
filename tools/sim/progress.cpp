#include "tools/sim/progress.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace dravelquin::sim {

namespace {

constexpr std::int64_t kPercent = 100;
constexpr const char* kErasedLine = "\r                                        \r";

}  // namespace

bool StandardErrorIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

RunProgress::RunProgress(std::ostream* out, std::int64_t ticks)
    : out_(ticks >= kLongRunTicks ? out : nullptr), ticks_(ticks) {}

RunProgress::~RunProgress() {
  if (out_ != nullptr && shown_percent_ >= 0) {
    *out_ << kErasedLine << std::flush;
  }
}

void RunProgress::Tick() {
  ++done_;
  if (out_ == nullptr) {
    return;
  }
  const std::int64_t percent = done_ * kPercent / ticks_;
  if (percent == shown_percent_) {
    return;
  }
  shown_percent_ = percent;
  *out_ << "\rrun: " << percent << "% of " << ticks_ << " ticks"
        << std::flush;
}

}  // namespace dravelquin::sim
