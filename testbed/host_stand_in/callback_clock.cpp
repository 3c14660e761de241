// How long the plug-in's callbacks take, measured around each call while
// benchmarks ask for it.

#include <cstdint>

#include "host_stand_in/host_internal.h"
#include "host_stand_in/testbed_host.h"

namespace {

bool timed = false;
dravelquin::testbed::CallbackTimes times;

}  // namespace

namespace dravelquin::testbed {

namespace host {

void ResetCallbackTimes() { times = CallbackTimes{}; }

void AddTimerTime(std::int64_t nanoseconds) {
  ++times.timers.calls;
  times.timers.nanoseconds += nanoseconds;
}

}  // namespace host

void TimeCallbacks(bool on) { timed = on; }

bool CallbacksTimed() { return timed; }

CallbackTimes GetCallbackTimes() { return times; }

void AddHookTime(std::int64_t nanoseconds) {
  ++times.hooks.calls;
  times.hooks.nanoseconds += nanoseconds;
}

}  // namespace dravelquin::testbed
