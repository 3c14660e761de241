// The clock behind the runtime's _Xtime_get_ticks (testbed/runtime), settable
// by the driver.

#include <cstdint>

#include "testbed/host/host_internal.h"
#include "testbed/host/testbed_host.h"

namespace {

std::int64_t current_ticks = testbed::kDefaultTicks;

}  // namespace

namespace testbed {

namespace host {

void ResetClock() { current_ticks = kDefaultTicks; }

}  // namespace host

void SetTicks(std::int64_t ticks) { current_ticks = ticks; }

void AdvanceTicks(std::int64_t ticks) { current_ticks += ticks; }

std::int64_t Ticks() { return current_ticks; }

}  // namespace testbed

// The clock under a plain C name, for the stand-in runtime DLL to find.
extern "C" ARKAPI_API std::int64_t TestbedTicks() { return testbed::Ticks(); }
